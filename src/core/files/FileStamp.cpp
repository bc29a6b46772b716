#include "files/FileStamp.h"

#include <fstream>
#include <system_error>

#include "files/ContentHash.h"

namespace lexor {

std::optional<FileStamp> StampOf(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || error)
        return std::nullopt;
    const auto identity = IdentityOf(path);
    if (!identity)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    FileStamp stamp;
    stamp.identity = *identity;
    const auto hash = ContentHash::Of(in);
    if (!hash)
        return std::nullopt;
    stamp.hash = *hash;
    return stamp;
}

} // namespace lexor

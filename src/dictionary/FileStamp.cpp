#include "dictionary/FileStamp.h"

#include <system_error>

namespace lexor {

std::optional<FileStamp> StampOf(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || error)
        return std::nullopt;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(path, error);
    if (error)
        return std::nullopt;
    stamp.modified = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return stamp;
}

} // namespace lexor

// Platform spot for POSIX systems: a file's identity from stat.
#include <sys/stat.h>

#include "files/FileStamp.h"

namespace lexor {

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

} // namespace lexor

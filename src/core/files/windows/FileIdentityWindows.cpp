// Platform spot for Windows: a file's identity from its handle, opened only
// to read its attributes and shared with every other program.
#include <windows.h>

#include "files/FileStamp.h"

namespace lexor {

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path)
{
    const HANDLE file =
        CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL got = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!got)
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}

} // namespace lexor

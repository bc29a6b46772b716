// Platform spot: the only file that calls the operating system's own file
// functions (Win32 on Windows, POSIX elsewhere); everything else reaches files
// through the standard library. The second, smaller spot is LargeBuffer.cpp.
#include "dictionary/FileReplace.h"

#include <cerrno>
#include <cstring>

#include "dictionary/DictionaryFormat.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>
#endif

namespace lexor {
namespace {

#ifdef _WIN32

// Windows: the temporary file is written and flushed through a wide-character
// handle, then moved over the target in one call that replaces it. A target
// that another program holds open without delete sharing cannot be replaced;
// that is retried briefly, then reported with the old file untouched.

constexpr int kReplaceTries = 5;
constexpr DWORD kReplacePauseMs = 100;

// In the ANSI code page, as the C library's messages are.
std::string SystemReason(DWORD code)
{
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length != 0 ? std::string(text, length) : "Windows error " + std::to_string(code);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

bool MayPass(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION;
}

// Access denied also means a read-only file or a folder: only a refused
// request for delete access shows that someone holds the file open.
bool HeldOpenElsewhere(const std::filesystem::path& target)
{
    const HANDLE probe = CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return false;
    }
    const DWORD code = GetLastError();
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
}

// A failed call with no error of its own (a write that wrote nothing) still
// gets a reason, never "The operation completed successfully".
WriteResult Failure(DWORD code)
{
    return {false, SystemReason(code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT)};
}

// A new file beside the target, opened for writing only by us. A name too
// long for the folder falls back to a short one.
HANDLE CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp)
{
    static std::atomic<unsigned> counter{0};
    const std::wstring suffix = L"." + std::to_wstring(GetCurrentProcessId()) + L".";
    std::wstring stem = target.filename().wstring() + suffix;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target.parent_path() / (stem + std::to_wstring(counter++) + L".tmp");
        const HANDLE file =
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        const DWORD code = GetLastError();
        if (code == ERROR_FILENAME_EXCED_RANGE && stem != L".lexor" + suffix)
            stem = L".lexor" + suffix;
        else if (code != ERROR_FILE_EXISTS)
            return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Returns ERROR_SUCCESS or the error.
DWORD WriteAll(HANDLE file, const char* data, std::size_t size)
{
    constexpr std::size_t kChunk = std::size_t{1} << 30;
    while (size > 0) {
        const auto chunk = static_cast<DWORD>(size < kChunk ? size : kChunk);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        data += written;
        size -= written;
    }
    return ERROR_SUCCESS;
}

constexpr DWORD kCopyChunk = DWORD{256} << 10;

// Returns ERROR_SUCCESS or the error of the read or the write that failed.
DWORD CopyAll(HANDLE from, HANDLE to)
{
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from, buffer.data(), kCopyChunk, &got, nullptr))
            return GetLastError();
        if (got == 0)
            return ERROR_SUCCESS;
        if (const DWORD error = WriteAll(to, buffer.data(), got))
            return error;
    }
}

// fill writes the new contents into the temporary file and returns
// ERROR_SUCCESS or the error.
template <typename Fill> WriteResult ReplaceWith(const std::filesystem::path& target, Fill fill)
{
    std::filesystem::path temp;
    const HANDLE file = CreateTemporary(target, temp);
    if (file == INVALID_HANDLE_VALUE)
        return Failure(GetLastError());
    DWORD error = fill(file);
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file))
        error = GetLastError();
    if (!CloseHandle(file) && error == ERROR_SUCCESS)
        error = GetLastError();
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temp.c_str());
        return Failure(error);
    }

    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < kReplaceTries; ++attempt) {
        if (attempt > 0)
            Sleep(kReplacePauseMs);
        if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {true, {}};
        code = GetLastError();
        if (!MayPass(code))
            break;
    }
    DeleteFileW(temp.c_str());
    WriteResult result = Failure(code);
    result.sharingViolation = MayPass(code) && (code != ERROR_ACCESS_DENIED || HeldOpenElsewhere(target));
    return result;
}

WriteResult ReplaceWithBytes(const std::filesystem::path& target, std::string_view bytes)
{
    return ReplaceWith(target, [bytes](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}

// The source is read through its own handle, sharing it with any program
// that has it open, and streamed into the temporary file; a folder or
// anything but a disk file is refused, as the reader refuses it.
WriteResult ReplaceWithCopy(const std::filesystem::path& source, const std::filesystem::path& target)
{
    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Failure(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return {false, std::strerror(EISDIR)};
    const HANDLE from =
        CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (from == INVALID_HANDLE_VALUE)
        return Failure(GetLastError());
    if (GetFileType(from) != FILE_TYPE_DISK) {
        CloseHandle(from);
        return {false, std::string(kNotAFileReason)};
    }
    WriteResult result = ReplaceWith(target, [from](HANDLE file) { return CopyAll(from, file); });
    CloseHandle(from);
    return result;
}

#else

// POSIX: the temporary file is created beside the target under a name nobody
// else holds (O_EXCL), given the target's permission bits, written in full
// and fsynced, closed, then renamed over the target; the folder is fsynced
// last so the rename itself survives a power cut. A symbolic link is followed
// and the file it names is replaced, so the link stays a link.

constexpr int kCreateTries = 100;
constexpr std::size_t kCopyChunk = std::size_t{256} << 10;

WriteResult Failure(int code)
{
    return {false, std::strerror(code)};
}

std::filesystem::path ResolvedTarget(const std::filesystem::path& target)
{
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return target;
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (resolved == nullptr)
        return target;
    std::filesystem::path path(resolved);
    std::free(resolved);
    return path;
}

std::filesystem::path FolderOf(const std::filesystem::path& target)
{
    const auto folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Returns the open descriptor, or -1 with errno set.
int CreateTemporary(const std::filesystem::path& target, mode_t mode, std::filesystem::path& temp)
{
    static std::atomic<unsigned> counter{0};
    std::string suffix = ".";
    suffix += std::to_string(::getpid());
    suffix += '.';
    std::string stem = target.filename().string() + suffix;
    for (int attempt = 0; attempt < kCreateTries; ++attempt) {
        temp = FolderOf(target) / (stem + std::to_string(counter++) + ".tmp");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        if (errno == ENAMETOOLONG && stem != ".lexor" + suffix)
            stem = ".lexor" + suffix;
        else if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// Returns 0 or the error.
int WriteAll(int fd, const char* data, std::size_t size)
{
    constexpr std::size_t kMaxWrite = std::size_t{1} << 30;
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size < kMaxWrite ? size : kMaxWrite);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

int CopyAll(int from, int to)
{
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return 0;
        if (const int error = WriteAll(to, buffer.data(), static_cast<std::size_t>(got)))
            return error;
    }
}

// The rename has already replaced the target here; a folder that cannot be
// flushed is still reported, since the new contents may not survive a crash.
// File systems that cannot flush folders at all (EINVAL) are not an error.
WriteResult SyncFolder(const std::filesystem::path& target)
{
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return {true, {}};
    const int error = ::fsync(folder) == 0 || errno == EINVAL ? 0 : errno;
    ::close(folder);
    return error == 0 ? WriteResult{true, {}} : Failure(error);
}

// fill writes the new contents into the temporary file and returns 0 or the error.
template <typename Fill> WriteResult ReplaceWith(const std::filesystem::path& requested, Fill fill)
{
    const std::filesystem::path target = ResolvedTarget(requested);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Failure(errno);
    if (exists && S_ISDIR(old.st_mode))
        return Failure(EISDIR);
    // A FIFO or a device in the target's place is not a dictionary to replace.
    if (exists && !S_ISREG(old.st_mode))
        return {false, std::string(kNotAFileReason)};

    std::filesystem::path temp;
    // A new file gets 0666 less the umask; a replaced one its old bits, which
    // may be narrower, so the contents are never readable to more than before.
    const int fd = CreateTemporary(target, exists ? S_IRUSR | S_IWUSR : 0666, temp);
    if (fd < 0)
        return Failure(errno);
    int error = exists && ::fchmod(fd, old.st_mode & 07777) != 0 ? errno : 0;
    if (error == 0)
        error = fill(fd);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failure(error);
    }
    return SyncFolder(target);
}

WriteResult ReplaceWithBytes(const std::filesystem::path& target, std::string_view bytes)
{
    return ReplaceWith(target, [bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

// The source is checked before it is opened, and opened without blocking, so
// a FIFO or a device is refused instead of waited on.
WriteResult ReplaceWithCopy(const std::filesystem::path& source, const std::filesystem::path& target)
{
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0)
        return Failure(errno);
    if (S_ISDIR(info.st_mode))
        return Failure(EISDIR);
    if (!S_ISREG(info.st_mode))
        return {false, std::string(kNotAFileReason)};
    const int from = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (from < 0)
        return Failure(errno);
    if (::fstat(from, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        ::close(from);
        return S_ISREG(info.st_mode) ? Failure(error) : WriteResult{false, std::string(kNotAFileReason)};
    }
    WriteResult result = ReplaceWith(target, [from](int fd) { return CopyAll(from, fd); });
    ::close(from);
    return result;
}

#endif

} // namespace

WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes)
{
    return ReplaceWithBytes(target, bytes);
}

WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target)
{
    return ReplaceWithCopy(source, target);
}

} // namespace lexor

#include "dictionary/FileReplace.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <string>
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

WriteResult Failure(DWORD code)
{
    return {false, SystemReason(code)};
}

// A new file beside the target, opened for writing only by us.
HANDLE CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp)
{
    static std::atomic<unsigned> counter{0};
    const std::wstring stem = target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target.parent_path() / (stem + std::to_wstring(counter++) + L".tmp");
        const HANDLE file =
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    constexpr std::size_t kChunk = std::size_t{1} << 30;
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(bytes.size() < kChunk ? bytes.size() : kChunk);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), size, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

WriteResult ReplaceWithBytes(const std::filesystem::path& target, std::string_view bytes)
{
    std::filesystem::path temp;
    const HANDLE file = CreateTemporary(target, temp);
    if (file == INVALID_HANDLE_VALUE)
        return Failure(GetLastError());
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    const DWORD writeError = GetLastError();
    CloseHandle(file);
    if (!written) {
        DeleteFileW(temp.c_str());
        return Failure(writeError);
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

#else

WriteResult ReplaceWithBytes(const std::filesystem::path& target, std::string_view bytes)
{
    auto temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return {false, std::strerror(errno)};
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return {false, ec.message()};
    }
    return {true, {}};
}

#endif

} // namespace

WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes)
{
    return ReplaceWithBytes(target, bytes);
}

WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return {false, std::strerror(errno)};
    std::ostringstream all;
    all << in.rdbuf();
    return ReplaceFileContents(target, all.view());
}

} // namespace lexor

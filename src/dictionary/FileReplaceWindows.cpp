// Platform spot for Windows: the only file that calls Win32's own file
// functions; everything else reaches files through the standard library.
#include "dictionary/FileReplace.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "dictionary/FolderOf.h"
#include "dictionary/TemporaryFiles.h"

namespace lexor {
namespace {

// The temporary file is written and flushed through a wide-character handle,
// then moved over the target in one call that replaces it. A target that
// another program holds open without delete sharing cannot be replaced; that
// is retried briefly, then reported with the old file untouched. A read-only
// target is refused before anything is written, and the temporaries a dead
// process left for the same target are removed.
//
// Every path reaches Win32 in its long form, so paths longer than the
// system's old 260-character limit work as others do.

constexpr int kReplaceTries = 5;
constexpr DWORD kReplacePauseMs = 100;

// The system's failures in the terms the rest of the program words; those
// without a portable meaning keep their Windows code.
std::error_code ErrorOf(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_WRITE_PROTECT:
        return std::make_error_code(std::errc::read_only_file_system);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_FILENAME_EXCED_RANGE:
        return std::make_error_code(std::errc::filename_too_long);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileErrc::HeldOpen;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return std::make_error_code(std::errc::not_enough_memory);
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_CRC:
        return std::make_error_code(std::errc::io_error);
    default:
        return {static_cast<int>(code), std::system_category()};
    }
}

// A path as Win32 takes it at any length: full, behind "\\?\". Such a path
// is taken as written, so it is made full first, with the current folder,
// "." and ".." and "/" resolved as Windows resolves them for a short path.
// A device name ("NUL") keeps the form Windows gives it, and a path that
// cannot be made full is passed on as it is, for the call to refuse.
std::wstring LongForm(const std::filesystem::path& path)
{
    const std::wstring& given = path.native();
    const auto startsWith = [](const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; };
    if (startsWith(given, LR"(\\?\)") || startsWith(given, LR"(\\.\)"))
        return given;
    std::wstring full(given.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return given;
        const bool fits = length < full.size();
        full.resize(length);
        if (fits)
            break;
    }
    if (startsWith(full, LR"(\\.\)"))
        return full;
    if (startsWith(full, LR"(\\)"))
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

bool MayPass(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION;
}

// Access denied also means a read-only file or a folder: only a refused
// request for delete access shows that someone holds the file open.
bool HeldOpenElsewhere(const std::wstring& target)
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
// gets a reason, never success.
WriteResult Failure(DWORD code)
{
    return {false, ErrorOf(code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT)};
}

WriteResult Failure(std::errc code)
{
    return {false, std::make_error_code(code)};
}

WriteResult Failure(FileErrc code)
{
    return {false, code};
}

void RemoveLeftTemporaries(const std::filesystem::path& target)
{
    for (const LeftTemporary& left : TemporariesFor(target, GetCurrentProcessId())) {
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(left.processId));
        if (process == nullptr) {
            if (GetLastError() == ERROR_INVALID_PARAMETER)
                DeleteFileW(LongForm(left.path).c_str());
            continue;
        }
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            DeleteFileW(LongForm(left.path).c_str());
        CloseHandle(process);
    }
}

// Nothing is written over a file the user has marked read-only, nor over a
// folder in its place.
WriteResult CheckTarget(const std::wstring& target)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? WriteResult{true, {}} : Failure(code);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Failure(std::errc::is_a_directory);
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return Failure(FileErrc::WriteProtected);
    return {true, {}};
}

// A new file beside the target, opened for writing only by us. A name the
// folder refuses as too long falls back to a short one.
HANDLE CreateTemporary(const std::filesystem::path& target, std::wstring& temp)
{
    static std::atomic<unsigned> counter{0};
    bool shortForm = false;
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temp = LongForm(FolderOf(target) / TemporaryName(target, GetCurrentProcessId(), counter++, shortForm));
        const HANDLE file =
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        const DWORD code = GetLastError();
        if ((code == ERROR_FILENAME_EXCED_RANGE || code == ERROR_INVALID_NAME) && !shortForm)
            shortForm = true;
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
template <typename Fill> WriteResult ReplaceWith(const std::filesystem::path& requested, Fill fill)
{
    const std::wstring target = LongForm(requested);
    if (WriteResult checked = CheckTarget(target); !checked)
        return checked;
    RemoveLeftTemporaries(requested);
    std::wstring temp;
    const HANDLE file = CreateTemporary(requested, temp);
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
    if (code == ERROR_ACCESS_DENIED && HeldOpenElsewhere(target))
        return Failure(FileErrc::HeldOpen);
    return Failure(code);
}

} // namespace

WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes)
{
    return ReplaceWith(target, [bytes](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}

// The source is read through its own handle, sharing it with any program
// that has it open, and streamed into the temporary file; a folder or
// anything but a disk file is refused, as the reader refuses it.
WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target)
{
    const std::wstring sourcePath = LongForm(source);
    const DWORD attributes = GetFileAttributesW(sourcePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Failure(GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Failure(std::errc::is_a_directory);
    const HANDLE from =
        CreateFileW(sourcePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (from == INVALID_HANDLE_VALUE)
        return Failure(GetLastError());
    if (GetFileType(from) != FILE_TYPE_DISK) {
        CloseHandle(from);
        return Failure(FileErrc::NotAFile);
    }
    WriteResult result = ReplaceWith(target, [from](HANDLE file) { return CopyAll(from, file); });
    CloseHandle(from);
    return result;
}

} // namespace lexor

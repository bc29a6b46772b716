// Platform spot for Windows: the only file that calls Win32's own file
// functions; everything else reaches files through the standard library.
#include "dictionary/FileReplace.h"

#include <windows.h>

#include <aclapi.h>

#include <atomic>
#include <string>
#include <vector>

#include "dictionary/FolderOf.h"
#include "dictionary/TemporaryFiles.h"

namespace lexor {
namespace {

// The temporary file is written and flushed through a wide-character handle,
// then put in the target's place by ReplaceFileW, which keeps what the user
// set on the old file: its attributes, its access rights (the security
// descriptor's access list), its creation time and its other streams. Where
// that call cannot be used (there is no old file yet, or the file system does
// not take it) the temporary file is moved over the target in one call
// instead, as it is on other systems; it was made with the old file's
// attributes and access rights, so a hidden dictionary stays hidden and a
// private one private either way.
//
// A target that another program holds open without delete sharing cannot be
// replaced; that is retried briefly, then reported with the old file
// untouched. A read-only target is refused before anything is written, and
// the temporaries a dead process left for the same target are removed.
//
// Every path reaches Win32 in its long form, so paths longer than the
// system's old 260-character limit work as others do.

constexpr int kReplaceTries = 5;
constexpr DWORD kReplacePauseMs = 100;

// The attributes a replaced file keeps whichever way it is replaced; the
// others are ReplaceFileW's to keep. Read-only is refused before, and the
// archive mark is set by any change, as it should be.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

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

// ReplaceFileW reports a replaced file it could not remove (one held open,
// say) in a code of its own.
bool MayPass(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || code == ERROR_LOCK_VIOLATION ||
           code == ERROR_UNABLE_TO_REMOVE_REPLACED;
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
// folder in its place. attributes are the old file's, or
// INVALID_FILE_ATTRIBUTES when there is none.
WriteResult CheckTarget(const std::wstring& target, DWORD& attributes)
{
    attributes = GetFileAttributesW(target.c_str());
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

// A new file beside the target with the given attributes, opened for writing
// (and setting its access rights) only by us. A name the folder refuses as too
// long falls back to a short one.
HANDLE CreateTemporary(const std::filesystem::path& target, DWORD attributes, std::wstring& temp)
{
    static std::atomic<unsigned> counter{0};
    bool shortForm = false;
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temp = LongForm(FolderOf(target) / TemporaryName(target, GetCurrentProcessId(), counter++, shortForm));
        const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE | WRITE_DAC, 0, nullptr, CREATE_NEW,
                                        attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
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

// The old file's access list onto the new one as it stands, with the entries
// the folder handed down to it and whether it takes them at all: the new file
// lies in the same folder, so these are what the folder hands down to it too.
// A file system without access lists has none to give, and the new file then
// has what any new file there has.
void TakeAccessRights(const std::wstring& from, HANDLE to)
{
    const HANDLE file = CreateFileW(from.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr,
                        &descriptor) == ERROR_SUCCESS) {
        SetKernelObjectSecurity(to, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    CloseHandle(file);
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

// Calls put until it succeeds or fails for a reason a moment cannot change.
// Returns ERROR_SUCCESS or the last error.
template <typename Put> DWORD Retried(Put put)
{
    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < kReplaceTries; ++attempt) {
        if (attempt > 0)
            Sleep(kReplacePauseMs);
        if (put())
            return ERROR_SUCCESS;
        code = GetLastError();
        if (!MayPass(code))
            break;
    }
    return code;
}

// ReplaceFileW takes no request to write through (its flag for it is
// documented as unsupported), so the file is flushed under its new name, as
// MoveFileExW is asked to do for the rename. The file has been replaced by
// then: a flush that cannot be made does not undo the save.
void FlushReplaced(const std::wstring& target)
{
    const HANDLE file =
        CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FlushFileBuffers(file);
    CloseHandle(file);
}

// Puts the finished temporary file in place of the target, and of the old
// file where replacing, keeping what the user set on that. ReplaceFileW is
// not asked to replace a file another program holds: it would fail as the move
// does, and Wine's leaves a file of its own beside it each time. What it
// cannot do (a file system that does not take it, an old file it removed but
// could not put the new one in place of) the move does, unless waiting showed
// that another program holds the old file or it has become read-only, which
// the move would meet as well.
WriteResult PutInPlace(const std::wstring& temp, const std::wstring& target, bool replacing)
{
    if (replacing) {
        const DWORD code = Retried([&] {
            if (HeldOpenElsewhere(target)) {
                SetLastError(ERROR_SHARING_VIOLATION);
                return FALSE;
            }
            return ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr);
        });
        if (code == ERROR_SUCCESS) {
            FlushReplaced(target);
            return {true, {}};
        }
        if (MayPass(code)) {
            if (HeldOpenElsewhere(target))
                return Failure(FileErrc::HeldOpen);
            DWORD attributes = 0;
            if (WriteResult checked = CheckTarget(target, attributes); !checked)
                return checked;
        }
    }
    const DWORD code = Retried(
        [&] { return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); });
    if (code == ERROR_SUCCESS)
        return {true, {}};
    if (code == ERROR_ACCESS_DENIED && HeldOpenElsewhere(target))
        return Failure(FileErrc::HeldOpen);
    return Failure(code);
}

// fill writes the new contents into the temporary file and returns
// ERROR_SUCCESS or the error.
template <typename Fill> WriteResult ReplaceWith(const std::filesystem::path& requested, Fill fill)
{
    const std::wstring target = LongForm(requested);
    DWORD attributes = 0;
    if (WriteResult checked = CheckTarget(target, attributes); !checked)
        return checked;
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    RemoveLeftTemporaries(requested);
    std::wstring temp;
    const HANDLE file = CreateTemporary(requested, replacing ? attributes & kKeptAttributes : 0, temp);
    if (file == INVALID_HANDLE_VALUE)
        return Failure(GetLastError());
    if (replacing)
        TakeAccessRights(target, file);
    DWORD error = fill(file);
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file))
        error = GetLastError();
    if (!CloseHandle(file) && error == ERROR_SUCCESS)
        error = GetLastError();
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temp.c_str());
        return Failure(error);
    }

    const WriteResult put = PutInPlace(temp, target, replacing);
    // Should ReplaceFileW have removed the old file and the move then failed
    // too, the temporary file holds the only copy of the dictionary left and
    // is not removed.
    const bool lost = replacing && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (!put && !lost)
        DeleteFileW(temp.c_str());
    return put;
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

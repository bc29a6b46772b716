// Platform spot for Windows: the only file that calls Win32's own file
// functions; everything else reaches files through the standard library.
#include "files/FileReplace.h"

#include <windows.h>

#include <aclapi.h>
#include <shellapi.h>

#include <atomic>
#include <string>
#include <vector>

#include "files/ContentHash.h"
#include "files/FolderOf.h"
#include "files/NumberedName.h"
#include "files/TemporaryFiles.h"

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
//
// A replaced file to be kept is moved aside to its new name by the same
// ReplaceFileW call that puts the new file in place (or, where the move
// replaces the target, linked or copied to it first), then sent to the
// Recycle Bin through the shell, which records where it lay, so that
// "Ripristina" puts it back beside the target under that name. Only fixed
// drives have a Recycle Bin, and only paths within the old limit reach the
// shell's call; elsewhere the old file cannot be kept and nothing is replaced.

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
    case ERROR_NOT_SUPPORTED:
        return std::make_error_code(std::errc::not_supported);
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

// What a copy's fill returns for a source that changed as it was copied: an
// error of the program's own, which Windows never gives.
constexpr DWORD kSourceChanged = (DWORD{1} << 29) | 1;

// A failed call with no error of its own (a write that wrote nothing) still
// gets a reason, never success.
WriteResult Failure(DWORD code)
{
    if (code == kSourceChanged)
        return {false, FileErrc::SourceChanged};
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

WriteResult NotKept(DWORD cause)
{
    return {false, FileErrc::NotKept, ErrorOf(cause)};
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A long-form path as the shell takes it, without the "\\?\" prefix.
std::wstring ShellForm(const std::wstring& path)
{
    if (path.rfind(LR"(\\?\UNC\)", 0) == 0)
        return LR"(\\)" + path.substr(8);
    if (path.rfind(LR"(\\?\)", 0) == 0)
        return path.substr(4);
    return path;
}

// Why the Recycle Bin cannot take the file at path (in its long form), or
// ERROR_SUCCESS. A drive that is not fixed (removable, network, optical)
// has none, and the shell would delete for good what is sent there.
DWORD RecycleBinRefusal(const std::wstring& path)
{
    const std::wstring shell = ShellForm(path);
    if (shell.size() >= MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    const std::wstring folder = std::filesystem::path(shell).parent_path().native();
    std::wstring root(folder.size() + 2, L'\0');
    if (!GetVolumePathNameW(folder.c_str(), root.data(), static_cast<DWORD>(root.size())))
        return GetLastError();
    root.resize(root.find(L'\0'));
    return GetDriveTypeW(root.c_str()) == DRIVE_FIXED ? ERROR_SUCCESS : ERROR_NOT_SUPPORTED;
}

// The name in target's folder that the old file takes on its way to the
// Recycle Bin: name, or the first numbered one that names nothing there.
// Returns ERROR_SUCCESS or why it cannot be kept.
DWORD ChooseKeptName(const std::filesystem::path& target, const std::filesystem::path& name,
                     std::filesystem::path& kept)
{
    if (name.empty() || name != name.filename() || name == "." || name == "..")
        return ERROR_INVALID_NAME;
    for (int number = 1; number <= 1000; ++number) {
        kept = FolderOf(target) / NumberedName(name, number);
        const std::wstring path = LongForm(kept);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND)
            return code;
        return RecycleBinRefusal(path);
    }
    return ERROR_FILE_EXISTS;
}

DWORD LinksOf(const std::wstring& path)
{
    const HANDLE file =
        CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD links = GetFileInformationByHandle(file, &info) ? info.nNumberOfLinks : 0;
    CloseHandle(file);
    return links;
}

// Sends the old file, moved aside to kept, to the Recycle Bin. The shell
// deletes for good, and reports success all the same, what the Recycle Bin
// will not take (a bin turned off, or too small for the file): a second link
// to the file, made first, tells which happened, since a recycled file keeps
// both its links and a deleted one leaves the second alone, which then takes
// the kept name back beside the target. Where no second link can be made (a
// file system without them) the shell's word is taken.
WriteResult::Kept Recycle(std::filesystem::path& kept)
{
    static std::atomic<unsigned> counter{0};
    const std::wstring path = LongForm(kept);
    const std::filesystem::path spareName =
        FolderOf(kept) / TemporaryName(kept, GetCurrentProcessId(), counter++, false);
    const std::wstring spare = LongForm(spareName);
    const bool linked = CreateHardLinkW(spare.c_str(), path.c_str(), nullptr) != FALSE;

    // The shell takes a list of paths, each ended by a NUL, the list by another.
    std::wstring from = ShellForm(path);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    const bool done = SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
    const bool gone = !Exists(path);

    if (!linked)
        return gone ? (done ? WriteResult::Kept::InTrash : WriteResult::Kept::Nothing)
                    : WriteResult::Kept::BesideTarget;
    if (!gone) {
        DeleteFileW(spare.c_str());
        return WriteResult::Kept::BesideTarget;
    }
    if (LinksOf(spare) > 1) {
        DeleteFileW(spare.c_str());
        return WriteResult::Kept::InTrash;
    }
    if (!MoveFileExW(spare.c_str(), path.c_str(), 0))
        kept = spareName;
    return WriteResult::Kept::BesideTarget;
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

// Copies all that is left of from into to, a chunk of the digest's size at
// a time, and digests it as it goes when asked. Returns ERROR_SUCCESS or the
// error of the read or the write that failed.
DWORD CopyAll(HANDLE from, HANDLE to, ContentHash::Running* digest)
{
    std::vector<char> buffer(ContentHash::kChunk);
    for (bool end = false; !end;) {
        std::size_t filled = 0;
        while (filled < buffer.size()) {
            DWORD got = 0;
            if (!ReadFile(from, buffer.data() + filled, static_cast<DWORD>(buffer.size() - filled), &got, nullptr))
                return GetLastError();
            if (got == 0) {
                end = true;
                break;
            }
            filled += got;
        }
        if (digest != nullptr)
            digest->Add(buffer.data(), filled);
        if (const DWORD error = WriteAll(to, buffer.data(), filled))
            return error;
    }
    return ERROR_SUCCESS;
}

// Whether the file open as from is still the one stamped, holding the
// bytes digested.
bool StillAsRead(HANDLE from, const ContentHash::Running& digest, const FileStamp& asRead)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(from, &info))
        return false;
    const FileIdentity identity{info.dwVolumeSerialNumber,
                                static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
    return identity == asRead.identity && digest.Digest() == asRead.hash;
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
//
// With a name in kept, the old file takes that name: ReplaceFileW moves it
// there in the same call; should it then fail to put the new file in place,
// the move does, or the old file goes back. Before the move replaces the
// target, the old file is linked, or else copied, to that name.
WriteResult PutInPlace(const std::wstring& temp, const std::wstring& target, bool replacing, const std::wstring& kept)
{
    const bool keep = replacing && !kept.empty();
    if (replacing) {
        const DWORD code = Retried([&] {
            if (HeldOpenElsewhere(target)) {
                SetLastError(ERROR_SHARING_VIOLATION);
                return FALSE;
            }
            return ReplaceFileW(target.c_str(), temp.c_str(), keep ? kept.c_str() : nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr);
        });
        if (code == ERROR_SUCCESS) {
            FlushReplaced(target);
            return {true, {}};
        }
        if (keep && !Exists(target) && Exists(kept)) {
            if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
                return {true, {}};
            const DWORD moveCode = GetLastError();
            MoveFileExW(kept.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
            return Failure(moveCode);
        }
        if (MayPass(code)) {
            if (HeldOpenElsewhere(target))
                return Failure(FileErrc::HeldOpen);
            DWORD attributes = 0;
            if (WriteResult checked = CheckTarget(target, attributes); !checked)
                return checked;
        }
    }
    if (keep && !CreateHardLinkW(kept.c_str(), target.c_str(), nullptr) &&
        !CopyFileW(target.c_str(), kept.c_str(), TRUE))
        return NotKept(GetLastError());
    const DWORD code = Retried(
        [&] { return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); });
    if (code == ERROR_SUCCESS)
        return {true, {}};
    if (keep)
        DeleteFileW(kept.c_str());
    if (code == ERROR_ACCESS_DENIED && HeldOpenElsewhere(target))
        return Failure(FileErrc::HeldOpen);
    return Failure(code);
}

// fill writes the new contents into the temporary file and returns
// ERROR_SUCCESS or the error.
template <typename Fill>
WriteResult ReplaceWith(const std::filesystem::path& requested, const ReplaceOptions& options, Fill fill)
{
    const std::wstring target = LongForm(requested);
    DWORD attributes = 0;
    if (WriteResult checked = CheckTarget(target, attributes); !checked)
        return checked;
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    std::filesystem::path kept;
    if (replacing && !options.keepReplacedAs.empty()) {
        if (const DWORD cause = ChooseKeptName(requested, options.keepReplacedAs, kept))
            return NotKept(cause);
    }
    RemoveLeftTemporaries(requested);
    std::wstring temp;
    const HANDLE file = CreateTemporary(requested, replacing ? attributes & kKeptAttributes : 0, temp);
    if (file == INVALID_HANDLE_VALUE) {
        // The new file is made in the folder: refused there, it is the
        // folder, not the file, that may not be written.
        const DWORD code = GetLastError();
        return code == ERROR_ACCESS_DENIED ? Failure(FileErrc::FolderWriteProtected) : Failure(code);
    }
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

    WriteResult put = PutInPlace(temp, target, replacing, kept.empty() ? std::wstring() : LongForm(kept));
    // Should ReplaceFileW have removed the old file and the move then failed
    // too, the temporary file holds the only copy of the dictionary left and
    // is not removed.
    const bool lost = replacing && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (!put && !lost)
        DeleteFileW(temp.c_str());
    if (put && !kept.empty()) {
        put.kept = Recycle(kept);
        if (put.kept != WriteResult::Kept::Nothing)
            put.keptAs = kept;
    }
    return put;
}

} // namespace

WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                                const ReplaceOptions& options)
{
    return ReplaceWith(target, options, [bytes](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}

// The source is read through its own handle, sharing it with any program
// that has it open, and streamed into the temporary file; a folder or
// anything but a disk file is refused, as the reader refuses it.
WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                                const ReplaceOptions& options, const FileStamp* asRead)
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
    WriteResult result = ReplaceWith(target, options, [from, asRead](HANDLE file) {
        ContentHash::Running digest;
        if (const DWORD error = CopyAll(from, file, &digest))
            return error;
        return asRead == nullptr || StillAsRead(from, digest, *asRead) ? DWORD{ERROR_SUCCESS} : kSourceChanged;
    });
    CloseHandle(from);
    return result;
}

bool CanKeepReplacedFile(const std::filesystem::path& target)
{
    return RecycleBinRefusal(LongForm(target)) == ERROR_SUCCESS;
}

} // namespace lexor

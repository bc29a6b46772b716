// Platform spot for POSIX systems: the only file that calls the system's own
// file functions; everything else reaches files through the standard library.
#include "files/FileReplace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/ContentHash.h"
#include "files/FolderOf.h"
#include "files/TemporaryFiles.h"
#include "files/TrashSlot.h"

namespace lexor {
namespace {

// The new contents go into a temporary file in the target's folder, which
// takes the target's owner and group (where the process may set them), its
// extended attributes (ACLs among them on Linux) and its exact permission
// bits, is written in full and fsynced, then renamed over the target; the
// folder is fsynced last so the rename itself survives a power cut.
//
// Where the system offers an unnamed temporary file (Linux O_TMPFILE), it is
// given a name only once it is complete, just before the rename, so a save
// killed on the way leaves nothing behind. Otherwise the next save of the same
// target removes the temporaries a dead process left for it.
//
// The rename needs only the folder's permission: a target the user may not
// write is refused, as it would be to any program writing into it. A symbolic
// link is followed and the file it names is replaced, so the link stays a link.
//
// A replaced file to be kept goes to the trash (TrashSlot.h) once the new
// contents are complete and before the rename, so the rename stays the one
// step that replaces the target: it then leaves the old file in the trash.

// What a copy's fill returns for a source that changed as it was copied: no
// error the system has.
constexpr int kSourceChanged = -1;

WriteResult Failure(int code)
{
    if (code == kSourceChanged)
        return {false, FileErrc::SourceChanged};
    return {false, std::error_code(code, std::generic_category())};
}

WriteResult Failure(FileErrc code)
{
    return {false, code};
}

WriteResult NotKept(int cause)
{
    return {false, FileErrc::NotKept, std::error_code(cause, std::generic_category())};
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

unsigned NextCounter()
{
    static std::atomic<unsigned> counter{0};
    return counter++;
}

// A process that cannot be signalled for want of permission is alive.
void RemoveLeftTemporaries(const std::filesystem::path& target)
{
    for (const LeftTemporary& left : TemporariesFor(target, static_cast<unsigned long>(::getpid()))) {
        if (::kill(static_cast<pid_t>(left.processId), 0) != 0 && errno == ESRCH)
            ::unlink(left.path.c_str());
    }
}

// Finds a temporary name beside target that nobody else holds: create makes
// the file under it only if it is free (O_EXCL, linkat). Returns 0 or the
// error, with temp empty then, so no one else's file is ever removed.
template <typename Create> int Name(const std::filesystem::path& target, std::filesystem::path& temp, Create create)
{
    bool shortForm = false;
    int error = EEXIST;
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temp =
            FolderOf(target) / TemporaryName(target, static_cast<unsigned long>(::getpid()), NextCounter(), shortForm);
        if (create(temp) == 0)
            return 0;
        error = errno;
        if (error == ENAMETOOLONG && !shortForm)
            shortForm = true;
        else if (error != EEXIST)
            break;
    }
    temp.clear();
    return error;
}

// Returns an open descriptor for an unnamed file in the target's folder, or -1.
// Naming it later goes through /proc, or needs root without it.
int CreateUnnamed(const std::filesystem::path& target, mode_t mode)
{
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) != 0 && ::geteuid() != 0)
        return -1;
    return ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
#else
    (void)target;
    (void)mode;
    return -1;
#endif
}

int LinkUnnamed(int fd, const std::filesystem::path& temp)
{
#ifdef O_TMPFILE
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno == EEXIST || errno == ENAMETOOLONG)
        return -1;
    return ::linkat(fd, "", AT_FDCWD, temp.c_str(), AT_EMPTY_PATH);
#else
    (void)fd;
    (void)temp;
    errno = ENOTSUP;
    return -1;
#endif
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

// Copies all that is left of from into to, a chunk of the digest's size at
// a time, and digests it as it goes when asked. Returns 0 or the error.
int CopyAll(int from, int to, ContentHash::Running* digest = nullptr)
{
    std::vector<char> buffer(ContentHash::kChunk);
    for (bool end = false; !end;) {
        std::size_t filled = 0;
        while (filled < buffer.size()) {
            const ssize_t got = ::read(from, buffer.data() + filled, buffer.size() - filled);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            if (got == 0) {
                end = true;
                break;
            }
            filled += static_cast<std::size_t>(got);
        }
        if (digest != nullptr)
            digest->Add(buffer.data(), filled);
        if (const int error = WriteAll(to, buffer.data(), filled))
            return error;
    }
    return 0;
}

#ifdef __linux__
// The NUL-separated names of a file's extended attributes.
std::vector<std::string> AttributeNames(ssize_t (*list)(int, const char*, char*, std::size_t), int fd, const char* path)
{
    std::vector<char> buffer;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const ssize_t size = list(fd, path, nullptr, 0);
        if (size <= 0)
            return {};
        buffer.resize(static_cast<std::size_t>(size));
        const ssize_t got = list(fd, path, buffer.data(), buffer.size());
        if (got >= 0) {
            buffer.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE)
            return {};
    }
    std::vector<std::string> names;
    for (std::size_t at = 0; at < buffer.size();) {
        names.emplace_back(buffer.data() + at);
        at += names.back().size() + 1;
    }
    return names;
}

ssize_t ListOfPath(int, const char* path, char* list, std::size_t size)
{
    return ::listxattr(path, list, size);
}

ssize_t ListOfFile(int fd, const char*, char* list, std::size_t size)
{
    return ::flistxattr(fd, list, size);
}

// The old file's extended attributes onto the new one, and none it lacked
// (such as a default ACL the folder hands down). Attributes the process may
// not set (trusted.*, security.* for a plain user) are passed over, as they
// would be by any copy it made. Returns 0 or the error.
int CopyAttributes(const std::filesystem::path& from, int to)
{
    const std::vector<std::string> names = AttributeNames(ListOfPath, -1, from.c_str());
    for (const std::string& name : AttributeNames(ListOfFile, to, nullptr)) {
        if (std::find(names.begin(), names.end(), name) == names.end())
            ::fremovexattr(to, name.c_str());
    }
    std::vector<char> value;
    for (const std::string& name : names) {
        const ssize_t size = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            continue;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
        if (got < 0)
            continue;
        if (::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(got), 0) != 0 && errno != EPERM &&
            errno != EACCES && errno != ENOTSUP)
            return errno;
    }
    return 0;
}
#else
int CopyAttributes(const std::filesystem::path&, int)
{
    return 0;
}
#endif

// Owner and group first, since a change of owner clears the set-user-ID bit;
// then the attributes, since an ACL sets the group bits; then the exact bits.
// A plain user may give the file only a group of their own, and keeps it
// otherwise. Returns 0 or the error.
int TakeOver(const std::filesystem::path& target, const struct stat& old, int fd)
{
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno == EPERM)
        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    if (const int error = CopyAttributes(target, fd))
        return error;
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// Once the rename has replaced the target the save has happened: a folder
// that cannot then be flushed does not undo it, so it is not reported.
void SyncFolder(const std::filesystem::path& target)
{
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
}

// A copy of the old file, with its owner, attributes and bits, where the
// trash's folder takes no second link to it. Returns 0 or the error, with
// no copy left then.
int CopyForTrash(const std::filesystem::path& target, const struct stat& old, const std::filesystem::path& copy)
{
    const int from = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return errno;
    const int to = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (to < 0) {
        const int error = errno;
        ::close(from);
        return error;
    }
    int error = TakeOver(target, old, to);
    if (error == 0)
        error = CopyAll(from, to);
    if (error == 0 && ::fsync(to) != 0)
        error = errno;
    if (::close(to) != 0 && error == 0)
        error = errno;
    ::close(from);
    if (error != 0)
        ::unlink(copy.c_str());
    return error;
}

// Puts the old file in a slot of the trash: a second link to it, which costs
// nothing and which the rename then leaves as the file's only name, or where
// the file system refuses one (another volume behind a bind mount, a file
// system without links, a link the system protects), a copy. Returns 0 or the
// error, with nothing left in the trash then.
int KeepInTrash(const std::filesystem::path& target, const struct stat& old, const std::filesystem::path& name,
                TrashSlot& slot)
{
    if (const int error = ReserveTrashSlot(target, name, slot))
        return error;
    int error = ::link(target.c_str(), slot.file.c_str()) == 0 ? 0 : errno;
    if (error == EXDEV || error == EPERM || error == EMLINK || error == ENOTSUP || error == EOPNOTSUPP ||
        error == ENOSYS)
        error = CopyForTrash(target, old, slot.file);
    if (error != 0) {
        TakeBackTrashSlot(slot);
        return error;
    }
    SyncFolder(slot.file);
    return 0;
}

// fill writes the new contents into the temporary file and returns 0 or the error.
template <typename Fill>
WriteResult ReplaceWith(const std::filesystem::path& requested, const ReplaceOptions& options, Fill fill)
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
        return Failure(FileErrc::NotAFile);
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errno == EACCES ? Failure(FileErrc::WriteProtected) : Failure(errno);
    RemoveLeftTemporaries(target);

    // A new file gets 0666 less the umask; a replaced one its old bits, which
    // may be narrower, so the contents are never readable to more than before.
    const mode_t mode = exists ? S_IRUSR | S_IWUSR : 0666;
    std::filesystem::path temp;
    int fd = CreateUnnamed(target, mode);
    const bool unnamed = fd >= 0;
    int error = 0;
    if (!unnamed) {
        error = Name(target, temp, [&fd, mode](const std::filesystem::path& name) {
            fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            return fd >= 0 ? 0 : -1;
        });
        // The new file is made in the folder: refused there, it is the
        // folder, not the file, that may not be written.
        if (error == EACCES || error == EPERM)
            return Failure(FileErrc::FolderWriteProtected);
        if (error != 0)
            return Failure(error);
    }
    if (exists)
        error = TakeOver(target, old, fd);
    if (error == 0)
        error = fill(fd);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (error == 0 && unnamed)
        error = Name(target, temp, [fd](const std::filesystem::path& name) { return LinkUnnamed(fd, name); });
    if (::close(fd) != 0 && error == 0)
        error = errno;
    const bool keep = exists && !options.keepReplacedAs.empty();
    TrashSlot slot;
    if (error == 0 && keep) {
        if (const int cause = KeepInTrash(target, old, options.keepReplacedAs, slot)) {
            ::unlink(temp.c_str());
            return NotKept(cause);
        }
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
        if (keep)
            TakeBackTrashSlot(slot);
    }
    if (error != 0) {
        if (!temp.empty())
            ::unlink(temp.c_str());
        return Failure(error);
    }
    SyncFolder(target);
    if (keep)
        return {true, {}, {}, WriteResult::Kept::InTrash, slot.restoresTo};
    return {true, {}};
}

} // namespace

WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                                const ReplaceOptions& options)
{
    return ReplaceWith(target, options, [bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

// The source is checked before it is opened, and opened without blocking, so
// a FIFO or a device is refused instead of waited on.
WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                                const ReplaceOptions& options, const FileStamp* asRead)
{
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0)
        return Failure(errno);
    if (S_ISDIR(info.st_mode))
        return Failure(EISDIR);
    if (!S_ISREG(info.st_mode))
        return Failure(FileErrc::NotAFile);
    const int from = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (from < 0)
        return Failure(errno);
    if (::fstat(from, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        ::close(from);
        return S_ISREG(info.st_mode) ? Failure(error) : Failure(FileErrc::NotAFile);
    }
    WriteResult result = ReplaceWith(target, options, [from, asRead](int fd) {
        ContentHash::Running digest;
        if (const int error = CopyAll(from, fd, &digest))
            return error;
        struct stat copied {};
        if (asRead != nullptr && (::fstat(from, &copied) != 0 || digest.Digest() != asRead->hash ||
                                  FileIdentity{static_cast<std::uint64_t>(copied.st_dev),
                                               static_cast<std::uint64_t>(copied.st_ino)} != asRead->identity))
            return kSourceChanged;
        return 0;
    });
    ::close(from);
    return result;
}

bool CanKeepReplacedFile(const std::filesystem::path& target)
{
    return TrashCanTake(ResolvedTarget(target));
}

} // namespace lexor

// Platform spot for POSIX systems: the freedesktop.org trash, kept as every
// desktop keeps it, so that its own "Restore" puts a kept file back.
#include "files/TrashSlot.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>

#include "files/FolderOf.h"
#include "files/NumberedName.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;

constexpr int kNameTries = 1000;

// A trash folder, with the top of its volume for a volume's trash, whose
// .trashinfo files name a file relative to it; empty for the home trash,
// whose files name their absolute path.
struct Trash {
    fs::path folder;
    fs::path top;
};

fs::path HomeTrash()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/')
        return fs::path(data) / "Trash";
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable != nullptr && variable[0] == '/')
        home = variable;
    else if (const passwd* user = ::getpwuid(::geteuid()); user != nullptr && user->pw_dir != nullptr)
        home = user->pw_dir;
    if (home.empty())
        return {};
    return fs::path(home) / ".local" / "share" / "Trash";
}

// The device of path or, where it is yet to be made, of the nearest folder
// up its path that exists (or the file that stands in the way of it).
bool DeviceOf(fs::path path, dev_t& device)
{
    for (;;) {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) {
            device = info.st_dev;
            return true;
        }
        if ((errno != ENOENT && errno != ENOTDIR) || !path.has_relative_path())
            return false;
        path = path.parent_path();
    }
}

int Writable(const fs::path& folder)
{
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// Makes folder and whichever folders up its path are missing, for the user
// alone; with make false, only finds out whether it exists or could be made.
// Returns 0 or the error.
int MakeFolders(const fs::path& folder, bool make)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? Writable(folder) : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    if (!folder.has_relative_path())
        return ENOENT;
    if (const int error = MakeFolders(folder.parent_path(), make))
        return error;
    if (!make || ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST)
        return 0;
    return errno;
}

// A user's trash folder on a volume: a real folder (never a symbolic link)
// of theirs, made for them alone where missing.
int OwnFolder(const fs::path& folder, bool make)
{
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return errno;
        if (!make)
            return Writable(folder.parent_path());
        if ((::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) || ::lstat(folder.c_str(), &info) != 0)
            return errno;
    }
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    if (info.st_uid != ::geteuid())
        return EPERM;
    return Writable(folder);
}

// The top folder of the volume that holds folder: the last one up its path
// on the same device.
fs::path TopOf(fs::path folder, dev_t device)
{
    while (folder.has_relative_path()) {
        const fs::path parent = folder.parent_path();
        struct stat info {};
        if (::stat(parent.c_str(), &info) != 0 || info.st_dev != device)
            break;
        folder = parent;
    }
    return folder;
}

int VolumeTrash(const fs::path& top, bool make, fs::path& trash)
{
    const std::string user = std::to_string(::geteuid());
    const fs::path shared = top / ".Trash";
    struct stat info {};
    if (::lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) != 0) {
        trash = shared / user;
        if (OwnFolder(trash, make) == 0)
            return 0;
    }
    trash = top / (".Trash-" + user);
    return OwnFolder(trash, make);
}

// The trash for files of device in folder (a real path). Returns 0 or the error.
int FindTrash(const fs::path& folder, dev_t device, bool make, Trash& trash)
{
    const fs::path home = HomeTrash();
    dev_t homeDevice{};
    if (!home.empty() && DeviceOf(home, homeDevice) && homeDevice == device) {
        trash = {home, {}};
    } else {
        trash.top = TopOf(folder, device);
        if (const int error = VolumeTrash(trash.top, make, trash.folder))
            return error;
    }
    for (const char* part : {"files", "info"}) {
        if (const int error = MakeFolders(trash.folder / part, make))
            return error;
    }
    return 0;
}

// The real folder that holds target, and the device of target or, where it
// does not exist yet, of that folder.
int Place(const fs::path& target, fs::path& folder, dev_t& device)
{
    char* real = ::realpath(FolderOf(target).c_str(), nullptr);
    if (real == nullptr)
        return errno;
    folder = real;
    std::free(real);
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 && ::stat(folder.c_str(), &info) != 0)
        return errno;
    device = info.st_dev;
    return 0;
}

// A path as a URI path writes it: every byte but the unreserved ones and
// "/" as %XX.
std::string Escaped(const std::string& path)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/') {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        }
    }
    return out;
}

// The local time, as the trash records when a file went in.
std::string Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = {};
    if (::localtime_r(&now, &local) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Whether a name is taken: 0 when it is free, EEXIST when something has it
// (or it cannot be looked at), ENAMETOOLONG when no file can have it, which
// no other number before its extension mends.
int Taken(const fs::path& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0)
        return EEXIST;
    return errno == ENOENT ? 0 : errno == ENAMETOOLONG ? ENAMETOOLONG : EEXIST;
}

// Returns 0 or the error.
int WriteInfo(int fd, const std::string& text)
{
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0)
        return errno;
    return static_cast<std::size_t>(written) == text.size() ? 0 : EIO;
}

} // namespace

int ReserveTrashSlot(const fs::path& target, const fs::path& name, TrashSlot& slot)
{
    if (name.empty() || name != name.filename() || name == "." || name == "..")
        return EINVAL;
    fs::path folder;
    dev_t device{};
    Trash trash;
    if (const int error = Place(target, folder, device))
        return error;
    if (const int error = FindTrash(folder, device, true, trash))
        return error;
    const std::string date = Now();
    for (int number = 1; number <= kNameTries; ++number) {
        const fs::path candidate = NumberedName(name, number);
        const TrashSlot made{trash.folder / "files" / candidate,
                             trash.folder / "info" / (candidate.native() + ".trashinfo"), folder / candidate};
        if (const int taken = Taken(made.restoresTo)) {
            if (taken == ENAMETOOLONG)
                return taken;
            continue;
        }
        const int fd = ::open(made.info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return errno;
        }
        const fs::path shown = trash.top.empty() ? made.restoresTo : made.restoresTo.lexically_relative(trash.top);
        int error = WriteInfo(fd, "[Trash Info]\nPath=" + Escaped(shown.native()) + "\nDeletionDate=" + date + "\n");
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (error == 0)
            error = Taken(made.file);
        if (error == 0) {
            slot = made;
            return 0;
        }
        ::unlink(made.info.c_str());
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

void TakeBackTrashSlot(const TrashSlot& slot)
{
    ::unlink(slot.file.c_str());
    ::unlink(slot.info.c_str());
}

bool TrashCanTake(const fs::path& target)
{
    fs::path folder;
    dev_t device{};
    Trash trash;
    return Place(target, folder, device) == 0 && FindTrash(folder, device, false, trash) == 0;
}

} // namespace lexor

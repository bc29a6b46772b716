// Dictionary files on disk when things go wrong, with Linux's own means of
// making the faults real: a small tmpfs, an immutable file, inotify, and
// saves in a child process run as another user or under strace. A case that
// cannot set its fault up is skipped, never passed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "files/FileError.h"
#include "files/FileReplace.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "support/TempDir.h"
#include "support/WordLists.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;
using test::Names;
using test::Numbered;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Status = ReadResult::Status;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";
const std::string kKept = "LEXOR (sostituito il 9-12-2026 11.04).lexor";

// Words keep being appended from the moment the reader opens the file: it
// stops where the file ended then, although the count promises more.
TEST(LargeFiles, FileGrowingWhileReadIsReadAsItWasWhenOpened)
{
    TempDir dir;
    const fs::path file = dir / "cresce.lexor";
    // Long enough to take the reader several blocks, so the writer is under way.
    constexpr std::size_t kWords = 200000;
    std::string bytes = "Lexor Dictionary Volume\r\n1000000000\r\n";
    const std::string word = std::string(200, 'x') + "\r\n";
    for (std::size_t i = 0; i < kWords; ++i)
        bytes += word;
    WriteBytes(file, bytes);
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, file.c_str(), IN_OPEN), 0);
    std::thread writer([&] {
        pollfd opened{watch, POLLIN, 0};
        if (::poll(&opened, 1, 5000) != 1)
            return;
        std::ofstream out(file, std::ios::binary | std::ios::app);
        const std::string more(std::size_t{1} << 20, '\r');
        for (int i = 0; i < 32; ++i)
            out.write(more.data(), static_cast<std::streamsize>(more.size())).flush();
    });
    WordList list;
    const ReadResult result = ReadDictionary(file, list);
    writer.join();
    ::close(watch);
    EXPECT_EQ(result.status, Status::Truncated);
    EXPECT_EQ(result.wordsRead, kWords);
}

// The bytes this process has read from files so far.
std::uint64_t BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:")
            return value;
    }
    return 0;
}

// A file of 64 MiB that is no dictionary is refused after its first block.
TEST(LargeFiles, FirstLineIsReadOnlyAsFarAsItCanBeTheHeader)
{
    TempDir dir;
    const fs::path file = dir / "grande.lexor";
    WriteBytes(file, "Lexor");
    fs::resize_file(file, std::uintmax_t{64} << 20);
    WordList list;
    const std::uint64_t before = BytesRead();
    EXPECT_EQ(ReadDictionary(file, list).status, Status::NotText);
    EXPECT_LE(BytesRead() - before, std::uint64_t{1} << 20);
}

// A tmpfs of 64 KiB mounted over a fresh folder: full after 64 KiB, and
// remountable read-only.
class SmallDisk : public testing::Test {
protected:
    void SetUp() override
    {
        mountPoint_ = dir_ / "disco";
        fs::create_directory(mountPoint_);
        if (::mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs (needs root): " << std::strerror(errno);
        mounted_ = true;
        WriteBytes(Target(), kOld);
        ASSERT_EQ(ReadBytes(Target()), kOld);
    }
    void TearDown() override
    {
        if (mounted_)
            ::umount2(mountPoint_.c_str(), MNT_DETACH);
    }
    fs::path Target() const { return mountPoint_ / "LEXOR.lexor"; }
    void MakeReadOnly()
    {
        ASSERT_EQ(::mount(nullptr, mountPoint_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
    }
    void ExpectOldFileAlone(const WriteResult& result)
    {
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error);
        EXPECT_EQ(ReadBytes(Target()), kOld);
        EXPECT_EQ(Names(mountPoint_), std::vector<std::string>{"LEXOR.lexor"});
    }

    TempDir dir_;
    fs::path mountPoint_;
    bool mounted_ = false;
};

TEST_F(SmallDisk, SaveOnAFullDiskFailsAndLeavesTheOldFile)
{
    const WriteResult result = SaveDictionary(Target(), Numbered(20000));
    ExpectOldFileAlone(result);
    EXPECT_EQ(result.error, std::errc::no_space_on_device);
}

TEST_F(SmallDisk, CopyOntoAFullDiskFailsAndLeavesTheOldFile)
{
    WriteBytes(dir_ / "grande.lexor", std::string(200000, 'x'));
    ExpectOldFileAlone(ReplaceFileWithCopy(dir_ / "grande.lexor", Target()));
}

TEST_F(SmallDisk, SaveOnAReadOnlyDiskFailsAndLeavesTheOldFile)
{
    MakeReadOnly();
    const WriteResult result = SaveDictionary(Target(), Numbered(2));
    ExpectOldFileAlone(result);
    EXPECT_EQ(result.error, std::errc::read_only_file_system);
}

TEST_F(SmallDisk, SaveThatFitsSucceedsAfterAFailedOne)
{
    ASSERT_FALSE(SaveDictionary(Target(), Numbered(20000)));
    ASSERT_TRUE(SaveDictionary(Target(), Numbered(2)));
    EXPECT_EQ(ReadBytes(Target()), "Lexor Dictionary Volume\r\n2\r\nparola0\r\nparola1\r\n");
}

// The home trash lies on another volume: a kept file goes to the trash at
// the top of its own, which names it relative to that top. An
// administrator's .Trash counts only with its sticky bit; where the user's
// own trash cannot be made, nothing is replaced.
TEST_F(SmallDisk, KeptFileGoesToTheTrashAtTheTopOfItsVolume)
{
    ::setenv("XDG_DATA_HOME", (dir_ / "dati").c_str(), 1);
    const std::string own = ".Trash-" + std::to_string(::geteuid());
    const std::string head = "[Trash Info]\nPath=LEXOR%20%28sostituito%20il%209-12-2026%2011.04%29.lexor\n";
    const struct {
        fs::perms shared;  // an administrator's .Trash; none: there is none
        bool fileInTheWay; // where the user's own trash would be made
        std::string trash; // where the kept file goes; empty: nowhere
    } cases[] = {{fs::perms::none, false, own},
                 {fs::perms::all | fs::perms::sticky_bit, false, ".Trash/" + std::to_string(::geteuid())},
                 {fs::perms::all, false, own},
                 {fs::perms::none, true, ""}};
    for (const auto& volume : cases) {
        SCOPED_TRACE(volume.trash);
        fs::remove_all(mountPoint_ / ".Trash");
        fs::remove_all(mountPoint_ / own);
        WriteBytes(Target(), kOld);
        if (volume.shared != fs::perms::none && fs::create_directory(mountPoint_ / ".Trash"))
            fs::permissions(mountPoint_ / ".Trash", volume.shared);
        if (volume.fileInTheWay)
            WriteBytes(mountPoint_ / own, "");
        EXPECT_EQ(CanKeepReplacedFile(Target()), !volume.trash.empty());
        const WriteResult result = SaveDictionary(Target(), Numbered(1), {kKept});
        if (volume.trash.empty()) {
            EXPECT_EQ(result.error, FileErrc::NotKept);
            EXPECT_EQ(result.cause, std::errc::not_a_directory);
            EXPECT_EQ(ReadBytes(Target()), kOld);
            continue;
        }
        ASSERT_TRUE(result) << result.error.message() << ", " << result.cause.message();
        EXPECT_EQ(result.keptAs, mountPoint_ / kKept);
        const fs::path trash = mountPoint_ / volume.trash;
        EXPECT_EQ(fs::symlink_status(trash).permissions(), fs::perms::owner_all);
        EXPECT_EQ(ReadBytes(trash / "files" / kKept), kOld);
        EXPECT_EQ(ReadBytes(trash / "info" / (kKept + ".trashinfo")).substr(0, head.size()), head);
    }
    EXPECT_FALSE(fs::exists(dir_ / "dati"));
}

// An immutable target (chattr +i) cannot be renamed over.
TEST(FailedSaves, ImmutableTargetIsLeftByteIdentical)
{
    TempDir dir;
    const fs::path file = dir / "fisso.lexor";
    WriteBytes(file, kOld);
    const int fd = ::open(file.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    int flags = 0;
    const bool set = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                     (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (!set) {
        ::close(fd);
        GTEST_SKIP() << "cannot make a file immutable here: " << std::strerror(errno);
    }
    const WriteResult saved = SaveDictionary(file, Numbered(2));
    const WriteResult copied = ReplaceFileWithCopy(file, file);
    flags &= ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.error, std::errc::operation_not_permitted);
    EXPECT_FALSE(copied.ok);
    EXPECT_EQ(ReadBytes(file), kOld);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"fisso.lexor"});
}

// Saves made by a child process (posix/SaveChild.cpp) for faults
// that need a process of their own: another user, a system call made to
// fail, a kill on the way. The folder, open to everyone, holds the old
// dictionary d.lexor and a new one to copy over it.
class SaveProcess : public testing::Test {
protected:
    void SetUp() override
    {
        fs::permissions(dir_.path(), fs::perms::all);
        WriteBytes(dir_ / "d.lexor", kOld);
        WriteBytes(dir_ / "nuovo.lexor", kNew);
    }

    struct Outcome {
        int exitCode = -1; // -1: killed
        std::string output;
    };

    static Outcome Shell(const std::string& command)
    {
        Outcome outcome;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[256];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                outcome.output.append(buffer, n);
            const int status = ::pclose(pipe);
            if (WIFEXITED(status))
                outcome.exitCode = WEXITSTATUS(status);
        }
        return outcome;
    }

    static bool Runs(const std::string& probe) { return Shell(probe + " >/dev/null 2>&1").exitCode == 0; }

    // kSave or kCopy in the folder, behind prefix (strace, setpriv). A
    // sanitizer build's leak check cannot run under strace, so it is off.
    Outcome Run(const std::string& prefix, const char* arguments) const
    {
        return Shell("cd '" + dir_.path().string() +
                     "' && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 exec " + prefix +
                     " '" LEXOR_SAVE_CHILD "' " + arguments);
    }

    void ExpectOnly(const std::string& target)
    {
        EXPECT_EQ(ReadBytes(dir_ / "d.lexor"), target);
        EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"d.lexor", "nuovo.lexor"}));
    }

    static inline const std::string kNew = "Lexor Dictionary Volume\r\n1\r\nnuovo\r\n";
    static constexpr const char* kSave = "save d.lexor nuovo";
    static constexpr const char* kCopy = "copy nuovo.lexor d.lexor";
    static inline const std::string kStrace = "strace -f -qq -o /dev/null -e trace=fsync -e inject=fsync:";
    TempDir dir_;
};

// The rename needs only the folder's permission; the file's own must hold.
TEST_F(SaveProcess, ReadOnlyFileIsNotReplacedByAUserWhoMayNotWriteIt)
{
    const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    if (!Runs(asNobody + " true"))
        GTEST_SKIP() << "cannot run a process as another user here";
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(dir_ / "d.lexor", readOnly);
    for (const char* arguments : {kSave, kCopy}) {
        const Outcome outcome = Run(asNobody, arguments);
        EXPECT_EQ(outcome.exitCode, 1) << arguments;
        EXPECT_EQ(outcome.output, "lexor-file:" + std::to_string(static_cast<int>(FileErrc::WriteProtected)));
    }
    EXPECT_EQ(fs::status(dir_ / "d.lexor").permissions(), readOnly);
    ExpectOnly(kOld);
    fs::permissions(dir_ / "d.lexor", fs::perms::all);
    EXPECT_EQ(Run(asNobody, kCopy).exitCode, 0);
    ExpectOnly(kNew);
}

// A folder that may not be written into is told apart from a file that may
// not be: the file itself is writable here.
TEST_F(SaveProcess, ReadOnlyFolderIsToldApartFromAReadOnlyFile)
{
    const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    if (!Runs(asNobody + " true"))
        GTEST_SKIP() << "cannot run a process as another user here";
    fs::permissions(dir_ / "d.lexor", fs::perms::all);
    fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
    const Outcome outcome = Run(asNobody, kSave);
    fs::permissions(dir_.path(), fs::perms::all);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.output, "lexor-file:" + std::to_string(static_cast<int>(FileErrc::FolderWriteProtected)));
    ExpectOnly(kOld);
}

// Killed as it is about to flush the complete temporary file: the moment it
// is largest and not yet in the target's place.
TEST_F(SaveProcess, SaveKilledOnTheWayLeavesTheOldFileAndNothingElse)
{
    if (!Runs("strace -o /dev/null true"))
        GTEST_SKIP() << "strace cannot trace here";
    for (const char* arguments : {kSave, kCopy}) {
        EXPECT_EQ(Run(kStrace + "signal=KILL:when=1", arguments).exitCode, -1);
        ExpectOnly(kOld);
    }
}

TEST_F(SaveProcess, FailedFlushOfTheFileIsAFailureButOfTheFolderAfterTheRenameIsNot)
{
    if (!Runs("strace -o /dev/null true"))
        GTEST_SKIP() << "strace cannot trace here";
    const Outcome fileFlush = Run(kStrace + "error=EIO:when=1", kSave);
    EXPECT_EQ(fileFlush.exitCode, 1);
    EXPECT_EQ(fileFlush.output, "generic:" + std::to_string(EIO));
    ExpectOnly(kOld);
    EXPECT_EQ(Run(kStrace + "error=EIO:when=2", kSave).exitCode, 0);
    ExpectOnly(kNew);
}

// The trash takes a copy where a second link to the old file is refused
// (here as by a link across volumes): still the user's, with its bits. A
// rename that then fails takes the kept file back out.
TEST_F(SaveProcess, KeptFileIsACopyWhereLinksAreRefusedAndLeavesWhenTheRenameFails)
{
    if (!Runs("strace -o /dev/null true"))
        GTEST_SKIP() << "strace cannot trace here";
    const TempDir data;
    const fs::path trash = data / "Trash";
    const std::string traced = "env XDG_DATA_HOME='" + data.path().string() + "' strace -f -qq -o /dev/null -e trace=";
    const std::string keep = "keep '" + kKept + "' nuovo.lexor d.lexor";
    const fs::path old = dir_ / "d.lexor";
    const bool root = ::geteuid() == 0 && ::chown(old.c_str(), 65534, 65534) == 0;
    ASSERT_EQ(::chmod(old.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(old.c_str(), &before), 0);

    const Outcome failed = Run(traced + "rename -e inject=rename:error=EIO", keep.c_str());
    EXPECT_EQ(failed.output, "generic:" + std::to_string(EIO));
    ExpectOnly(kOld);
    EXPECT_TRUE(fs::is_empty(trash / "files") && fs::is_empty(trash / "info"));

    EXPECT_EQ(Run(traced + "link -e inject=link:error=EXDEV", keep.c_str()).exitCode, 0);
    ExpectOnly(kNew);
    struct stat kept {};
    ASSERT_EQ(::stat((trash / "files" / kKept).c_str(), &kept), 0);
    EXPECT_NE(kept.st_ino, before.st_ino);
    EXPECT_EQ(kept.st_mode & 07777, 0640u);
    EXPECT_EQ(kept.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(ReadBytes(trash / "files" / kKept), kOld);
}

// Root saving another user's file: it stays theirs, with its ACL (whose mask
// rw- differs from the group's own r--), its attributes and its exact mode.
TEST_F(SaveProcess, ReplacedFileKeepsOwnerAclAttributesAndMode)
{
    const std::string file = "'" + (dir_ / "d.lexor").string() + "'";
    if (::geteuid() != 0 || ::chown((dir_ / "d.lexor").c_str(), 65534, 65534) != 0 ||
        ::chmod((dir_ / "d.lexor").c_str(), 0640) != 0 || !Runs("setfacl -m u:daemon:rw " + file) ||
        !Runs("setfattr -n user.nota -v ciao " + file))
        GTEST_SKIP() << "needs root, ACLs and user attributes";
    const std::string acl = "getfacl -cp " + file;
    const std::string attributes = "getfattr -d -m - --absolute-names " + file + " | tail -n +2";
    const std::string aclBefore = Shell(acl).output;
    const std::string attributesBefore = Shell(attributes).output;
    ASSERT_NE(aclBefore.find("user:daemon:rw-"), std::string::npos);
    for (const char* arguments : {kSave, kCopy}) {
        ASSERT_EQ(Run("", arguments).exitCode, 0) << arguments;
        struct stat info {};
        ASSERT_EQ(::stat((dir_ / "d.lexor").c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
        EXPECT_EQ(info.st_mode & 07777, 0660u);
        EXPECT_EQ(Shell(acl).output, aclBefore);
        EXPECT_EQ(Shell(attributes).output, attributesBefore);
    }
    ExpectOnly(kNew);
}

} // namespace
} // namespace lexor

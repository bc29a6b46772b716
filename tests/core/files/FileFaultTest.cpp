// Dictionary files on disk when things go wrong: paths that are not regular
// files, files the user may not read, disks that are full or read-only. The
// faults are real (a small tmpfs, an immutable file, an unprivileged child
// process); a case that cannot set its fault up is skipped, never passed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <streambuf>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "files/FileError.h"
#include "files/FileReplace.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#endif

namespace lexor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Status = ReadResult::Status;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";
const std::string kKept = "LEXOR (sostituito il 9-12-2026 11.04).lexor";

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

WordList ManyWords(int count)
{
    WordList list;
    for (int i = 0; i < count; ++i)
        list.AddItem("parola" + std::to_string(i));
    return list;
}

// Reading path fails with a reason and leaves the list it reads into as it
// was.
void ExpectReadError(const fs::path& path)
{
    WordList list;
    list.AddItem("gia");
    const ReadResult result = ReadDictionary(path, list);
    EXPECT_EQ(result.status, Status::ReadError);
    EXPECT_TRUE(result.error);
    EXPECT_EQ(list.ListCount(), 1u);
}

TEST(UnreadableFiles, MissingFileIsAReadErrorWithTheSystemsReason)
{
    TempDir dir;
    ExpectReadError(dir / "assente.lexor");
}

TEST(UnreadableFiles, FolderIsRefused)
{
    TempDir dir;
    ExpectReadError(dir.path());
    WordList list;
    EXPECT_EQ(ReadDictionary(dir.path(), list).error, std::errc::is_a_directory);
}

TEST(FailedCopies, SourceThatCannotBeReadLeavesTheTargetAlone)
{
    TempDir dir;
    WriteBytes(dir / "LEXOR.lexor", kOld);
    for (const fs::path& source : {dir / "assente.lexor", dir.path()}) {
        const WriteResult result = ReplaceFileWithCopy(source, dir / "LEXOR.lexor");
        EXPECT_FALSE(result.ok) << source;
        EXPECT_TRUE(result.error);
    }
    EXPECT_EQ(ReplaceFileWithCopy(dir.path(), dir / "LEXOR.lexor").error, std::errc::is_a_directory);
    EXPECT_EQ(ReadBytes(dir / "LEXOR.lexor"), kOld);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"LEXOR.lexor"});
}

TEST(FailedSaves, MissingFolderOrFolderInTheWayIsAFailure)
{
    TempDir dir;
    fs::create_directory(dir / "cartella");
    for (const fs::path& target : {dir / "assente" / "x.lexor", dir / "cartella"}) {
        const WriteResult result = SaveDictionary(target, ManyWords(2));
        EXPECT_FALSE(result.ok) << target;
        EXPECT_TRUE(result.error);
    }
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"cartella"});
    EXPECT_TRUE(fs::is_empty(dir / "cartella"));
}

TEST(Saves, LargeCopyIsByteForByte)
{
    TempDir dir;
    std::string big;
    for (int i = 0; big.size() < (std::size_t{3} << 20) + 7; ++i)
        big += std::to_string(i * 2654435761u) + (i % 3 ? "\r\n" : "\n");
    WriteBytes(dir / "grande.lexor", big);
    WriteBytes(dir / "LEXOR.lexor", kOld);
    ASSERT_TRUE(ReplaceFileWithCopy(dir / "grande.lexor", dir / "LEXOR.lexor"));
    EXPECT_EQ(ReadBytes(dir / "LEXOR.lexor"), big);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor", "grande.lexor"}));
}

TEST(UnreadableFiles, PosixOnly_FifoIsRefusedWithoutWaitingForAWriter)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX FIFOs";
#else
    TempDir dir;
    const fs::path fifo = dir / "tubo.lexor";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ExpectReadError(fifo);
    WriteBytes(dir / "LEXOR.lexor", kOld);
    EXPECT_FALSE(ReplaceFileWithCopy(fifo, dir / "LEXOR.lexor").ok);
    EXPECT_EQ(ReadBytes(dir / "LEXOR.lexor"), kOld);
#endif
}

TEST(FailedSaves, PosixOnly_FifoInTheTargetsPlaceIsRefusedAndStaysAFifo)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX FIFOs";
#else
    TempDir dir;
    const fs::path fifo = dir / "tubo.lexor";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    WriteBytes(dir / "nuovo.lexor", kOld);
    for (const WriteResult& result :
         {SaveDictionary(fifo, ManyWords(2)), ReplaceFileWithCopy(dir / "nuovo.lexor", fifo)}) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, FileErrc::NotAFile);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"nuovo.lexor", "tubo.lexor"}));
#endif
}

// Root reads everything, so the read is made by a child that gives up root.
TEST(UnreadableFiles, PosixOnly_FileWithoutReadPermissionIsAReadError)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits and users";
#else
    TempDir dir;
    const fs::path file = dir / "chiuso.lexor";
    WriteBytes(file, kOld);
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(file, fs::perms::none);
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the read as another user";
    EXPECT_EXIT(
        {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                std::_Exit(2);
            WordList list;
            const ReadResult result = ReadDictionary(file, list);
            const bool refused = result.status == Status::ReadError && result.error && list.ListCount() == 0;
            std::_Exit(refused ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
#endif
}

TEST(Saves, PosixOnly_ReplacedFileKeepsItsPermissionBits)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits";
#else
    TempDir dir;
    const fs::path file = dir / "d.lexor";
    WriteBytes(file, kOld);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(SaveDictionary(file, ManyWords(2)));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
}

TEST(Saves, PosixOnly_NewFileGetsTheDefaultPermissionsLessTheUmask)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits";
#else
    TempDir dir;
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(SaveDictionary(dir / "nuovo.lexor", ManyWords(2)));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "nuovo.lexor").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666u & ~mask);
#endif
}

TEST(Saves, PosixOnly_SymbolicLinkStaysALinkAndItsFileIsReplaced)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need privileges on Windows";
#else
    TempDir dir;
    WriteBytes(dir / "vero.lexor", kOld);
    fs::create_symlink("vero.lexor", dir / "link.lexor");
    ASSERT_TRUE(SaveDictionary(dir / "link.lexor", ManyWords(1)));
    EXPECT_TRUE(fs::is_symlink(dir / "link.lexor"));
    EXPECT_EQ(ReadBytes(dir / "vero.lexor"), "Lexor Dictionary Volume\r\n1\r\nparola0\r\n");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"link.lexor", "vero.lexor"}));
#endif
}

// Where a killed save could leave its temporary file, the next save of the
// same target removes it once its process is gone, and nothing else.
TEST(Saves, PosixOnly_NextSaveRemovesTheTemporariesADeadProcessLeftForItsTarget)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX process ids";
#else
    const pid_t dead = ::fork();
    if (dead == 0)
        std::_Exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    TempDir dir;
    const std::string gone = std::to_string(dead);
    WriteBytes(dir / "d.lexor", kOld);
    WriteBytes(dir / ("d.lexor." + gone + ".0.tmp"), "resto");
    WriteBytes(dir / "d.lexor.1.3.tmp", "in corso"); // process 1 lives
    WriteBytes(dir / ("altro.lexor." + gone + ".0.tmp"), "di un altro file");
    WriteBytes(dir / ("d.lexor." + gone + ".tmp"), "non uno dei nostri");
    ASSERT_TRUE(SaveDictionary(dir / "d.lexor", ManyWords(1)));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"altro.lexor." + gone + ".0.tmp", "d.lexor",
                                                           "d.lexor.1.3.tmp", "d.lexor." + gone + ".tmp"}));
#endif
}

// One endless line, made as it is asked for, counting what is taken.
class EndlessLine : public std::streambuf {
public:
    std::size_t taken = 0;

protected:
    int_type underflow() override
    {
        if (taken >= kEnd)
            return traits_type::eof();
        std::fill(std::begin(chunk_), std::end(chunk_), 'x');
        setg(chunk_, chunk_, chunk_ + sizeof chunk_);
        taken += sizeof chunk_;
        return 'x';
    }

private:
    static constexpr std::size_t kEnd = std::size_t{64} << 20;
    char chunk_[1 << 16];
};

TEST(LargeFiles, FirstLineIsReadOnlyAsFarAsItCanBeTheHeader)
{
    EndlessLine bytes;
    std::istream in(&bytes);
    WordList list;
    EXPECT_EQ(ReadDictionary(in, list).status, Status::BadHeader);
    EXPECT_LE(bytes.taken, std::size_t{1} << 20);
}

// Words keep being appended from the moment the reader opens the file: it
// stops where the file ended then, although the count promises more.
TEST(LargeFiles, LinuxOnly_FileGrowingWhileReadIsReadAsItWasWhenOpened)
{
#ifndef __linux__
    GTEST_SKIP() << "Linux inotify";
#else
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
#endif
}

// A tmpfs of 64 KiB mounted over a fresh folder: full after 64 KiB, and
// remountable read-only.
class LinuxOnly_SmallDisk : public testing::Test {
protected:
    void SetUp() override
    {
#ifndef __linux__
        GTEST_SKIP() << "Linux tmpfs mounts";
#else
        mountPoint_ = dir_ / "disco";
        fs::create_directory(mountPoint_);
        if (::mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs (needs root): " << std::strerror(errno);
        mounted_ = true;
        WriteBytes(Target(), kOld);
        ASSERT_EQ(ReadBytes(Target()), kOld);
#endif
    }
    void TearDown() override
    {
#ifdef __linux__
        if (mounted_)
            ::umount2(mountPoint_.c_str(), MNT_DETACH);
#endif
    }
    fs::path Target() const
    {
        return mountPoint_ / "LEXOR.lexor";
    }
    void MakeReadOnly()
    {
#ifdef __linux__
        ASSERT_EQ(::mount(nullptr, mountPoint_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
#endif
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

TEST_F(LinuxOnly_SmallDisk, SaveOnAFullDiskFailsAndLeavesTheOldFile)
{
    const WriteResult result = SaveDictionary(Target(), ManyWords(20000));
    ExpectOldFileAlone(result);
    EXPECT_EQ(result.error, std::errc::no_space_on_device);
}

TEST_F(LinuxOnly_SmallDisk, CopyOntoAFullDiskFailsAndLeavesTheOldFile)
{
    WriteBytes(dir_ / "grande.lexor", std::string(200000, 'x'));
    ExpectOldFileAlone(ReplaceFileWithCopy(dir_ / "grande.lexor", Target()));
}

TEST_F(LinuxOnly_SmallDisk, SaveOnAReadOnlyDiskFailsAndLeavesTheOldFile)
{
    MakeReadOnly();
    const WriteResult result = SaveDictionary(Target(), ManyWords(2));
    ExpectOldFileAlone(result);
    EXPECT_EQ(result.error, std::errc::read_only_file_system);
}

TEST_F(LinuxOnly_SmallDisk, SaveThatFitsSucceedsAfterAFailedOne)
{
    ASSERT_FALSE(SaveDictionary(Target(), ManyWords(20000)));
    ASSERT_TRUE(SaveDictionary(Target(), ManyWords(2)));
    EXPECT_EQ(ReadBytes(Target()), "Lexor Dictionary Volume\r\n2\r\nparola0\r\nparola1\r\n");
}

// The home trash lies on another volume: a kept file goes to the trash at
// the top of its own, which names it relative to that top. An
// administrator's .Trash counts only with its sticky bit; where the user's
// own trash cannot be made, nothing is replaced.
TEST_F(LinuxOnly_SmallDisk, KeptFileGoesToTheTrashAtTheTopOfItsVolume)
{
#ifdef __linux__
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
        const WriteResult result = SaveDictionary(Target(), ManyWords(1), {kKept});
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
#endif
}

// An immutable target (chattr +i) cannot be renamed over.
TEST(FailedSaves, LinuxOnly_ImmutableTargetIsLeftByteIdentical)
{
#ifndef __linux__
    GTEST_SKIP() << "Linux file attributes";
#else
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
    const WriteResult saved = SaveDictionary(file, ManyWords(2));
    const WriteResult copied = ReplaceFileWithCopy(file, file);
    flags &= ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.error, std::errc::operation_not_permitted);
    EXPECT_FALSE(copied.ok);
    EXPECT_EQ(ReadBytes(file), kOld);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"fisso.lexor"});
#endif
}

// Saves made by a child process (tests/dictionary/SaveChild.cpp) for faults
// that need a process of their own: another user, a system call made to
// fail, a kill on the way. The folder, open to everyone, holds the old
// dictionary d.lexor and a new one to copy over it.
class LinuxOnly_SaveProcess : public testing::Test {
protected:
    void SetUp() override
    {
#ifndef LEXOR_SAVE_CHILD
        GTEST_SKIP() << "POSIX processes";
#else
        fs::permissions(dir_.path(), fs::perms::all);
        WriteBytes(dir_ / "d.lexor", kOld);
        WriteBytes(dir_ / "nuovo.lexor", kNew);
#endif
    }

    struct Outcome {
        int exitCode = -1; // -1: killed
        std::string output;
    };

    static Outcome Shell([[maybe_unused]] const std::string& command)
    {
        Outcome outcome;
#ifndef _WIN32
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[256];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                outcome.output.append(buffer, n);
            const int status = ::pclose(pipe);
            if (WIFEXITED(status))
                outcome.exitCode = WEXITSTATUS(status);
        }
#endif
        return outcome;
    }

    static bool Runs(const std::string& probe)
    {
        return Shell(probe + " >/dev/null 2>&1").exitCode == 0;
    }

    // kSave or kCopy in the folder, behind prefix (strace, setpriv). A
    // sanitizer build's leak check cannot run under strace, so it is off.
    Outcome Run([[maybe_unused]] const std::string& prefix, [[maybe_unused]] const char* arguments) const
    {
#ifdef LEXOR_SAVE_CHILD
        return Shell("cd '" + dir_.path().string() +
                     "' && ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 exec " + prefix +
                     " '" LEXOR_SAVE_CHILD "' " + arguments);
#else
        return {};
#endif
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
TEST_F(LinuxOnly_SaveProcess, ReadOnlyFileIsNotReplacedByAUserWhoMayNotWriteIt)
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
TEST_F(LinuxOnly_SaveProcess, ReadOnlyFolderIsToldApartFromAReadOnlyFile)
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
TEST_F(LinuxOnly_SaveProcess, SaveKilledOnTheWayLeavesTheOldFileAndNothingElse)
{
    if (!Runs("strace -o /dev/null true"))
        GTEST_SKIP() << "strace cannot trace here";
    for (const char* arguments : {kSave, kCopy}) {
        EXPECT_EQ(Run(kStrace + "signal=KILL:when=1", arguments).exitCode, -1);
        ExpectOnly(kOld);
    }
}

TEST_F(LinuxOnly_SaveProcess, FailedFlushOfTheFileIsAFailureButOfTheFolderAfterTheRenameIsNot)
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
TEST_F(LinuxOnly_SaveProcess, KeptFileIsACopyWhereLinksAreRefusedAndLeavesWhenTheRenameFails)
{
#ifndef _WIN32
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
#endif
}

// Root saving another user's file: it stays theirs, with its ACL (whose mask
// rw- differs from the group's own r--), its attributes and its exact mode.
TEST_F(LinuxOnly_SaveProcess, ReplacedFileKeepsOwnerAclAttributesAndMode)
{
#ifndef _WIN32
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
#endif
}

} // namespace
} // namespace lexor

// Dictionary files on disk when things go wrong, as POSIX systems have it:
// FIFOs, permission bits, users, symbolic links, process ids. A case that
// cannot set its fault up is skipped, never passed.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
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

TEST(UnreadableFiles, FifoIsRefusedWithoutWaitingForAWriter)
{
    TempDir dir;
    const fs::path fifo = dir / "tubo.lexor";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    WordList list;
    const ReadResult result = ReadDictionary(fifo, list);
    EXPECT_EQ(result.status, Status::ReadError);
    EXPECT_EQ(result.error, FileErrc::NotAFile);
    WriteBytes(dir / "LEXOR.lexor", kOld);
    EXPECT_FALSE(ReplaceFileWithCopy(fifo, dir / "LEXOR.lexor").ok);
    EXPECT_EQ(ReadBytes(dir / "LEXOR.lexor"), kOld);
}

TEST(FailedSaves, FifoInTheTargetsPlaceIsRefusedAndStaysAFifo)
{
    TempDir dir;
    const fs::path fifo = dir / "tubo.lexor";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    WriteBytes(dir / "nuovo.lexor", kOld);
    for (const WriteResult& result :
         {SaveDictionary(fifo, Numbered(2)), ReplaceFileWithCopy(dir / "nuovo.lexor", fifo)}) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, FileErrc::NotAFile);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"nuovo.lexor", "tubo.lexor"}));
}

// Root reads everything, so the read is made by a child that gives up root.
TEST(UnreadableFiles, FileWithoutReadPermissionIsAReadError)
{
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
}

TEST(Saves, ReplacedFileKeepsItsPermissionBits)
{
    TempDir dir;
    const fs::path file = dir / "d.lexor";
    WriteBytes(file, kOld);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(SaveDictionary(file, Numbered(2)));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(Saves, NewFileGetsTheDefaultPermissionsLessTheUmask)
{
    TempDir dir;
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(SaveDictionary(dir / "nuovo.lexor", Numbered(2)));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "nuovo.lexor").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666u & ~mask);
}

TEST(Saves, SymbolicLinkStaysALinkAndItsFileIsReplaced)
{
    TempDir dir;
    WriteBytes(dir / "vero.lexor", kOld);
    fs::create_symlink("vero.lexor", dir / "link.lexor");
    ASSERT_TRUE(SaveDictionary(dir / "link.lexor", Numbered(1)));
    EXPECT_TRUE(fs::is_symlink(dir / "link.lexor"));
    EXPECT_EQ(ReadBytes(dir / "vero.lexor"), "Lexor Dictionary Volume\r\n1\r\nparola0\r\n");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"link.lexor", "vero.lexor"}));
}

// Where a killed save could leave its temporary file, the next save of the
// same target removes it once its process is gone, and nothing else.
TEST(Saves, NextSaveRemovesTheTemporariesADeadProcessLeftForItsTarget)
{
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
    ASSERT_TRUE(SaveDictionary(dir / "d.lexor", Numbered(1)));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"altro.lexor." + gone + ".0.tmp", "d.lexor",
                                                           "d.lexor.1.3.tmp", "d.lexor." + gone + ".tmp"}));
}

} // namespace
} // namespace lexor

// Dictionary files on disk when things go wrong, on every system: paths
// that are not files, folders that are missing or in the way. The faults
// that need a system's own means are in posix/ and linux/.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "files/FileError.h"
#include "files/FileReplace.h"
#include "files/FileStamp.h"
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
        const WriteResult result = SaveDictionary(target, Numbered(2));
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

// A copy checked against its source as it was read is put in place only if
// the source, as copied, still is that file with those bytes: an edit of the
// same size, or another file in its place, leaves the target as it was.
TEST(FailedCopies, SourceThatChangedSinceItWasReadIsNotInstalled)
{
    TempDir dir;
    WriteBytes(dir / "LEXOR.lexor", kOld);
    const std::string read = "Lexor Dictionary Volume\r\n1\r\nletto\r\n";
    WriteBytes(dir / "scelto.lexor", read);
    const auto asRead = StampOf(dir / "scelto.lexor");
    ASSERT_TRUE(asRead.has_value());
    WriteBytes(dir / "scelto.lexor", "Lexor Dictionary Volume\r\n1\r\naltro\r\n");
    EXPECT_EQ(ReplaceFileWithCopy(dir / "scelto.lexor", dir / "LEXOR.lexor", {}, &*asRead).error,
              FileErrc::SourceChanged);
    WriteBytes(dir / "altro.lexor", read);
    fs::rename(dir / "altro.lexor", dir / "scelto.lexor");
    EXPECT_EQ(ReplaceFileWithCopy(dir / "scelto.lexor", dir / "LEXOR.lexor", {}, &*asRead).error,
              FileErrc::SourceChanged);
    EXPECT_EQ(ReadBytes(dir / "LEXOR.lexor"), kOld);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor", "scelto.lexor"}));

    const auto asNowRead = StampOf(dir / "scelto.lexor");
    ASSERT_TRUE(ReplaceFileWithCopy(dir / "scelto.lexor", dir / "LEXOR.lexor", {}, &*asNowRead));
    EXPECT_EQ(ReadBytes(dir / "LEXOR.lexor"), read);
}

} // namespace
} // namespace lexor

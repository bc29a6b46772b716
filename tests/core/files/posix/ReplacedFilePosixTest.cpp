// A replaced file that is to be kept goes to the freedesktop.org trash under
// the name asked for, from where the system's own "Restore" puts it back
// beside the target: here in a folder each test names (XDG_DATA_HOME). The
// trash at the top of another volume is in linux/FileFaultLinuxTest.cpp,
// which mounts one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "files/FileReplace.h"
#include "support/TempDir.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;
using test::Names;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Kept = WriteResult::Kept;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";
const std::string kNew = "Lexor Dictionary Volume\r\n1\r\nnuovo\r\n";
const std::string kStem = "LEXOR (sostituito il 9-12-2026 11.04)";
const ReplaceOptions kKeep{fs::path(kStem + ".lexor")};

// While a file stands where the trash would be made, nothing is replaced.
// Then the second name is taken in the trash, the third's " 3" in the
// folder; a new file keeps nothing.
TEST(KeptFiles, ReplacedFilesGoToTheHomeTrashUnderTheNameAskedForOnceItCanBeMade)
{
    TempDir dir;
    ::setenv("XDG_DATA_HOME", (dir / "dati").c_str(), 1);
    const fs::path folder = fs::canonical(dir.path());
    const fs::path target = folder / "LEXOR.lexor";
    const fs::perms bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    WriteBytes(target, kOld);
    fs::permissions(target, bits);
    WriteBytes(folder / "nuovo.lexor", kNew);
    WriteBytes(folder / (kStem + " 3.lexor"), "di un altro");
    WriteBytes(dir / "dati", "un file, non una cartella");
    EXPECT_FALSE(CanKeepReplacedFile(target));
    const WriteResult refused = ReplaceFileWithCopy(folder / "nuovo.lexor", target, kKeep);
    EXPECT_EQ(refused.error, FileErrc::NotKept);
    EXPECT_EQ(refused.cause, std::errc::not_a_directory);
    EXPECT_EQ(ReadBytes(target), kOld);
    fs::remove(dir / "dati");
    EXPECT_TRUE(CanKeepReplacedFile(target));
    EXPECT_FALSE(fs::exists(dir / "dati"));

    const auto now = [] {
        const std::time_t time = std::time(nullptr);
        char text[32] = {};
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", std::localtime(&time));
        return std::string(text);
    };
    const std::string before = now();
    const WriteResult results[] = {
        ReplaceFileWithCopy(folder / "nuovo.lexor", target, kKeep), ReplaceFileContents(target, "secondo", kKeep),
        ReplaceFileContents(target, "terzo", kKeep), ReplaceFileContents(folder / "altro.lexor", "nuovo", kKeep)};
    const std::string after = now();
    const std::string escaped = "LEXOR%20%28sostituito%20il%209-12-2026%2011.04%29";
    const struct {
        std::string suffix, escapedSuffix, bytes;
    } kept[] = {{".lexor", ".lexor", kOld}, {" 2.lexor", "%202.lexor", kNew}, {" 4.lexor", "%204.lexor", "secondo"}};
    for (std::size_t i = 0; i < std::size(kept); ++i) {
        const std::string name = kStem + kept[i].suffix;
        ASSERT_TRUE(results[i]) << name << ": " << results[i].error.message() << ", " << results[i].cause.message();
        EXPECT_EQ(results[i].kept, Kept::InTrash);
        EXPECT_EQ(results[i].keptAs, folder / name);
        EXPECT_EQ(ReadBytes(dir / "dati/Trash/files" / name), kept[i].bytes);
        EXPECT_EQ(fs::status(dir / "dati/Trash/files" / name).permissions(), bits);
        const std::string info = ReadBytes(dir / "dati/Trash/info" / (name + ".trashinfo"));
        const std::string head =
            "[Trash Info]\nPath=" + folder.string() + "/" + escaped + kept[i].escapedSuffix + "\nDeletionDate=";
        ASSERT_EQ(info.substr(0, head.size()), head);
        const std::string date = info.substr(head.size(), before.size());
        EXPECT_TRUE(before <= date && date <= after) << date;
        EXPECT_EQ(info.substr(head.size() + date.size()), "\n");
    }
    EXPECT_TRUE(results[3]);
    EXPECT_EQ(results[3].kept, Kept::Nothing);
    EXPECT_EQ(ReadBytes(target), "terzo");
    EXPECT_EQ(Names(dir / "dati/Trash/files").size(), std::size(kept));
    EXPECT_EQ(Names(folder),
              (std::vector<std::string>{kStem + " 3.lexor", "LEXOR.lexor", "altro.lexor", "dati", "nuovo.lexor"}));
}

} // namespace
} // namespace lexor

// A replaced file that is to be kept goes to the system's trash under the
// name asked for, from where the system's own "Restore" puts it back beside
// the target: here the freedesktop.org trash in a folder each test names
// (XDG_DATA_HOME); on Windows the Recycle Bin, which Wine keeps as such a
// trash in the folder the test run names (scripts/test-windows.sh). The
// trash at the top of another volume is in FileFaultTest.cpp, which mounts one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "files/FileReplace.h"
#include "support/TempDir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace lexor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Kept = WriteResult::Kept;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";
const std::string kNew = "Lexor Dictionary Volume\r\n1\r\nnuovo\r\n";
const std::string kStem = "LEXOR (sostituito il 9-12-2026 11.04)";
const ReplaceOptions kKeep{fs::path(kStem + ".lexor")};

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// While a file stands where the trash would be made, nothing is replaced.
// Then the second name is taken in the trash, the third's " 3" in the
// folder; a new file keeps nothing.
TEST(KeptFiles, PosixOnly_ReplacedFilesGoToTheHomeTrashUnderTheNameAskedForOnceItCanBeMade)
{
#ifdef _WIN32
    GTEST_SKIP() << "the freedesktop.org trash";
#else
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
#endif
}

#ifdef _WIN32
// Wine's Recycle Bin as a Windows path; empty on Windows, or where the run
// names no folder for it.
fs::path WineRecycleBin()
{
    using ToDos = WCHAR*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    const char* data = std::getenv("XDG_DATA_HOME");
    WCHAR* folder = toDos != nullptr && data != nullptr && data[0] == '/' ? toDos(data) : nullptr;
    if (folder == nullptr)
        return {};
    const fs::path trash = fs::path(folder) / L"Trash";
    HeapFree(GetProcessHeap(), 0, folder);
    return trash;
}
#endif

// First the Recycle Bin takes the old file. Then it refuses it (the name is
// taken there) and the shell deletes it for good, as where a bin is turned
// off or too small: the old file stays beside the target instead.
TEST(KeptFiles, WindowsOnly_ReplacedFileGoesToTheRecycleBinOrStaysBesideTheTarget)
{
#ifndef _WIN32
    GTEST_SKIP() << "the Windows Recycle Bin";
#else
    const fs::path bin = WineRecycleBin();
    if (bin.empty())
        GTEST_SKIP() << "would fill the user's own Recycle Bin: runs under Wine with XDG_DATA_HOME set";
    TempDir dir;
    const fs::path target = dir / "LEXOR.lexor";
    const fs::path name = kKeep.keepReplacedAs;
    const fs::path info = bin / "info" / (name.wstring() + L".trashinfo");
    WriteBytes(target, kOld);
    EXPECT_TRUE(CanKeepReplacedFile(target));

    const WriteResult recycled = ReplaceFileContents(target, kNew, kKeep);
    ASSERT_TRUE(recycled) << recycled.error.message() << ", " << recycled.cause.message();
    EXPECT_EQ(recycled.kept, Kept::InTrash);
    EXPECT_EQ(recycled.keptAs, dir.path() / name);
    EXPECT_EQ(ReadBytes(bin / "files" / name), kOld);
    EXPECT_NE(ReadBytes(info).find("LEXOR%20(sostituito%20il%209-12-2026%2011.04).lexor\n"), std::string::npos);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"LEXOR.lexor"});

    fs::remove(info);
    WriteBytes(bin / "files" / name, "occupato");
    const WriteResult beside = ReplaceFileContents(target, "terzo", kKeep);
    fs::remove(bin / "files" / name);
    ASSERT_TRUE(beside) << beside.error.message();
    EXPECT_EQ(beside.kept, Kept::BesideTarget);
    EXPECT_EQ(beside.keptAs, dir.path() / name);
    EXPECT_EQ(ReadBytes(dir.path() / name), kNew);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{kStem + ".lexor", "LEXOR.lexor"}));
#endif
}

} // namespace
} // namespace lexor

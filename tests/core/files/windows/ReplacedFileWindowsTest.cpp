// A replaced file that is to be kept goes to the Recycle Bin under the name
// asked for, from where "Ripristina" puts it back beside the target: under
// Wine, a freedesktop.org trash in the folder the test run names
// (scripts/test-windows.sh).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
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

// First the Recycle Bin takes the old file. Then it refuses it (the name is
// taken there) and the shell deletes it for good, as where a bin is turned
// off or too small: the old file stays beside the target instead.
TEST(KeptFiles, ReplacedFileGoesToTheRecycleBinOrStaysBesideTheTarget)
{
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
}

} // namespace
} // namespace lexor

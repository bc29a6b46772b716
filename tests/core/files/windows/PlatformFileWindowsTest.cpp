// How the core meets Windows' own files: share modes, attributes, access
// lists, process ids, wide names and code page tables.
#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/FileError.h"
#include "files/FileReplace.h"
#include "format/Cp1252.h"
#include "format/DictionaryWriter.h"
#include "support/TempDir.h"
#include "support/WordLists.h"

namespace lexor {
namespace {

using test::ListOf;
using test::Names;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";

// Holds a file open the way another program may: by default reading and
// writing shared, deleting and renaming over it not.
class HeldOpen {
public:
    explicit HeldOpen(const std::filesystem::path& file, DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE)
        : handle_(
              CreateFileW(file.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpen() { Release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (Held())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

// A file's access list, or its owner, in the system's text form.
std::wstring Security(const std::filesystem::path& file, SECURITY_INFORMATION part)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(file.c_str(), SE_FILE_OBJECT, part, nullptr, nullptr, nullptr, nullptr, &descriptor) !=
        ERROR_SUCCESS)
        return L"?";
    LPWSTR text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, part, &text, nullptr);
    std::wstring result = text != nullptr ? text : L"?";
    LocalFree(text);
    LocalFree(descriptor);
    return result;
}

// A game folder whose active dictionary holds kOld, beside a new dictionary
// that holds kNew.
struct ActiveAndNew {
    static inline const std::string kNew = "Lexor Dictionary Volume\r\n1\r\nnuovo\r\n";
    TempDir dir;
    std::filesystem::path target = dir / "LEXOR.lexor";
    std::filesystem::path source = dir / "nuovo.lexor";

    ActiveAndNew()
    {
        WriteBytes(target, kOld);
        WriteBytes(source, kNew);
    }
};

TEST(PlatformFiles, TargetHeldOpenByAnotherProgramIsAFailureAndStaysWhole)
{
    const ActiveAndNew game;
    const auto& [dir, target, source] = game;

    HeldOpen held(target);
    ASSERT_TRUE(held.Held());
    const WriteResult written = ReplaceFileContents(target, "nuovo");
    const WriteResult copied = ReplaceFileWithCopy(source, target);
    const WriteResult saved = SaveDictionary(target, ListOf({"nuovo"}));
    for (const WriteResult& result : {written, copied, saved}) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, FileErrc::HeldOpen) << result.error;
        EXPECT_TRUE(result.error);
    }
    held.Release();

    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor", "nuovo.lexor"}));

    ASSERT_TRUE(ReplaceFileWithCopy(source, target));
    EXPECT_EQ(ReadBytes(target), ReadBytes(source));
}

TEST(PlatformFiles, CopySharesItsSourceAndFailsWhole)
{
    const ActiveAndNew game;
    const auto& [dir, target, source] = game;
    {
        HeldOpen shared(source);
        ASSERT_TRUE(shared.Held());
        ASSERT_TRUE(ReplaceFileWithCopy(source, target));
        EXPECT_EQ(ReadBytes(target), ActiveAndNew::kNew);
    }
    WriteBytes(target, kOld);
    HeldOpen exclusive(source, 0);
    ASSERT_TRUE(exclusive.Held());
    const WriteResult copied = ReplaceFileWithCopy(source, target);
    EXPECT_FALSE(copied.ok);
    EXPECT_TRUE(copied.error);
    exclusive.Release();
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor", "nuovo.lexor"}));
}

// Hidden and system, and an access list that shuts out everyone but the
// system and the owner, survive a save and then a copy over the file (a
// fault in either shows at the end); a new file takes neither from its source.
TEST(PlatformFiles, ReplacedFileKeepsTheAttributesAndAccessRightsTheUserSet)
{
    const ActiveAndNew game;
    const auto& [dir, target, source] = game;
    constexpr DWORD kSet = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), kSet));
    const std::wstring owner = Security(target, OWNER_SECURITY_INFORMATION).substr(2);
    PSECURITY_DESCRIPTOR shut = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        (L"D:P(A;;FA;;;SY)(A;;FA;;;" + owner + L")").c_str(), SDDL_REVISION_1, &shut, nullptr));
    ASSERT_TRUE(SetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, shut));
    LocalFree(shut);
    const std::wstring rights = Security(target, DACL_SECURITY_INFORMATION);
    ASSERT_NE(rights, Security(source, DACL_SECURITY_INFORMATION));

    const WriteResult saved = SaveDictionary(target, ListOf({"mare"}));
    const WriteResult copied = ReplaceFileWithCopy(source, target);
    const WriteResult created = ReplaceFileWithCopy(target, dir / "copia.lexor");

    for (const WriteResult& result : {saved, copied, created})
        EXPECT_TRUE(result) << result.error.message();
    EXPECT_EQ(GetFileAttributesW(target.c_str()) & kSet, kSet);
    EXPECT_EQ(Security(target, DACL_SECURITY_INFORMATION), rights);
    EXPECT_EQ(ReadBytes(target), ActiveAndNew::kNew);
    EXPECT_EQ(GetFileAttributesW((dir / "copia.lexor").c_str()) & kSet, DWORD{0});
    EXPECT_EQ(Security(dir / "copia.lexor", DACL_SECURITY_INFORMATION), Security(source, DACL_SECURITY_INFORMATION));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor", "copia.lexor", "nuovo.lexor"}));
}

TEST(PlatformFiles, FolderInTheWayOrMissingIsAFailureButNoSharingViolation)
{
    TempDir dir;
    const auto target = dir / "LEXOR.lexor";
    std::filesystem::create_directory(target);

    const WriteResult result = ReplaceFileContents(target, "nuovo");

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error, FileErrc::HeldOpen);
    EXPECT_TRUE(result.error);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor"}));

    const WriteResult missing = ReplaceFileContents(dir / "Dizionari" / "nuovo.lexor", "nuovo");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error, FileErrc::HeldOpen);
    EXPECT_TRUE(missing.error);
}

TEST(PlatformFiles, ReadOnlyFileIsRefusedAndStaysWhole)
{
    const ActiveAndNew game;
    const auto& [dir, target, source] = game;
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    for (const WriteResult& result : {SaveDictionary(target, ListOf({"nuovo"})), ReplaceFileWithCopy(source, target)})
        EXPECT_EQ(result.error, FileErrc::WriteProtected);
    EXPECT_EQ(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor", "nuovo.lexor"}));
}

// A save killed on Windows leaves its temporary file; the next save of the
// same target removes it once its process has ended, and nothing else.
TEST(PlatformFiles, NextSaveRemovesTheTemporariesADeadProcessLeftForItsTarget)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    std::wstring command = L"cmd.exe /c exit 0";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &child));
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    const std::string gone = std::to_string(child.dwProcessId);
    TempDir dir;
    WriteBytes(dir / "d.lexor", kOld);
    WriteBytes(dir / ("d.lexor." + gone + ".0.tmp"), "resto");
    WriteBytes(dir / ("altro.lexor." + gone + ".0.tmp"), "di un altro file");
    ASSERT_TRUE(SaveDictionary(dir / "d.lexor", ListOf({"nuovo"})));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"altro.lexor." + gone + ".0.tmp", "d.lexor"}));
}

TEST(PlatformFiles, NonAsciiNamesReachTheFileSystemUnchanged)
{
    TempDir dir;
    const std::wstring name = L"perché слово.lexor";
    ASSERT_TRUE(SaveDictionary(dir.path() / name, ListOf({"casa"})));

    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((dir.path() / L"*.lexor").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(std::wstring(found.cFileName), name);
}

TEST(PlatformFiles, Cp1252DecodingMatchesWindowsOwnTableWithoutTheAnsiCodePage)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    std::wstring windows(all.size(), L'\0');
    ASSERT_EQ(MultiByteToWideChar(1252, 0, all.data(), static_cast<int>(all.size()), windows.data(),
                                  static_cast<int>(windows.size())),
              256);
    const std::u16string ours = Cp1252ToUtf16(all);
    ASSERT_EQ(ours.size(), 256u);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(static_cast<unsigned>(ours[b]), static_cast<unsigned>(windows[b])) << "byte " << b;
}

} // namespace
} // namespace lexor

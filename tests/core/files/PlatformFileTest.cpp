// How the core meets the operating system's files. Tests named WindowsOnly_
// exercise Windows' own calls and are skipped elsewhere; the others run on
// every platform and matter most where text mode and code pages lurk.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "format/Cp1252.h"
#include "format/DictionaryFormat.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "files/FileReplace.h"
#include "support/TempDir.h"
#include "support/WordLists.h"

#ifdef _WIN32
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#endif

namespace lexor {
namespace {

using test::Items;

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";

std::vector<std::string> Names(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

WordList Words(std::initializer_list<std::string_view> words)
{
    WordList list;
    for (auto w : words)
        list.AddItem(w);
    return list;
}

TEST(PlatformFiles, NonAsciiFolderAndFileNamesOpenAndSave)
{
    TempDir dir;
    const auto folder = dir.path() / std::filesystem::path(u8"Dizionari");
    std::filesystem::create_directory(folder);
    const auto file = folder / std::filesystem::path(u8"perché.lexor");
    // Cyrillic has no place in Windows-1252: only a wide path reaches it.
    const auto copy = folder / std::filesystem::path(u8"perché слово.lexor");

    ASSERT_TRUE(SaveDictionary(file, Words({"mare", "casa"})));
    ASSERT_TRUE(SaveDictionary(file, Words({"mare", "casa", "sole"}))); // over the existing file

    WordList loaded;
    const ReadResult read = ReadDictionary(file, loaded);
    EXPECT_EQ(read.status, ReadResult::Status::Loaded) << read.error;
    EXPECT_EQ(Items(loaded), (std::vector<std::string>{"casa", "mare", "sole"}));

    ASSERT_TRUE(ReplaceFileWithCopy(file, copy));
    EXPECT_EQ(ReadBytes(copy), ReadBytes(file));
    EXPECT_EQ(Names(folder).size(), 2u);
}

TEST(PlatformFiles, LineEndsAreTheFilesBytesNotTextModeTranslations)
{
    TempDir dir;
    const auto file = dir / "righe.lexor";
    ASSERT_TRUE(SaveDictionary(file, Words({"mare", "casa"})));
    EXPECT_EQ(ReadBytes(file), "Lexor Dictionary Volume\r\n2\r\ncasa\r\nmare\r\n");

    // CR LF, CR and LF alone each end a line, and Ctrl-Z, the end of a text
    // file to the Windows C runtime, is just a byte.
    WriteBytes(file, "Lexor Dictionary Volume\r\n5\runo\ndue\r\n\x1a"
                     "tre\r\nquattro\rcinque");
    WordList loaded;
    EXPECT_EQ(ReadDictionary(file, loaded).status, ReadResult::Status::Loaded);
    EXPECT_EQ(Items(loaded), (std::vector<std::string>{"\x1atre", "cinque", "due", "quattro", "uno"}));

    ASSERT_TRUE(ReplaceFileWithCopy(file, dir / "copia.lexor"));
    EXPECT_EQ(ReadBytes(dir / "copia.lexor"), ReadBytes(file));
}

// A path past Windows' old limit of 260 characters, to names near the 255
// that file systems take, so a temporary name made from them would pass that
// too. What was saved is read back through a copy at a short path.
TEST(PlatformFiles, PathsPastThe260CharacterLimitSaveAndCopy)
{
    TempDir dir;
    const auto folder = dir / std::string(150, 'c');
    std::filesystem::create_directory(folder);
    const std::string targetName = std::string(244, 'd') + ".lexor";
    const std::string sourceName = std::string(244, 's') + ".lexor";
    const auto target = folder / targetName;
    const auto source = folder / sourceName;
    ASSERT_GT(target.native().size(), 260u);

    const WriteResult created = SaveDictionary(target, Words({"casa"}));
    const WriteResult saved = SaveDictionary(target, Words({"mare", "casa"}));
    const WriteResult copied = ReplaceFileWithCopy(target, source);
    const WriteResult readBack = ReplaceFileWithCopy(source, dir / "corto.lexor");

    for (const WriteResult& result : {created, saved, copied, readBack})
        EXPECT_TRUE(result) << result.error.message();
    EXPECT_EQ(ReadBytes(dir / "corto.lexor"), "Lexor Dictionary Volume\r\n2\r\ncasa\r\nmare\r\n");
    EXPECT_EQ(Names(folder), (std::vector<std::string>{targetName, sourceName}));
}

// Windows takes a long path only full and as written, so the other forms a
// path may take must still name the file the system would name.
TEST(PlatformFiles, RelativeAndDottedPathsReachTheFileTheyName)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "Dizionari");
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir / "Dizionari");
    const WriteResult relative = SaveDictionary("d.lexor", Words({"casa"}));
    const WriteResult dotted = ReplaceFileWithCopy("../Dizionari/./d.lexor", "../copia.lexor");
    std::filesystem::current_path(before);

    EXPECT_TRUE(relative) << relative.error.message();
    EXPECT_TRUE(dotted) << dotted.error.message();
    EXPECT_EQ(ReadBytes(dir / "copia.lexor"), "Lexor Dictionary Volume\r\n1\r\ncasa\r\n");
}

TEST(PlatformFiles, Cp1252DecodingIsTheSameUnderAnyLocale)
{
    const std::string bytes = "\x80\x81\x8a\x9d\x9f\xe8\xe9";
    const std::u16string expected = u"\u20ac\u0081\u0160\u009d\u0178\u00e8\u00e9";
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", ".1251", ".932", "ru_RU.KOI8-R", "C.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale))
            continue;
        EXPECT_EQ(Cp1252ToUtf16(bytes), expected) << locale;
    }
    std::setlocale(LC_ALL, saved.c_str());
}

#ifdef _WIN32

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

#endif

TEST(PlatformFiles, WindowsOnly_TargetHeldOpenByAnotherProgramIsAFailureAndStaysWhole)
{
#ifndef _WIN32
    GTEST_SKIP() << "Windows share modes";
#else
    const ActiveAndNew game;
    const auto& [dir, target, source] = game;

    HeldOpen held(target);
    ASSERT_TRUE(held.Held());
    const WriteResult written = ReplaceFileContents(target, "nuovo");
    const WriteResult copied = ReplaceFileWithCopy(source, target);
    const WriteResult saved = SaveDictionary(target, Words({"nuovo"}));
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
#endif
}

TEST(PlatformFiles, WindowsOnly_CopySharesItsSourceAndFailsWhole)
{
#ifndef _WIN32
    GTEST_SKIP() << "Windows share modes";
#else
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
#endif
}

// Hidden and system, and an access list that shuts out everyone but the
// system and the owner, survive a save and then a copy over the file (a
// fault in either shows at the end); a new file takes neither from its source.
TEST(PlatformFiles, WindowsOnly_ReplacedFileKeepsTheAttributesAndAccessRightsTheUserSet)
{
#ifndef _WIN32
    GTEST_SKIP() << "Windows attributes and access lists";
#else
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

    const WriteResult saved = SaveDictionary(target, Words({"mare"}));
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
#endif
}

TEST(PlatformFiles, WindowsOnly_FolderInTheWayOrMissingIsAFailureButNoSharingViolation)
{
#ifndef _WIN32
    GTEST_SKIP() << "Windows replace over a folder";
#else
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
#endif
}

TEST(PlatformFiles, WindowsOnly_ReadOnlyFileIsRefusedAndStaysWhole)
{
#ifndef _WIN32
    GTEST_SKIP() << "the Windows read-only attribute";
#else
    const ActiveAndNew game;
    const auto& [dir, target, source] = game;
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    for (const WriteResult& result : {SaveDictionary(target, Words({"nuovo"})), ReplaceFileWithCopy(source, target)})
        EXPECT_EQ(result.error, FileErrc::WriteProtected);
    EXPECT_EQ(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"LEXOR.lexor", "nuovo.lexor"}));
#endif
}

// A save killed on Windows leaves its temporary file; the next save of the
// same target removes it once its process has ended, and nothing else.
TEST(PlatformFiles, WindowsOnly_NextSaveRemovesTheTemporariesADeadProcessLeftForItsTarget)
{
#ifndef _WIN32
    GTEST_SKIP() << "Windows processes";
#else
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
    ASSERT_TRUE(SaveDictionary(dir / "d.lexor", Words({"nuovo"})));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"altro.lexor." + gone + ".0.tmp", "d.lexor"}));
#endif
}

TEST(PlatformFiles, WindowsOnly_NonAsciiNamesReachTheFileSystemUnchanged)
{
#ifndef _WIN32
    GTEST_SKIP() << "Windows wide file names";
#else
    TempDir dir;
    const std::wstring name = L"perché слово.lexor";
    ASSERT_TRUE(SaveDictionary(dir.path() / name, Words({"casa"})));

    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((dir.path() / L"*.lexor").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(std::wstring(found.cFileName), name);
#endif
}

TEST(PlatformFiles, WindowsOnly_Cp1252DecodingMatchesWindowsOwnTableWithoutTheAnsiCodePage)
{
#ifndef _WIN32
    GTEST_SKIP() << "Windows code page tables";
#else
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
#endif
}

} // namespace
} // namespace lexor

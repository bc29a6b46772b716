// How the core meets the operating system's files, on every system: these
// matter most where text mode and code pages lurk. Windows' own calls are
// met in windows/PlatformFileWindowsTest.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "files/FileReplace.h"
#include "format/Cp1252.h"
#include "format/DictionaryFormat.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "support/TempDir.h"
#include "support/WordLists.h"

namespace lexor {
namespace {

using test::Items;
using test::ListOf;
using test::Names;

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";

TEST(PlatformFiles, NonAsciiFolderAndFileNamesOpenAndSave)
{
    TempDir dir;
    const auto folder = dir.path() / std::filesystem::path(u8"Dizionari");
    std::filesystem::create_directory(folder);
    const auto file = folder / std::filesystem::path(u8"perché.lexor");
    // Cyrillic has no place in Windows-1252: only a wide path reaches it.
    const auto copy = folder / std::filesystem::path(u8"perché слово.lexor");

    ASSERT_TRUE(SaveDictionary(file, ListOf({"mare", "casa"})));
    ASSERT_TRUE(SaveDictionary(file, ListOf({"mare", "casa", "sole"}))); // over the existing file

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
    ASSERT_TRUE(SaveDictionary(file, ListOf({"mare", "casa"})));
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

    const WriteResult created = SaveDictionary(target, ListOf({"casa"}));
    const WriteResult saved = SaveDictionary(target, ListOf({"mare", "casa"}));
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
    const WriteResult relative = SaveDictionary("d.lexor", ListOf({"casa"}));
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

} // namespace
} // namespace lexor

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "activation/Activation.h"
#include "support/TempDir.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Outcome = ActivationResult::Outcome;

const std::string kOldActive = "Lexor Dictionary Volume\r\n2\r\nmare\r\ncasa\r\n";
const std::string kChosen = "Lexor Dictionary Volume\r\n3\r\nalbero\r\ncitt\xE0\r\nperch\xE9\r\n";

class Activation : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(game / "Dizionari"); }

    fs::path Active() const { return game / "LEXOR.lexor"; }

    fs::path Sample(const std::string& name, std::string_view bytes) const
    {
        const fs::path path = game / "Dizionari" / name;
        test::WriteBytes(path, bytes);
        return path;
    }

    Outcome Activate(const fs::path& chosen) const { return ActivateDictionary(chosen, Active()).outcome; }

    // Gives the active dictionary an old time stamp, so that a copy onto it,
    // even of the same bytes, shows.
    void AgeActive() const { fs::last_write_time(Active(), fs::last_write_time(Active()) - std::chrono::hours(48)); }

    test::TempDir game;
};

// The first line decides, in any letter case; a file in another form than
// the game's is installed in the game's.
TEST_F(Activation, FirstLineDecidesIgnoringLetterCaseOnly)
{
    const std::string header = "Lexor Dictionary Volume\r\n";
    const std::tuple<std::string, Outcome, std::string> cases[] = {
        {"Lexor Dictionary Volume\r\n1\r\nmare\r\n", Outcome::Installed, {}},
        {"LEXOR DICTIONARY VOLUME\r\n1\r\nmare\r\n", Outcome::Installed, {}},
        {"lexor dictionary volume\r\n1\r\nmare\r\n", Outcome::Installed, {}},
        {"lExOr DiCtIoNaRy VoLuMe\r1\rmare", Outcome::Installed, {}},
        {"Lexor Dictionary Volume", Outcome::Installed, {}},
        {"Lexor Dictionary Volume\r\n", Outcome::Installed, {}},
        {"Lexor Dictionary Volume \r\n1\r\nmare\r\n", Outcome::Converted, header + "1\r\nmare\r\n"},
        {"Lexor Dictionary Volume\n1\nmare\n", Outcome::Converted, header + "1\r\nmare\r\n"},
        {"\xEF\xBB\xBFLexor Dictionary Volume\r\n", Outcome::Converted, header + "0\r\n"},
        {" Lexor Dictionary Volume\r\n1\r\nmare\r\n", Outcome::Refused, kOldActive},
        {"Lexor Dictionary Volum\r\n", Outcome::Refused, kOldActive},
        {"Lexor  Dictionary Volume\r\n", Outcome::Refused, kOldActive},
        {"L\xC9XOR DICTIONARY VOLUME\r\n", Outcome::Refused, kOldActive},
        {"\r\nLexor Dictionary Volume\r\n", Outcome::Refused, kOldActive},
    };
    for (const auto& [bytes, outcome, installed] : cases) {
        SCOPED_TRACE(bytes);
        test::WriteBytes(Active(), kOldActive);
        EXPECT_EQ(Activate(Sample("prova.lexor", bytes)), outcome);
        EXPECT_EQ(test::ReadBytes(Active()), installed.empty() ? bytes : installed);
    }
}

// The game reads its dictionary in its own form: the same words in the same
// order, Windows-1252, CR LF, the true count. A word the game's code page
// cannot hold refuses the file.
TEST_F(Activation, EditorsFormsAreInstalledInTheGamesForm)
{
    const std::string header = "Lexor Dictionary Volume\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF" + header + "3\r\nperché\r\nalbero\r\ncittà\r\n",
         header + "3\r\nperch\xE9\r\nalbero\r\ncitt\xE0\r\n"},
        {"\xEF\xBB\xBFLEXOR DICTIONARY VOLUME\n1\ncittà", header + "1\r\ncitt\xE0\r\n"},
        {"\xFF\xFEL\0e\0x\0o\0r\0 \0D\0i\0c\0t\0i\0o\0n\0a\0r\0y\0 \0V\0o\0l\0u\0m\0e\0\n\0"
         "1\0\n\0s\0\xEC\0"s,
         header + "1\r\ns\xEC\r\n"},
        {header + "mare\r\ncasa\r\n", header + "2\r\nmare\r\ncasa\r\n"},
        {header + "5\r\nmare\r\n", header + "1\r\nmare\r\n"},
        {header + "1\r\nmare\r\ncasa\r\n\r\n", header + "2\r\nmare\r\ncasa\r\n"},
    };
    for (const auto& [bytes, installed] : cases) {
        SCOPED_TRACE(bytes);
        test::WriteBytes(Active(), kOldActive);
        const fs::path chosen = Sample("editor.lexor", bytes);
        EXPECT_EQ(Activate(chosen), Outcome::Converted);
        EXPECT_EQ(test::ReadBytes(Active()), installed);
        EXPECT_EQ(test::ReadBytes(chosen), bytes);
    }
    test::WriteBytes(Active(), kOldActive);
    const ActivationResult refused =
        ActivateDictionary(Sample("polacco.lexor", "\xEF\xBB\xBF" + header + "1\r\nżółw\r\n"), Active());
    EXPECT_EQ(refused.outcome, Outcome::Refused);
    EXPECT_EQ(refused.read.status, ReadResult::Status::Unmappable);
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
}

TEST_F(Activation, AnEmptyFileIsToldApart)
{
    test::WriteBytes(Active(), kOldActive);
    const ActivationResult result = ActivateDictionary(Sample("vuoto.lexor", ""), Active());
    EXPECT_EQ(result.outcome, Outcome::Refused);
    EXPECT_EQ(result.read.status, ReadResult::Status::EmptyFile);
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
}

TEST_F(Activation, TheActiveDictionaryItselfIsNotCopied)
{
    test::WriteBytes(Active(), kOldActive);
    AgeActive();
    const auto stamp = fs::last_write_time(Active());
    fs::create_hard_link(Active(), game / "legame.lexor");
    const fs::path spellings[] = {
        Active(),
        game / "Dizionari" / ".." / "LEXOR.lexor",
        game / "." / "LEXOR.lexor",
        game / "legame.lexor",
    };
    for (const fs::path& spelling : spellings) {
        SCOPED_TRACE(spelling.string());
        EXPECT_EQ(Activate(spelling), Outcome::SameFile);
        EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
        EXPECT_EQ(fs::last_write_time(Active()), stamp);
    }
}

TEST_F(Activation, ANameInAnotherCaseIsTheActiveFileOnlyWhereTheFileSystemSaysSo)
{
    test::WriteBytes(Active(), kOldActive);
    AgeActive();
    const fs::path otherCase = game / "lexor.LEXOR";
    const bool caseInsensitive = fs::exists(otherCase);
    if (!caseInsensitive)
        test::WriteBytes(otherCase, kChosen);
    EXPECT_EQ(Activate(otherCase), caseInsensitive ? Outcome::SameFile : Outcome::Installed);
    EXPECT_EQ(test::ReadBytes(Active()), caseInsensitive ? kOldActive : kChosen);
}

TEST_F(Activation, AnyFileWithTheHeaderIsCopiedByteForByte)
{
    const std::string sources[] = {
        "Lexor Dictionary Volume\r\n0\r\n",
        "Lexor Dictionary Volume\r\n1\r\nmare\r\n\r\n\r\n\x1A",
        "Lexor Dictionary Volume\r\n1\r\nmare",
    };
    for (const std::string& bytes : sources) {
        SCOPED_TRACE(bytes);
        test::WriteBytes(Active(), kOldActive);
        EXPECT_EQ(Activate(Sample("prova.lexor", bytes)), Outcome::Installed);
        EXPECT_EQ(test::ReadBytes(Active()), bytes);
    }
    test::WriteBytes(game / "Aggiunte.ldv", kChosen);
    EXPECT_EQ(Activate(game / "Aggiunte.ldv"), Outcome::Installed);
    EXPECT_EQ(test::ReadBytes(Active()), kChosen);
}

TEST_F(Activation, CreatesTheActiveDictionaryWhenThereIsNone)
{
    EXPECT_EQ(Activate(Sample("nuovo.lexor", kChosen)), Outcome::Installed);
    EXPECT_EQ(test::ReadBytes(Active()), kChosen);
}

TEST_F(Activation, FailuresSayWhyAndChangeNothing)
{
    test::WriteBytes(Active(), kOldActive);
    const ActivationResult unreadable = ActivateDictionary(game / "Dizionari" / "sparito.lexor", Active());
    EXPECT_EQ(unreadable.outcome, Outcome::CouldNotRead);
    EXPECT_TRUE(unreadable.error);

    const ActivationResult folder = ActivateDictionary(game / "Dizionari", Active());
    EXPECT_EQ(folder.outcome, Outcome::CouldNotRead);
    EXPECT_TRUE(folder.error);

    const ActivationResult uncopied =
        ActivateDictionary(Sample("nuovo.lexor", kChosen), game / "manca" / "LEXOR.lexor");
    EXPECT_EQ(uncopied.outcome, Outcome::CouldNotCopy);
    EXPECT_TRUE(uncopied.error);
    EXPECT_FALSE(fs::exists(game / "manca"));
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
}

} // namespace
} // namespace lexor

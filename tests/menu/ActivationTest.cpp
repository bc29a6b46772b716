#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "menu/Activation.h"
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

TEST_F(Activation, FirstLineDecidesIgnoringLetterCaseOnly)
{
    const std::pair<std::string, bool> cases[] = {
        {"Lexor Dictionary Volume\r\n1\r\nmare\r\n", true},
        {"LEXOR DICTIONARY VOLUME\r\n1\r\nmare\r\n", true},
        {"lexor dictionary volume\r\n1\r\nmare\r\n", true},
        {"lExOr DiCtIoNaRy VoLuMe\r1\rmare", true},
        {"Lexor Dictionary Volume", true},
        {"Lexor Dictionary Volume\r\n", true},
        {"Lexor Dictionary Volume \r\n1\r\nmare\r\n", false},
        {" Lexor Dictionary Volume\r\n1\r\nmare\r\n", false},
        {"Lexor Dictionary Volume\n1\nmare\n", false},
        {"Lexor Dictionary Volum\r\n", false},
        {"Lexor  Dictionary Volume\r\n", false},
        {"\xEF\xBB\xBFLexor Dictionary Volume\r\n", false},
        {"L\xC9XOR DICTIONARY VOLUME\r\n", false},
        {"\r\nLexor Dictionary Volume\r\n", false},
    };
    for (const auto& [bytes, accepted] : cases) {
        SCOPED_TRACE(bytes);
        test::WriteBytes(Active(), kOldActive);
        EXPECT_EQ(Activate(Sample("prova.lexor", bytes)), accepted ? Outcome::Installed : Outcome::NotADictionary);
        EXPECT_EQ(test::ReadBytes(Active()), accepted ? bytes : kOldActive);
    }
}

TEST_F(Activation, AnEmptyFileIsToldApart)
{
    test::WriteBytes(Active(), kOldActive);
    EXPECT_EQ(Activate(Sample("vuoto.lexor", "")), Outcome::EmptyFile);
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
        "Lexor Dictionary Volume\r\n1\r\nmare\r\n\r\n\r\nresto\nnon letto\r\n\0\xFF\x80 fine"s,
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

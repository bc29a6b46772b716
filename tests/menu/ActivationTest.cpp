#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "dictionary/DictionaryWriter.h"
#include "menu/Activation.h"
#include "menu/Menu.h"
#include "support/WindowTest.h"
#include "ui/Conversions.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const QString kWarning = QStringLiteral(
    "Attenzione! Il dizionario attualmente installato verrà sovrascritto: si consiglia pertanto di effettuarne un "
    "backup prima di questa operazione. Proseguire?");
const std::string kOldActive = "Lexor Dictionary Volume\r\n2\r\nmare\r\ncasa\r\n";
const std::string kChosen = "Lexor Dictionary Volume\r\n3\r\nalbero\r\ncitt\xE0\r\nperch\xE9\r\n";

// Makes a folder refuse new files and renames for as long as it lives: by
// its permissions, or, for a user whom permissions do not stop, by the
// immutable attribute. Tells whether it succeeded.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(fs::path folder) : folder_(std::move(folder))
    {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        if (Refuses())
            return;
        immutable_ = std::system(("chattr +i '" + folder_.string() + "' 2>/dev/null").c_str()) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (immutable_)
            std::system(("chattr -i '" + folder_.string() + "' 2>/dev/null").c_str());
        fs::permissions(folder_, fs::perms::owner_all);
    }
    bool Refuses() const
    {
        const fs::path probe = folder_ / "sonda";
        test::WriteBytes(probe, "x");
        std::error_code ignored;
        const bool created = fs::exists(probe, ignored);
        fs::remove(probe, ignored);
        return !created;
    }

private:
    fs::path folder_;
    bool immutable_ = false;
};

class ActivationTest : public test::WindowTest {
protected:
    void SetUp() override
    {
        fs::create_directory(game / "Dizionari");
        Watch(&menu);
    }

    fs::path Active() const { return game / "LEXOR.lexor"; }

    fs::path Sample(const std::string& name, std::string_view bytes) const
    {
        const fs::path path = game / "Dizionari" / name;
        test::WriteBytes(path, bytes);
        return path;
    }

    // Yes at the warning, then path in the dialog.
    void Activate(const fs::path& path)
    {
        services.QueueAnswer(ui::Answer::Yes);
        Choose(path);
        Click("Command3");
    }

    // Gives the active dictionary an old time stamp, so that a copy onto it,
    // even of the same bytes, shows.
    void AgeActive() { fs::last_write_time(Active(), fs::last_write_time(Active()) - std::chrono::hours(48)); }

    Menu menu{services};
};

TEST_F(ActivationTest, NoAtTheWarningShowsNoDialogAndKeepsTheActiveDictionary)
{
    test::WriteBytes(Active(), kOldActive);
    Sample("nuovo.lexor", kChosen);
    services.QueueAnswer(ui::Answer::No);
    services.QueueFile(ui::FromPath(game / "Dizionari" / "nuovo.lexor"));
    menu.Command3_Click();
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, kWarning);
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR Tools"));
    EXPECT_EQ(services.boxes[0].buttons, ui::Buttons::YesNo);
    EXPECT_TRUE(services.dialogs.empty());
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
}

TEST_F(ActivationTest, YesInstallsTheChosenFileSilently)
{
    test::WriteBytes(Active(), kOldActive);
    const QString status = Text("Label2");
    Activate(Sample("nuovo.lexor", kChosen));
    ASSERT_EQ(services.dialogs.size(), 1u);
    EXPECT_EQ(services.dialogs[0].initialDir, ui::FromPath(game / "Dizionari"));
    EXPECT_EQ(services.dialogs[0].filter, QStringLiteral("Dizionari LEXOR (*.lexor)"));
    EXPECT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(test::ReadBytes(Active()), kChosen);
    EXPECT_EQ(Text("Label2"), status);
}

TEST_F(ActivationTest, CancelledDialogChangesNothing)
{
    test::WriteBytes(Active(), kOldActive);
    services.QueueAnswer(ui::Answer::Yes);
    services.QueueCancel();
    menu.Command3_Click();
    EXPECT_EQ(services.dialogs.size(), 1u);
    EXPECT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
}

TEST_F(ActivationTest, FirstLineDecidesIgnoringLetterCaseOnly)
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
        {"", false},
    };
    for (const auto& [bytes, accepted] : cases) {
        SCOPED_TRACE(bytes);
        test::WriteBytes(Active(), kOldActive);
        Activate(Sample("prova.lexor", bytes));
        EXPECT_EQ(test::ReadBytes(Active()), accepted ? bytes : kOldActive);
        EXPECT_EQ(services.boxes.size(), 1u);
        services.boxes.clear();
    }
}

TEST_F(ActivationTest, TheActiveDictionaryItselfIsNotCopied)
{
    test::WriteBytes(Active(), kOldActive);
    AgeActive();
    const auto stamp = fs::last_write_time(Active());
    const fs::path spellings[] = {
        Active(),
        game / "Dizionari" / ".." / "LEXOR.lexor",
        game / "." / "LEXOR.lexor",
    };
    for (const fs::path& spelling : spellings) {
        SCOPED_TRACE(spelling.string());
        Activate(spelling);
        EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
        EXPECT_EQ(fs::last_write_time(Active()), stamp);
    }
    EXPECT_EQ(services.boxes.size(), 3u);
}

TEST_F(ActivationTest, ANameInAnotherCaseIsTheActiveFileOnlyWhereTheFileSystemSaysSo)
{
    test::WriteBytes(Active(), kOldActive);
    AgeActive();
    const fs::path otherCase = game / "lexor.LEXOR";
    const bool caseInsensitive = fs::exists(otherCase);
    if (!caseInsensitive)
        test::WriteBytes(otherCase, kChosen);
    Activate(otherCase);
    EXPECT_EQ(test::ReadBytes(Active()), caseInsensitive ? kOldActive : kChosen);
    EXPECT_EQ(services.boxes.size(), 1u);
}

TEST_F(ActivationTest, AnyFileWithTheHeaderIsCopiedByteForByte)
{
    const std::string sources[] = {
        "Lexor Dictionary Volume\r\n0\r\n",
        "Lexor Dictionary Volume\r\n1\r\nmare\r\n\r\n\r\nresto\nnon letto\r\n\0\xFF\x80 fine"s,
        "Lexor Dictionary Volume\r\n1\r\nmare",
    };
    for (const std::string& bytes : sources) {
        SCOPED_TRACE(bytes);
        test::WriteBytes(Active(), kOldActive);
        Activate(Sample("prova.lexor", bytes));
        EXPECT_EQ(test::ReadBytes(Active()), bytes);
    }
    test::WriteBytes(game / "Aggiunte.ldv", kChosen);
    Activate(game / "Aggiunte.ldv");
    EXPECT_EQ(test::ReadBytes(Active()), kChosen);
    EXPECT_EQ(services.boxes.size(), 4u);
}

TEST_F(ActivationTest, CreatesTheActiveDictionaryWhenThereIsNone)
{
    Activate(Sample("nuovo.lexor", kChosen));
    EXPECT_EQ(test::ReadBytes(Active()), kChosen);
    EXPECT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, kWarning);
}

TEST_F(ActivationTest, UnreadableChoiceIsReportedAndNothingIsCopied)
{
    test::WriteBytes(Active(), kOldActive);
    const fs::path missing = game / "Dizionari" / "sparito.lexor";
    Activate(missing);
    ASSERT_EQ(services.boxes.size(), 2u);
    EXPECT_TRUE(services.boxes[1].text.startsWith(QStringLiteral("Impossibile leggere il file:\n") +
                                                  ui::FromPath(missing) + QStringLiteral("\n")));
    EXPECT_GT(services.boxes[1].text.size(),
              QStringLiteral("Impossibile leggere il file:\n\n").size() + ui::FromPath(missing).size());
    EXPECT_EQ(services.boxes[1].title, QStringLiteral("LEXOR Tools"));
    EXPECT_EQ(services.boxes[1].buttons, ui::Buttons::Ok);
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
}

TEST_F(ActivationTest, FailedCopyKeepsTheOldDictionaryAndSaysWhy)
{
    test::WriteBytes(Active(), kOldActive);
    test::TempDir elsewhere;
    test::WriteBytes(elsewhere / "nuovo.lexor", kChosen);
    {
        ReadOnlyFolder readOnly(game.path());
        if (!readOnly.Refuses())
            GTEST_SKIP() << "cannot make a folder read-only here (permissions not enforced, no chattr)";
        Activate(elsewhere / "nuovo.lexor");
    }
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
    const auto entries = std::distance(fs::directory_iterator(game.path()), fs::directory_iterator());
    EXPECT_EQ(entries, 2) << "only Dizionari and LEXOR.lexor, no temporary file";
    ASSERT_EQ(services.boxes.size(), 2u);
    const QString prefix = QStringLiteral("Impossibile installare il dizionario:\n");
    EXPECT_TRUE(services.boxes[1].text.startsWith(prefix)) << services.boxes[1].text.toStdString();
    EXPECT_GT(services.boxes[1].text.size(), prefix.size());
    EXPECT_EQ(services.boxes[1].title, QStringLiteral("LEXOR Tools"));
    EXPECT_EQ(services.boxes[1].buttons, ui::Buttons::Ok);
}

TEST(Activation, FailureTextGivesTheFileTheReasonAndAdviceForAFileInUse)
{
    WriteResult failure;
    failure.error = std::make_error_code(std::errc::permission_denied);
    const QString path = QStringLiteral("C:/LEXOR/LEXOR.lexor");
    EXPECT_EQ(Menu::InstallFailureText(path, failure),
              QStringLiteral("Impossibile installare il dizionario:\nC:/LEXOR/LEXOR.lexor\naccesso negato"));
    failure.error = FileErrc::HeldOpen;
    EXPECT_EQ(Menu::InstallFailureText(path, failure),
              QStringLiteral("Impossibile installare il dizionario:\nC:/LEXOR/LEXOR.lexor\nil file è in uso da parte "
                             "di un altro programma\nChiudere il gioco e riprovare."));
}

TEST(Activation, SameFileNeedsTheFileSystemsWord)
{
    test::TempDir dir;
    test::WriteBytes(dir / "LEXOR.lexor", "x");
    test::WriteBytes(dir / "altro.lexor", "x");
    EXPECT_TRUE(IsSameFile(dir / "LEXOR.lexor", dir / "LEXOR.lexor"));
    fs::create_directory(dir / "sub");
    EXPECT_TRUE(IsSameFile(dir / "sub" / ".." / "LEXOR.lexor", dir / "LEXOR.lexor"));
    EXPECT_FALSE(IsSameFile(dir / "altro.lexor", dir / "LEXOR.lexor"));
    EXPECT_FALSE(IsSameFile(dir / "altro.lexor", dir / "mancante.lexor"));
    fs::create_hard_link(dir / "LEXOR.lexor", dir / "legame.lexor");
    EXPECT_TRUE(IsSameFile(dir / "legame.lexor", dir / "LEXOR.lexor"));
}

} // namespace
} // namespace lexor

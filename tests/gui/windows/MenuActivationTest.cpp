#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "activation/Activation.h"
#include "files/FileError.h"
#include "kit/Conversions.h"
#include "support/WindowTest.h"
#include "windows/Menu.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;

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

class MenuActivationTest : public test::WindowTest {
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
        ClickChoosing("Command3", path);
    }

    Menu menu{services};
};

TEST_F(MenuActivationTest, NoAtTheWarningShowsNoDialogAndKeepsTheActiveDictionary)
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

TEST_F(MenuActivationTest, YesInstallsTheChosenFileSilently)
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

// The game reads its dictionary in its own form: one saved by an editor is
// installed in it, and the user is told so; the chosen file stays as it was.
TEST_F(MenuActivationTest, AnEditorsFileIsInstalledInTheGamesFormAndSaysSo)
{
    test::WriteBytes(Active(), kOldActive);
    const std::string bytes = "\xEF\xBB\xBFLexor Dictionary Volume\ncittà\nmare";
    const fs::path chosen = Sample("notepad.lexor", bytes);
    Activate(chosen);
    EXPECT_EQ(BoxTexts(),
              (test::Texts{kWarning, QStringLiteral("Il dizionario è stato installato nella forma letta dal gioco "
                                                    "(Windows-1252, a capo CR LF, 2 parole):\n%1\nIl file scelto, in "
                                                    "un'altra forma (UTF-8 con BOM, a capo LF, conteggio mancante), "
                                                    "resta com'era.")
                                         .arg(ui::FromPath(chosen))}));
    EXPECT_EQ(test::ReadBytes(Active()), "Lexor Dictionary Volume\r\n2\r\ncitt\xE0\r\nmare\r\n");
    EXPECT_EQ(test::ReadBytes(chosen), bytes);
}

TEST_F(MenuActivationTest, CancelledDialogChangesNothing)
{
    test::WriteBytes(Active(), kOldActive);
    services.QueueAnswer(ui::Answer::Yes);
    services.QueueCancel();
    menu.Command3_Click();
    EXPECT_EQ(services.dialogs.size(), 1u);
    EXPECT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
}

// A refusal must not look like the silent success: each says that nothing
// changed, and why.
TEST_F(MenuActivationTest, EveryRefusalIsToldAndChangesNothing)
{
    test::WriteBytes(Active(), kOldActive);
    const fs::path refused[] = {Sample("spazio.lexor", " Lexor Dictionary Volume\r\n1\r\nmare\r\n"),
                                Sample("vuoto.lexor", ""), Active(), game / "Dizionari" / "sparito.lexor"};
    for (const fs::path& file : refused)
        Activate(file);
    EXPECT_EQ(test::ReadBytes(Active()), kOldActive);
    const QString refusal = QStringLiteral("Il dizionario non è stato attivato, nessun file è stato cambiato:\n%1\n%2");
    EXPECT_EQ(
        BoxTexts(),
        (test::Texts{
            kWarning,
            refusal.arg(ui::FromPath(refused[0]), QStringLiteral("la prima riga è \" Lexor Dictionary Volume\", "
                                                                 "invece di \"Lexor Dictionary Volume\"")),
            kWarning, refusal.arg(ui::FromPath(refused[1]), QStringLiteral("il file è vuoto (0 byte)")), kWarning,
            refusal.arg(ui::FromPath(refused[2]), QStringLiteral("è già il dizionario attivo del gioco")), kWarning,
            refusal.arg(ui::FromPath(refused[3]), QStringLiteral("il file o la cartella non esiste"))}));
    for (std::size_t k = 1; k < services.boxes.size(); k += 2) {
        EXPECT_EQ(services.boxes[k].title, QStringLiteral("LEXOR Tools"));
        EXPECT_EQ(services.boxes[k].buttons, ui::Buttons::Ok);
    }
}

TEST_F(MenuActivationTest, CreatesTheActiveDictionaryWhenThereIsNone)
{
    Activate(Sample("nuovo.lexor", kChosen));
    EXPECT_EQ(test::ReadBytes(Active()), kChosen);
    EXPECT_EQ(BoxTexts(), test::Texts{kWarning});
}

TEST_F(MenuActivationTest, FailedCopyKeepsTheOldDictionaryAndSaysWhy)
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

// The same box wherever folders cannot be made read-only: the game's folder
// is gone, so the copy has nowhere to go.
TEST_F(MenuActivationTest, CopyIntoAMissingFolderSaysWhereAndCreatesNothing)
{
    const fs::path chosen = Sample("nuovo.lexor", kChosen);
    services.SetAppFolder(game / "manca");
    Activate(chosen);
    ASSERT_EQ(services.boxes.size(), 2u);
    const QString prefix =
        QStringLiteral("Impossibile installare il dizionario:\n%1\n").arg(ui::FromPath(game / "manca" / "LEXOR.lexor"));
    EXPECT_TRUE(services.boxes[1].text.startsWith(prefix)) << services.boxes[1].text.toStdString();
    EXPECT_GT(services.boxes[1].text.size(), prefix.size());
    EXPECT_FALSE(fs::exists(game / "manca"));

    // Without a folder of its own the program installs nowhere else, and
    // says so before asking for a file.
    services.boxes.clear();
    services.SetAppFolder({});
    Activate(chosen);
    EXPECT_EQ(
        BoxTexts(),
        (test::Texts{kWarning,
                     QStringLiteral("Impossibile trovare la cartella del programma: nessun file è stato cambiato.")}));
    EXPECT_EQ(services.dialogs.size(), 1u);
}

} // namespace
} // namespace lexor

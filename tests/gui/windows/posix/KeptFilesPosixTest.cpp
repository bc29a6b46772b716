// What the windows keep of the files they replace, in the freedesktop.org
// trash of a folder each test names (WindowTest sets XDG_DATA_HOME): the
// optimiser's save and the activation keep the old file under a name that
// says what it was and when, and say beforehand when it cannot be kept.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <filesystem>
#include <string>
#include <vector>

#include "kit/Conversions.h"
#include "support/WindowTest.h"
#include "windows/Menu.h"
#include "windows/Tool2.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;
using test::Dictionary;
using test::Texts;

const QString kSaved = QStringLiteral("File salvato!");
const QString kNotRecoverable =
    QStringLiteral("Questa cartella non ha un Cestino: il file sostituito non potrà essere recuperato.");

class KeptFiles : public test::WindowTest {
protected:
    fs::path Trash() const { return game / "dati" / "Trash"; }

    // The files in the trash, by name.
    std::vector<fs::path> Trashed() const
    {
        std::vector<fs::path> files;
        if (fs::exists(Trash() / "files")) {
            for (const auto& entry : fs::directory_iterator(Trash() / "files"))
                files.push_back(entry.path());
        }
        return files;
    }

    // A file stands where the trash would be made: this folder has none.
    void NoTrash() const
    {
        test::WriteBytes(game / "niente", "x");
        qputenv("XDG_DATA_HOME", QFile::encodeName(ui::FromPath(game / "niente")));
    }

    void Optimise(const fs::path& file)
    {
        OpenWindow<Tool2>();
        ClickChoosing("Command1", file);
        Click("Command2");
        services.boxes.clear();
    }

    void ExpectKept(const std::string& stem, const std::string& bytes, const fs::path& from) const
    {
        const auto trashed = Trashed();
        ASSERT_EQ(trashed.size(), 1u);
        const QString name = ui::FromPath(trashed[0].filename());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1 \\(sostituito il \\d{1,2}-\\d{1,2}-\\d{4} \\d\\d\\.\\d\\d\\)"
                                                      "\\.lexor$")
                                           .arg(QRegularExpression::escape(QString::fromStdString(stem))))
                        .match(name)
                        .hasMatch())
            << name.toStdString();
        EXPECT_EQ(test::ReadBytes(trashed[0]), bytes);
        const std::string info = test::ReadBytes(Trash() / "info" / (trashed[0].filename().string() + ".trashinfo"));
        EXPECT_NE(info.find("Path=" + fs::canonical(from.parent_path()).string() + "/"), std::string::npos) << info;
    }
};

TEST_F(KeptFiles, TheOptimisersSaveKeepsTheFileItReplaces)
{
    const std::string old = Dictionary({"mare", "casa", "mare"});
    const auto file = Write("prova.lexor", old);
    Optimise(file);
    Click("Command3");
    EXPECT_EQ(BoxTexts(), (Texts{QStringLiteral("Sovrascrivere il file?\n") + ui::FromPath(file), kSaved}));
    EXPECT_EQ(test::ReadBytes(file), Dictionary({"casa", "mare"}));
    ExpectKept("prova", old, file);
}

TEST_F(KeptFiles, WithoutATrashTheQuestionSaysSo)
{
    NoTrash();
    const auto file = Write("prova.lexor", Dictionary({"mare", "casa", "mare"}));
    Optimise(file);
    Click("Command3");
    EXPECT_EQ(BoxTexts(), (Texts{QStringLiteral("Sovrascrivere il file?\n") + ui::FromPath(file) + QLatin1Char('\n') +
                                     kNotRecoverable,
                                 kSaved}));
    EXPECT_EQ(test::ReadBytes(file), Dictionary({"casa", "mare"}));
}

// A file the trash cannot take after all (its name, with the date, too long
// for the file system) is replaced only when the user says so.
TEST_F(KeptFiles, AFileTheTrashCannotTakeIsReplacedOnlyWhenTheUserSaysSo)
{
    const std::string old = Dictionary({"mare", "casa", "mare"});
    const auto file = Write(std::string(230, 'd') + ".lexor", old);
    Optimise(file);
    Click("Command3");
    const QString notKept =
        QStringLiteral(
            "Impossibile conservare nel Cestino la versione attuale del file:\n%1\nil nome del file è troppo "
            "lungo.\nSostituirla comunque? Non potrà essere recuperata.")
            .arg(ui::FromPath(file));
    EXPECT_EQ(BoxTexts(), (Texts{QStringLiteral("Sovrascrivere il file?\n") + ui::FromPath(file), notKept}));
    EXPECT_EQ(services.boxes[1].buttons, ui::Buttons::YesNoDefaultNo);
    EXPECT_EQ(test::ReadBytes(file), old);

    services.boxes.clear();
    services.QueueAnswer(ui::Answer::Yes);
    services.QueueAnswer(ui::Answer::Yes);
    Click("Command3");
    EXPECT_EQ(BoxTexts().back(), kSaved);
    EXPECT_EQ(test::ReadBytes(file), Dictionary({"casa", "mare"}));
    EXPECT_TRUE(Trashed().empty());
}

TEST_F(KeptFiles, TheActivationKeepsTheGamesDictionaryItReplaces)
{
    const std::string old = Dictionary({"mare", "casa"});
    const auto active = Write("LEXOR.lexor", old);
    const auto chosen = Write("nuovo.lexor", Dictionary({"sole"}));
    Menu menu(services);
    Watch(&menu);
    services.QueueAnswer(ui::Answer::Yes);
    ClickChoosing("Command3", chosen);
    EXPECT_EQ(test::ReadBytes(active), Dictionary({"sole"}));
    ExpectKept("LEXOR", old, active);

    NoTrash();
    services.boxes.clear();
    services.QueueAnswer(ui::Answer::No);
    ClickChoosing("Command3", chosen);
    ASSERT_EQ(BoxTexts().size(), 1u);
    EXPECT_TRUE(BoxTexts()[0].endsWith(QLatin1Char('\n') + kNotRecoverable));
}

} // namespace
} // namespace lexor

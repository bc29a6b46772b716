#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kit/Conversions.h"
#include "kit/Twips.h"
#include "support/WindowTest.h"
#include "windows/Tool2.h"

namespace lexor {
namespace {

using test::Dictionary;
using test::Texts;
using test::Words;

QString SaveQuestion(const std::filesystem::path& file)
{
    return QStringLiteral("Sovrascrivere il file?\n") + ui::FromPath(file);
}
const QString kSaved = QStringLiteral("File salvato!");

class Tool2Test : public test::WindowTest {
protected:
    Tool2Test() { Open(); }

    void Open() { window = OpenWindow<Tool2>(); }

    void Load(const std::filesystem::path& file) { ClickChoosing("Command1", file); }

    bool Shown(const char* name) const { return !Get<QWidget>(name)->isHidden(); }

    void ExpectDesignState()
    {
        EXPECT_EQ(window->height(), test::CompactHeight<Tool2>());
        EXPECT_TRUE(Text("Text1").isEmpty());
        EXPECT_TRUE(Items("List1").empty());
        EXPECT_TRUE(Items("List2").empty());
        EXPECT_EQ(Text("parole"), QStringLiteral("0"));
        EXPECT_EQ(Text("doppie"), QStringLiteral("0"));
        EXPECT_FALSE(Shown("Label4"));
        EXPECT_FALSE(Shown("doppie"));
    }

    QPointer<Tool2> window;
};

struct Control {
    const char* name;
    const char* text;
    QRect twips;
    qreal points; // "MS Sans Serif", bold unless regular
    bool shown;
    bool regular = false;
};

TEST_F(Tool2Test, ControlsAsDesigned)
{
    const Control controls[] = {
        {"Label1", "Da ottimizzare:", {120, 165, 1455, 255}, 8.25, true},
        {"Text1", "", {1560, 120, 4935, 285}, 8.25, true, true},
        {"Command1", "...", {6480, 120, 495, 300}, 8.25, true, true},
        {"Command2", "OTTIMIZZA", {120, 480, 3375, 495}, 12, true},
        {"Command5", "CHIUDI", {3600, 480, 3375, 495}, 12, true},
        {"Label2", "PAROLE", {240, 1080, 1935, 255}, 9.75, true},
        {"parole", "0", {240, 1320, 1935, 375}, 13.5, true},
        {"Label4", "DOPPIE", {4920, 1080, 1935, 255}, 9.75, false},
        {"doppie", "0", {4920, 1320, 1935, 375}, 13.5, false},
        {"List1", nullptr, {240, 1680, 1935, 2160}, 12, true},
        {"List2", nullptr, {4920, 1680, 1935, 2160}, 12, true},
        {"Label3",
         "Il dizionario \xC3\xA8 stato riordinato alfabeticamente e sono state rimosse le parole doppie.",
         {2520, 1200, 2055, 1335},
         9.75,
         true},
        {"Command3", "SALVA OTTIMIZZATO", {2520, 2520, 2055, 1335}, 9.75, true},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* w = Placed(c.name, c.twips);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(Shown(c.name), c.shown);
        EXPECT_EQ(w->font().pointSizeF(), c.points);
        EXPECT_EQ(w->font().bold(), !c.regular);
        EXPECT_EQ(w->font().family(), QStringLiteral("MS Sans Serif"));
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 255, 0));
            EXPECT_FALSE(label->autoFillBackground());
            EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask,
                      std::string(c.name) == "Label1" ? Qt::AlignLeft : Qt::AlignHCenter);
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(button->text().replace(QLatin1Char('\n'), QLatin1Char(' ')), QString::fromUtf8(c.text));
        } else if (auto* list = qobject_cast<QListView*>(w)) {
            EXPECT_EQ(list->palette().color(QPalette::Text), QColor(0, 255, 0));
            EXPECT_EQ(list->palette().color(QPalette::Base), QColor(0, 0, 128));
            EXPECT_TRUE(list->uniformItemSizes());
        }
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("LEXOR Tools - Ottimizzatore"));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 128, 128));
    EXPECT_EQ(window->width(), ui::Px(7110));
    ExpectDesignState();
}

// Below the compact window's edge nothing takes the focus or acts: the tab
// order runs through what shows, in the design's order, from "...", where
// the work starts, and the controls that OTTIMIZZA reveals join it in their
// places.
TEST_F(Tool2Test, OnlyTheControlsInSightTakeTheFocusInTheDesignsOrder)
{
    const Texts compact = {"Command1", "Command2", "Command5", "Text1"};
    EXPECT_EQ(TabRound(), compact);
    EXPECT_FALSE(ReaderSees("List1"));

    const std::string bytes = Dictionary({"mare", "casa", "mare"});
    const auto file = Write("prova.lexor", bytes);
    Load(file);
    EXPECT_EQ(TabRound(), (Texts{"Command1", "Command2", "Command5", "Text1"}));
    Click("Command3");
    Get("Command3")->setFocus();
    EXPECT_NE(window->focusWidget(), Get("Command3"));
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(test::ReadBytes(file), bytes);

    Click("Command2");
    EXPECT_TRUE(ReaderSees("List1"));
    Get("List1")->setFocus();
    EXPECT_EQ(TabRound(), (Texts{"List1", "Command5", "Text1", "Command1", "Command2", "List2", "Command3"}));
    Load(file);
    EXPECT_EQ(TabRound(), (Texts{"Command1", "Command2", "Command5", "Text1"}));
}

TEST_F(Tool2Test, LoadSortsIntoList1AndShowsThePath)
{
    const auto file = Write("prova.lexor", Dictionary({"zebra", "casa", "albero", "casa"}));
    Load(file);
    ASSERT_EQ(services.dialogs.size(), 1u);
    EXPECT_EQ(services.dialogs[0].initialDir, ui::FromPath(game.path()));
    EXPECT_EQ(services.dialogs[0].filter, QStringLiteral("Dizionari LEXOR (*.lexor)"));
    EXPECT_EQ(services.dialogs[0].title, QStringLiteral("Scegli il dizionario da ottimizzare"));
    EXPECT_EQ(Items("List1"), (Words{"albero", "casa", "casa", "zebra"}));
    EXPECT_EQ(Text("Text1"), ui::FromPath(file));
    EXPECT_EQ(window->height(), test::CompactHeight<Tool2>());
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(Tool2Test, OptimiseShowsCountsAndCopiesThenASecondRunFindsNothing)
{
    Load(Write("prova.lexor", Dictionary({"zebra", "casa", "albero", "casa", "casa"})));
    Click("Command2");
    EXPECT_EQ(Items("List1"), (Words{"albero", "casa", "zebra"}));
    EXPECT_EQ(Items("List2"), (Words{"casa", "casa"}));
    EXPECT_EQ(Text("parole"), QStringLiteral("3"));
    EXPECT_EQ(Text("doppie"), QStringLiteral("2"));
    EXPECT_TRUE(Shown("Label4"));
    EXPECT_TRUE(Shown("doppie"));
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool2>());

    Click("Command2");
    EXPECT_EQ(Items("List1"), (Words{"albero", "casa", "zebra"}));
    EXPECT_TRUE(Items("List2").empty());
    EXPECT_EQ(Text("doppie"), QStringLiteral("0"));
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(Tool2Test, OneWordExpandsWithZeroCopies)
{
    Load(Write("uno.lexor", Dictionary({"casa"})));
    Click("Command2");
    EXPECT_EQ(Text("parole"), QStringLiteral("1"));
    EXPECT_EQ(Text("doppie"), QStringLiteral("0"));
    EXPECT_TRUE(Shown("doppie"));
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool2>());
}

TEST_F(Tool2Test, NothingLoadedMeansOptimiseAndSaveDoNothing)
{
    Click("Command2");
    Click("Command3");
    ExpectDesignState();
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(Tool2Test, OptimiseNeedsAPath)
{
    Load(Write("prova.lexor", Dictionary({"casa", "casa"})));
    Get<QLineEdit>("Text1")->clear();
    Click("Command2");
    EXPECT_EQ(Items("List1"), (Words{"casa", "casa"}));
    EXPECT_FALSE(Shown("doppie"));
    EXPECT_EQ(window->height(), test::CompactHeight<Tool2>());
}

TEST_F(Tool2Test, RejectedHeaderLeavesTheButtonsInert)
{
    const std::string bytes = "lexor dictionary volume\r\n2\r\ncasa\r\ncasa\r\n";
    const auto file = Write("minuscolo.lexor", bytes);
    Load(file);
    EXPECT_TRUE(Items("List1").empty());
    services.boxes.clear();
    Click("Command2");
    Click("Command3");
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_FALSE(Shown("doppie"));
    EXPECT_EQ(window->height(), test::CompactHeight<Tool2>());
    EXPECT_EQ(test::ReadBytes(file), bytes);
}

TEST_F(Tool2Test, NoWordsMessageIsTitledLexor)
{
    Load(Write("vuoto.lexor", Dictionary({}, 0)));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, QStringLiteral("Errore: nessuna parola nel dizionario!"));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    EXPECT_EQ(services.boxes[0].buttons, ui::Buttons::Ok);
    EXPECT_TRUE(Items("List1").empty());
}

TEST_F(Tool2Test, SaveYesWritesTheOptimisedList)
{
    const auto file = Write("prova.lexor", Dictionary({"mare", "casa", "mare", "casa"}));
    Load(file);
    Click("Command2");
    Click("Command3");
    EXPECT_EQ(test::ReadBytes(file), "Lexor Dictionary Volume\r\n2\r\ncasa\r\nmare\r\n");
    ASSERT_EQ(services.boxes.size(), 2u);
    EXPECT_EQ(services.boxes[0].text, SaveQuestion(file));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR Tools"));
    EXPECT_EQ(services.boxes[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(services.boxes[1].text, kSaved);
    EXPECT_EQ(services.boxes[1].title, QStringLiteral("LEXOR Tools"));
    EXPECT_EQ(services.boxes[1].buttons, ui::Buttons::Ok);
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool2>());
}

TEST_F(Tool2Test, SaveNoLeavesTheFileUntouched)
{
    const std::string bytes = Dictionary({"mare", "casa", "mare"});
    const auto file = Write("prova.lexor", bytes);
    Load(file);
    Click("Command2");
    services.QueueAnswer(ui::Answer::No);
    Click("Command3");
    EXPECT_EQ(test::ReadBytes(file), bytes);
    EXPECT_EQ(BoxTexts(), test::Texts{SaveQuestion(file)});
}

TEST_F(Tool2Test, TruncatedFileIsSavedWithTheWordsItHad)
{
    const auto file = Write("corto.lexor", Dictionary({"mare", "casa", "sole"}, 5));
    Load(file);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(Items("List1"), (Words{"casa", "mare", "sole"}));
    Click("Command2");
    Click("Command3");
    EXPECT_EQ(test::ReadBytes(file), Dictionary({"casa", "mare", "sole"}));
    EXPECT_EQ(BoxTexts().back(), kSaved);
}

TEST_F(Tool2Test, FailedSaveShowsTheErrorAndKeepsWhatIsThere)
{
    const auto file = Write("prova.lexor", Dictionary({"mare", "casa"}));
    Load(file);
    Click("Command2");
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    services.QueueAnswer(ui::Answer::Yes);
    services.QueueAnswer(ui::Answer::Yes);
    Click("Command3");
    const auto texts = BoxTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], SaveQuestion(file));
    EXPECT_EQ(
        texts[2],
        QStringLiteral("Impossibile salvare il file:\n%1\nil percorso indica una cartella").arg(ui::FromPath(file)));
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_TRUE(std::filesystem::is_empty(file));
}

TEST_F(Tool2Test, FailedSaveInAReadOnlyFolderKeepsTheFileByteForByte)
{
    namespace fs = std::filesystem;
    const fs::path folder = game / "sola-lettura";
    fs::create_directory(folder);
    const std::string bytes = Dictionary({"mare", "casa", "mare"});
    test::WriteBytes(folder / "prova.lexor", bytes);
    Load(folder / "prova.lexor");
    Click("Command2");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    std::error_code probe;
    test::WriteBytes(folder / "sonda", "x");
    const bool writable = fs::exists(folder / "sonda", probe);
    if (writable) {
        fs::permissions(folder, fs::perms::owner_all);
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }
    Click("Command3");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_NE(BoxTexts().back(), kSaved);
    EXPECT_EQ(test::ReadBytes(folder / "prova.lexor"), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(Tool2Test, ReloadAfterOptimisingKeepsTheEarlierCopiesBelowTheEdge)
{
    Load(Write("prima.lexor", Dictionary({"casa", "casa", "casa"})));
    Click("Command2");
    const auto second = Write("seconda.lexor", Dictionary({"sole", "luna"}));
    Load(second);
    EXPECT_EQ(window->height(), test::CompactHeight<Tool2>());
    EXPECT_EQ(Items("List1"), (Words{"luna", "sole"}));
    EXPECT_EQ(Text("Text1"), ui::FromPath(second));
    EXPECT_EQ(Items("List2"), (Words{"casa", "casa"}));
    EXPECT_EQ(Text("doppie"), QStringLiteral("2"));
    EXPECT_TRUE(Shown("doppie"));
}

TEST_F(Tool2Test, CancelledDialogAfterOptimisingChangesNothing)
{
    const auto file = Write("prova.lexor", Dictionary({"casa", "casa"}));
    Load(file);
    Click("Command2");
    services.QueueCancel();
    Click("Command1");
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool2>());
    EXPECT_EQ(Items("List1"), Words{"casa"});
    EXPECT_EQ(Items("List2"), Words{"casa"});
    EXPECT_EQ(Text("Text1"), ui::FromPath(file));
}

TEST_F(Tool2Test, ChiudiAndTheCloseBoxBothDestroyTheWindowAndReopeningStartsAfresh)
{
    for (const char* closer : {"Command5", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(closer ? "CHIUDI" : "close box");
        Load(Write("prova.lexor", Dictionary({"casa", "casa"})));
        Click("Command2");
        EXPECT_TRUE(Close(closer));
        Open();
        ExpectDesignState();
    }
}

TEST_F(Tool2Test, ADroppedFileLoadsAsChosenAndDroppedTextIsRefused)
{
    const auto file = Write("d.lexor", Dictionary({"mare", "casa", "mare"}));
    EXPECT_TRUE(Drop("Text1", *Files({file})));
    EXPECT_EQ(Text("Text1"), ui::FromPath(file));
    EXPECT_EQ(Items("List1"), (Words{"casa", "mare", "mare"}));
    EXPECT_TRUE(services.dialogs.empty());

    QMimeData text;
    text.setText(QStringLiteral("altro.lexor"));
    EXPECT_FALSE(Drop("Text1", text));
    EXPECT_EQ(Text("Text1"), ui::FromPath(file));
}

// Words added below the counted ones by hand lose nothing: every word is
// loaded, the user is told, and the save writes them all with their true
// count.
TEST_F(Tool2Test, EveryWordTheFileHoldsIsLoadedToldAndSaved)
{
    const auto file = Write("aggiunte.lexor", "Lexor Dictionary Volume\r\n2\r\nmare\r\ncasa\r\nsole\r\nluna\r\n\r\n");
    Load(file);
    EXPECT_EQ(BoxTexts(), (Texts{QStringLiteral("Attenzione: il dizionario dichiara 2 parole ma ne contiene 4.\n"
                                                "Sono state caricate tutte le 4 parole.\n"
                                                "SALVA OTTIMIZZATO lo scriverà nella forma letta dal gioco "
                                                "(Windows-1252, a capo CR LF, conteggio esatto).")}));
    EXPECT_EQ(Items("List1"), (Words{"casa", "luna", "mare", "sole"}));
    Click("Command2");
    EXPECT_EQ(Text("parole"), QStringLiteral("4"));
    Click("Command3");
    EXPECT_EQ(test::ReadBytes(file), Dictionary({"casa", "luna", "mare", "sole"}));
}

// A file an editor saved in its own form is told once, and the save, after
// a question that says the form will change, writes the form the game reads.
TEST_F(Tool2Test, AnEditorsFileIsToldOnceAndSavedInTheGamesForm)
{
    const auto file = Write("notepad.lexor", "\xEF\xBB\xBFLexor Dictionary Volume\n3\ncittà\nmare\ncittà\n");
    Load(file);
    EXPECT_EQ(BoxTexts(),
              (Texts{QStringLiteral("Il dizionario non è nella forma letta dal gioco (UTF-8 con BOM, a capo "
                                    "LF):\n%1\nSono state lette 3 parole, come le mostra l'editor di testo.\n"
                                    "SALVA OTTIMIZZATO lo scriverà nella forma letta dal gioco "
                                    "(Windows-1252, a capo CR LF, conteggio esatto).")
                         .arg(ui::FromPath(file))}));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    Click("Command2");
    services.boxes.clear();
    Click("Command3");
    EXPECT_EQ(BoxTexts(),
              (Texts{SaveQuestion(file) + QStringLiteral("\nLa forma del file cambierà: da quella attuale (UTF-8 con "
                                                         "BOM, a capo LF) a quella letta dal gioco "
                                                         "(Windows-1252, a capo CR LF)."),
                     kSaved}));
    EXPECT_EQ(test::ReadBytes(file), Dictionary({"citt\xE0", "mare"}));
    services.boxes.clear();
    Click("Command3");
    EXPECT_EQ(BoxTexts(), (Texts{SaveQuestion(file), kSaved}));
}

// The path box shows the loaded file and takes no typing, and the save goes
// to that file and to no other, naming it in its question.
TEST_F(Tool2Test, SaveGoesToTheLoadedFileWhateverIsTypedInTheBox)
{
    const auto loaded = Write("a.lexor", Dictionary({"mare", "casa", "mare"}));
    const std::string other = Dictionary({"sole"});
    const auto typed = Write("b.lexor", other);
    Load(loaded);
    auto* box = Get<QLineEdit>("Text1");
    EXPECT_TRUE(box->isReadOnly());
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, ui::FromPath(typed));
    EXPECT_EQ(Text("Text1"), ui::FromPath(loaded));
    Click("Command2");
    Click("Command3");
    EXPECT_EQ(BoxTexts().front(), SaveQuestion(loaded));
    EXPECT_EQ(test::ReadBytes(loaded), Dictionary({"casa", "mare"}));
    EXPECT_EQ(test::ReadBytes(typed), other);
}

// Words that another program added to the file after the load are not
// overwritten unasked: keeping the file is the default, overwriting it the
// user's choice. After a save the file is the program's own again.
TEST_F(Tool2Test, FileChangedOnDiskIsKeptUnlessTheUserChoosesToOverwrite)
{
    const auto file = Write("prova.lexor", Dictionary({"mare", "casa", "mare"}));
    Load(file);
    Click("Command2");
    const std::string edited = Dictionary({"mare", "casa", "mare", "sole"});
    test::WriteBytes(file, edited);
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(2));
    const QString changed = QStringLiteral("Il file è cambiato sul disco dopo il caricamento:\n%1\n"
                                           "Sovrascrivendolo, le modifiche fatte nel frattempo andranno perse. "
                                           "Sovrascrivere comunque?")
                                .arg(ui::FromPath(file));
    Click("Command3");
    EXPECT_EQ(BoxTexts(), (Texts{SaveQuestion(file), changed}));
    EXPECT_EQ(services.boxes[1].buttons, ui::Buttons::YesNoDefaultNo);
    EXPECT_EQ(test::ReadBytes(file), edited);

    services.boxes.clear();
    services.QueueAnswer(ui::Answer::Yes);
    services.QueueAnswer(ui::Answer::Yes);
    Click("Command3");
    EXPECT_EQ(BoxTexts(), (Texts{SaveQuestion(file), changed, kSaved}));
    EXPECT_EQ(test::ReadBytes(file), Dictionary({"casa", "mare"}));

    services.boxes.clear();
    Click("Command3");
    EXPECT_EQ(BoxTexts(), (Texts{SaveQuestion(file), kSaved}));
}

// What the file holds and which file it is decide, not its size and time:
// an edit that keeps both (a copy tool that keeps times, a coarse clock), or
// another file of the same size and time linked in its place, is noticed.
TEST_F(Tool2Test, ChangesThatKeepSizeAndTimeAreNoticed)
{
    const auto file = Write("prova.lexor", Dictionary({"mare", "casa", "mare"}));
    const auto other = Write("altro.lexor", Dictionary({"mare", "casa", "sole"}));
    const auto time = std::filesystem::last_write_time(file);
    std::filesystem::last_write_time(other, time);
    const auto changes = {
        std::function<void()>([&] {
            test::WriteBytes(file, Dictionary({"mare", "casa", "luna"}));
            std::filesystem::last_write_time(file, time);
        }),
        std::function<void()>([&] {
            std::filesystem::remove(file);
            std::filesystem::create_hard_link(other, file);
        }),
    };
    for (const auto& change : changes) {
        test::WriteBytes(file, Dictionary({"mare", "casa", "mare"}));
        std::filesystem::last_write_time(file, time);
        Load(file);
        Click("Command2");
        const std::string before = test::ReadBytes(file);
        change();
        ASSERT_EQ(std::filesystem::file_size(file), before.size());
        ASSERT_EQ(std::filesystem::last_write_time(file), time);
        const std::string changed = test::ReadBytes(file);
        services.boxes.clear();
        Click("Command3");
        ASSERT_EQ(BoxTexts().size(), 2u);
        EXPECT_TRUE(BoxTexts()[1].startsWith(QStringLiteral("Il file è cambiato sul disco dopo il caricamento")));
        EXPECT_EQ(test::ReadBytes(file), changed);
        EXPECT_EQ(test::ReadBytes(other), Dictionary({"mare", "casa", "sole"}));
    }
}

// A file that is no dictionary is named as such, and its path does not stay
// in the box as if it had been loaded.
TEST_F(Tool2Test, FileWithoutTheHeaderIsToldAndNotShownAsLoaded)
{
    const auto file = Write("lettera.lexor", "lexor dictionary volume\r\n1\r\ncasa\r\n");
    Load(file);
    EXPECT_EQ(BoxTexts(), (Texts{QStringLiteral("Il file non è un dizionario LEXOR:\n%1\nla prima riga è "
                                                "\"lexor dictionary volume\", invece di \"Lexor Dictionary Volume\".")
                                     .arg(ui::FromPath(file))}));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    EXPECT_TRUE(Text("Text1").isEmpty());
    EXPECT_TRUE(Items("List1").empty());
}

// Return and Enter press the focused button and nothing else; Escape closes
// nothing.
TEST_F(Tool2Test, EnterPressesTheFocusedButtonOnly)
{
    Get("Command1")->setFocus();
    Press(Qt::Key_Return);
    EXPECT_EQ(services.dialogs.size(), 1u);
    Get("Text1")->setFocus();
    Press(Qt::Key_Enter);
    Press(Qt::Key_Escape);
    EXPECT_EQ(services.dialogs.size(), 1u);
    EXPECT_FALSE(window.isNull());
    Get("Command5")->setFocus();
    Press(Qt::Key_Enter);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

// Every control a screen reader can reach has an Italian name of one line,
// and the counts are read with their headings.
TEST_F(Tool2Test, ScreenReadersCanTellEveryControlApart)
{
    Load(Write("prova.lexor", Dictionary({"mare", "casa", "mare"})));
    Click("Command2");
    auto name = [this](const char* control) {
        return QAccessible::queryAccessibleInterface(Get(control))->text(QAccessible::Name);
    };
    const std::pair<const char*, const char*> names[] = {
        {"Text1", "Da ottimizzare"},
        {"Command1", "Scegli il dizionario da ottimizzare"},
        {"Command2", "OTTIMIZZA"},
        {"Command5", "CHIUDI"},
        {"List1", "Parole"},
        {"List2", "Doppie"},
        {"Command3", "SALVA OTTIMIZZATO"},
        {"parole", "Parole 2"},
        {"doppie", "Doppie 1"},
    };
    for (const auto& [control, expected] : names)
        EXPECT_EQ(name(control), QString::fromUtf8(expected)) << control;
}
} // namespace
} // namespace lexor

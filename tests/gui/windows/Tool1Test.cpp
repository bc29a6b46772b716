#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "kit/Conversions.h"
#include "kit/Twips.h"
#include "support/WindowTest.h"
#include "windows/Tool1.h"

namespace lexor {
namespace {

using test::Dictionary;
using test::Texts;
using test::Words;

const QString kTitle = QStringLiteral("LEXOR Tools");
const QString kRefused = QStringLiteral("Selezionare prima due dizionari validi!");
const QString kNoWords = QStringLiteral("Errore: nessuna parola nel dizionario!");

// Records what the progress frame shows each time it is painted: the
// percentage and the bar's width in pixels.
class PaintRecorder : public QObject {
public:
    PaintRecorder(QLabel* percentage, const QLabel* bar) : percentage_(percentage), bar_(bar)
    {
        percentage_->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == percentage_ && event->type() == QEvent::Paint) {
            texts.push_back(percentage_->text());
            widths.push_back(bar_->width());
        }
        return false;
    }
    Texts texts;
    std::vector<int> widths;

private:
    QLabel* percentage_;
    const QLabel* bar_;
};

// The bar's width for a percentage: that share of the 457-pixel track, to
// the nearest pixel, a half rounded up.
int BarPixels(int percent)
{
    return (percent * 457 + 50) / 100;
}

class Tool1Test : public test::WindowTest {
protected:
    Tool1Test() { Open(); }

    void Open() { window = OpenWindow<Tool1>(); }

    void LoadOriginal(const std::filesystem::path& file) { ClickChoosing("Command1", file); }
    void LoadModified(const std::filesystem::path& file) { ClickChoosing("Command2", file); }
    void LoadBoth(const Words& original, const Words& modified)
    {
        LoadOriginal(Write("originale.lexor", Dictionary(original)));
        LoadModified(Write("modificato.lexor", Dictionary(modified)));
    }

    QString Tip(const char* list) const { return Get<QListView>(list)->toolTip(); }

    void ExpectDesignState()
    {
        EXPECT_EQ(window->height(), test::CompactHeight<Tool1>());
        EXPECT_TRUE(Text("Text1").isEmpty());
        EXPECT_TRUE(Text("Text2").isEmpty());
        EXPECT_TRUE(Items("List1").empty());
        EXPECT_TRUE(Items("List2").empty());
        EXPECT_TRUE(Items("List3").empty());
        EXPECT_TRUE(Tip("List1").isEmpty());
        EXPECT_TRUE(Tip("List3").isEmpty());
        EXPECT_EQ(Get<QLabel>("Label5")->width(), 1);
        EXPECT_EQ(Text("Label7"), QStringLiteral("0%"));
    }

    void ExpectFullBar()
    {
        EXPECT_EQ(Get<QLabel>("Label5")->width(), Get<QLabel>("Label6")->width());
        EXPECT_EQ(Text("Label7"), QStringLiteral("100%"));
    }

    QPointer<Tool1> window;
};

struct Control {
    const char* name;
    const char* text;
    QRect twips;
    qreal points;
    bool bold;
    QColor foreground; // invalid: not checked
    QColor background; // invalid: no background of its own
};

TEST_F(Tool1Test, ControlsAsDesigned)
{
    const QColor none;
    const QColor yellow(255, 255, 0), red(255, 0, 0), green(0, 255, 0), navy(0, 0, 128), darkBlue(0, 0, 192);
    const Control controls[] = {
        {"Label1", "Originale:", {240, 165, 1095, 255}, 8.25, true, yellow, none},
        {"Text1", "", {1320, 120, 5415, 285}, 8.25, false, none, none},
        {"Command1", "...", {6720, 120, 495, 300}, 8.25, false, none, none},
        {"Label2", "Modificato:", {240, 525, 1095, 255}, 8.25, true, yellow, none},
        {"Text2", "", {1320, 480, 5415, 285}, 8.25, false, none, none},
        {"Command2", "...", {6720, 480, 495, 300}, 8.25, false, none, none},
        {"Command5", "CONFRONTA", {120, 840, 3495, 495}, 12, true, none, none},
        {"Command3", "CHIUDI", {3720, 840, 3495, 495}, 12, true, none, none},
        {"Label6", "", {120, 240, 6855, 375}, 0, false, none, red},
        {"Label5", "", {120, 240, 15, 375}, 0, false, none, green},
        {"Label7", "0%", {120, 240, 6855, 375}, 13.5, true, darkBlue, none},
        {"Label4", "AGGIUNTE", {240, 2220, 1935, 375}, 13.5, true, green, none},
        {"List3", nullptr, {240, 2640, 1935, 1560}, 12, true, green, navy},
        {"Label3", "MANCANTI", {2400, 2220, 1935, 375}, 13.5, true, green, none},
        {"List1", nullptr, {2400, 2640, 1935, 1560}, 12, true, green, navy},
        {"Command4", "SALVA AGGIUNTE", {4560, 2260, 2535, 975}, 13.5, true, none, none},
        {"Command6", "SALVA MANCANTI", {4560, 3240, 2535, 975}, 13.5, true, none, none},
        {"List2", nullptr, {4560, 2640, 1935, 1560}, 12, true, green, navy},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* w = Placed(c.name, c.twips);
        ASSERT_NE(w, nullptr);
        // Visible by design; the results show once the window grows (below).
        EXPECT_EQ(!w->isHidden(), std::string(c.name) != "List2");
        if (c.points > 0) {
            EXPECT_EQ(w->font().pointSizeF(), c.points);
            EXPECT_EQ(w->font().bold(), c.bold);
            EXPECT_EQ(w->font().family(), QStringLiteral("MS Sans Serif"));
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
            EXPECT_EQ(label->autoFillBackground(), c.background.isValid());
            if (c.background.isValid()) {
                EXPECT_EQ(label->palette().color(QPalette::Window), c.background);
            }
            if (c.foreground.isValid()) {
                EXPECT_EQ(label->palette().color(QPalette::WindowText), c.foreground);
            }
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(button->text(), QString::fromUtf8(c.text));
        } else if (auto* list = qobject_cast<QListView*>(w)) {
            EXPECT_EQ(list->palette().color(QPalette::Text), c.foreground);
            EXPECT_EQ(list->palette().color(QPalette::Base), c.background);
            EXPECT_TRUE(list->uniformItemSizes());
        }
    }
    EXPECT_EQ(Get<QLabel>("Label4")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(Get<QLabel>("Label7")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    auto* frame = Get<QFrame>("Frame1");
    Placed("Frame1", {120, 1320, 7095, 735});
    EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(0, 128, 128));
    // Children are painted in creation order: track, then bar, then text on top.
    Texts stack;
    for (QObject* child : frame->children())
        stack.push_back(child->objectName());
    EXPECT_EQ(stack, (Texts{"Label6", "Label5", "Label7"}));

    EXPECT_EQ(window->windowTitle(), QStringLiteral("LEXOR Tools - Confrontatore di Dizionari"));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 128, 128));
    EXPECT_EQ(window->width(), ui::Px(7425));
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    ExpectDesignState();
}

// What the compact window leaves below its edge, screen readers do not
// report either; after a comparison they read each list with its count, as
// its tooltip shows it.
TEST_F(Tool1Test, CompactWindowHidesTheResultsAndExpandedShowsThem)
{
    const char* results[] = {"Label4", "List3", "Label3", "List1", "Command4", "Command6"};
    const auto clientBottom = [&] { return window->height(); };
    EXPECT_LE(clientBottom(), Get<QWidget>("Label4")->y());
    EXPECT_GE(clientBottom(), Get<QWidget>("Frame1")->geometry().bottom());
    for (const char* name : results)
        EXPECT_FALSE(ReaderSees(name)) << name;
    EXPECT_TRUE(ReaderSees("Frame1"));
    LoadBoth({"casa", "mare", "sole"}, {"mare"});
    Click("Command5");
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool1>());
    EXPECT_GE(clientBottom(), Get<QWidget>("List1")->geometry().bottom());
    EXPECT_GE(clientBottom(), Get<QWidget>("Command6")->geometry().bottom());
    for (const char* name : results)
        EXPECT_TRUE(ReaderSees(name)) << name;
    EXPECT_FALSE(ReaderSees("List2"));
    auto description = [this](const char* list) {
        return QAccessible::queryAccessibleInterface(Get(list))->text(QAccessible::Description);
    };
    EXPECT_EQ(description("List3"), QStringLiteral("0 parole"));
    EXPECT_EQ(description("List1"), QStringLiteral("2 parole"));
    LoadOriginal(Write("nuovo.lexor", Dictionary({"luna"})));
    EXPECT_EQ(description("List1"), QString());
    EXPECT_FALSE(ReaderSees("List1"));
}

TEST_F(Tool1Test, LoadersSortTheWordsAndShowThePaths)
{
    const auto original = Write("originale.lexor", Dictionary({"zebra", "casa", "perch\xE9"}));
    LoadOriginal(original);
    const auto modified = Write("modificato.lexor", Dictionary({"mare", "albero"}));
    LoadModified(modified);
    ASSERT_EQ(services.dialogs.size(), 2u);
    for (const auto& call : services.dialogs) {
        EXPECT_EQ(call.initialDir, ui::FromPath(game.path()));
        EXPECT_EQ(call.filter, QStringLiteral("Dizionari LEXOR (*.lexor)"));
    }
    EXPECT_EQ(Items("List1"), (Words{"casa", "perch\xC3\xA9", "zebra"}));
    EXPECT_EQ(Items("List2"), (Words{"albero", "mare"}));
    EXPECT_EQ(Text("Text1"), ui::FromPath(original));
    EXPECT_EQ(Text("Text2"), ui::FromPath(modified));
    EXPECT_TRUE(Get<QLineEdit>("Text1")->isReadOnly());
    EXPECT_EQ(window->height(), test::CompactHeight<Tool1>());
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(Tool1Test, NoWordsMessageTitleDependsOnTheLoader)
{
    const auto empty = Write("vuoto.lexor", Dictionary({}, 0));
    LoadOriginal(empty);
    LoadModified(empty);
    ASSERT_EQ(services.boxes.size(), 2u);
    EXPECT_EQ(services.boxes[0].text, kNoWords);
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    EXPECT_EQ(services.boxes[1].text, kNoWords);
    EXPECT_EQ(services.boxes[1].title, kTitle);
    EXPECT_EQ(services.boxes[1].buttons, ui::Buttons::Ok);
    EXPECT_TRUE(Text("Text1").isEmpty());
    EXPECT_TRUE(Text("Text2").isEmpty());
}

TEST_F(Tool1Test, CompareShowsAddedAndMissingWordsAndConsumesTheInputs)
{
    LoadBoth({"casa", "mare", "sole", "Casa", "casa"}, {"sole", "casa", "albero", "casa", "casa"});
    Click("Command5");
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool1>());
    EXPECT_EQ(Items("List3"), (Words{"albero", "casa"}));
    EXPECT_EQ(Items("List1"), (Words{"Casa", "mare"}));
    EXPECT_TRUE(Items("List2").empty());
    EXPECT_TRUE(Text("Text1").isEmpty());
    EXPECT_TRUE(Text("Text2").isEmpty());
    EXPECT_EQ(Tip("List3"), QStringLiteral("2 parole"));
    EXPECT_EQ(Tip("List1"), QStringLiteral("2 parole"));
    ExpectFullBar();

    Click("Command5");
    EXPECT_EQ(BoxTexts(), Texts{kRefused});
    EXPECT_EQ(services.boxes[0].title, kTitle);
    EXPECT_EQ(Items("List3"), (Words{"albero", "casa"}));
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool1>());
}

TEST_F(Tool1Test, IdenticalDictionariesLeaveNothingToSave)
{
    LoadBoth({"casa", "mare"}, {"mare", "casa"});
    Click("Command5");
    EXPECT_EQ(Tip("List3"), QStringLiteral("0 parole"));
    EXPECT_EQ(Tip("List1"), QStringLiteral("0 parole"));
    Click("Command4");
    Click("Command6");
    EXPECT_EQ(BoxTexts(), (Texts{"Nessuna parola aggiunta!", "Nessuna parola mancante!"}));
    for (const auto& box : services.boxes)
        EXPECT_EQ(box.title, kTitle);
    EXPECT_FALSE(std::filesystem::exists(game / "Aggiunte.ldv"));
    EXPECT_FALSE(std::filesystem::exists(game / "Mancanti.ldv"));
}

TEST_F(Tool1Test, SavesWriteBothFilesAndOverwriteWithoutAsking)
{
    LoadBoth({"zeta", "casa", "mare"}, {"mare", "sole", "albero"});
    Click("Command5");
    Click("Command4");
    Click("Command6");
    EXPECT_EQ(test::ReadBytes(game / "Aggiunte.ldv"), Dictionary({"albero", "sole"}));
    EXPECT_EQ(test::ReadBytes(game / "Mancanti.ldv"), Dictionary({"casa", "zeta"}));
    EXPECT_EQ(BoxTexts(), (Texts{"File Aggiunte.ldv salvato!", "File Mancanti.ldv salvato!"}));

    LoadBoth({"uno"}, {"due"});
    Click("Command5");
    Click("Command4");
    EXPECT_EQ(test::ReadBytes(game / "Aggiunte.ldv"), Dictionary({"due"}));
    EXPECT_EQ(BoxTexts().back(), QStringLiteral("File Aggiunte.ldv salvato!"));
    EXPECT_EQ(services.boxes.size(), 3u);
}

TEST_F(Tool1Test, FailedSaveTellsWhyAndClaimsNoSuccess)
{
    LoadBoth({"casa"}, {"mare"});
    Click("Command5");
    // A folder where the file should go cannot be replaced by a file.
    std::filesystem::create_directories(game / "Mancanti.ldv" / "dentro");
    Click("Command6");
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_TRUE(services.boxes[0].text.startsWith(QStringLiteral("Impossibile salvare il file:")))
        << services.boxes[0].text.toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(game / "Mancanti.ldv" / "dentro"));

    services.SetAppFolder(game / "manca");
    Click("Command4");
    ASSERT_EQ(services.boxes.size(), 2u);
    EXPECT_TRUE(services.boxes[1].text.startsWith(QStringLiteral("Impossibile salvare il file:")));
    EXPECT_FALSE(std::filesystem::exists(game / "manca"));
    EXPECT_EQ(Items("List3"), Words{"mare"});

    // Without a folder of its own the program writes nowhere else.
    services.SetAppFolder({});
    Click("Command4");
    EXPECT_EQ(BoxTexts().back(),
              QStringLiteral("Impossibile trovare la cartella del programma: nessun file è stato cambiato."));
}

TEST_F(Tool1Test, RefusedRunsChangeNothing)
{
    struct Refusal {
        const char* name;
        std::string original; // empty: not loaded
        std::string modified;
        const char* cleared; // path box emptied by hand before the run
    };
    const std::string good = Dictionary({"casa"});
    const std::string badHeader = "lexor dictionary volume\r\n1\r\ncasa\r\n";
    const Refusal refusals[] = {
        {"nothing loaded", "", "", nullptr},
        {"only the original", good, "", nullptr},
        {"only the modified", "", good, nullptr},
        {"original rejected", badHeader, good, nullptr},
        {"modified without words", good, Dictionary({}, 0), nullptr},
        {"original path empty", good, good, "Text1"},
        {"modified path empty", good, good, "Text2"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.name);
        delete window.data();
        services.boxes.clear();
        Open();
        if (!r.original.empty())
            LoadOriginal(Write("o.lexor", r.original));
        if (!r.modified.empty())
            LoadModified(Write("m.lexor", r.modified));
        if (r.cleared)
            Get<QLineEdit>(r.cleared)->clear();
        const Words list1 = Items("List1");
        const Words list2 = Items("List2");
        const QString text1 = Text("Text1");
        const QString text2 = Text("Text2");
        services.boxes.clear();
        Click("Command5");
        ASSERT_EQ(BoxTexts(), Texts{kRefused});
        EXPECT_EQ(services.boxes[0].title, kTitle);
        EXPECT_EQ(services.boxes[0].buttons, ui::Buttons::Ok);
        EXPECT_EQ(Items("List1"), list1);
        EXPECT_EQ(Items("List2"), list2);
        EXPECT_EQ(Text("Text1"), text1);
        EXPECT_EQ(Text("Text2"), text2);
        EXPECT_EQ(Text("Label7"), QStringLiteral("0%"));
        EXPECT_EQ(Get<QLabel>("Label5")->width(), 1);
        EXPECT_EQ(window->height(), test::CompactHeight<Tool1>());
    }
}

TEST_F(Tool1Test, BarAndPercentRepaintOncePerNewPercent)
{
    Words many;
    for (int i = 0; i < 250; ++i)
        many.push_back("w" + std::to_string(1000 + i));
    LoadBoth(many, many);
    PaintRecorder recorder(Get<QLabel>("Label7"), Get<QLabel>("Label5"));
    Click("Command5");
    // The design state already shows 0%: the first word (a bar of width 0)
    // is the first change, then 1% to 100%, one paint each.
    ASSERT_EQ(recorder.texts.size(), 101u);
    EXPECT_EQ(recorder.texts[0], QStringLiteral("0%"));
    EXPECT_EQ(recorder.widths[0], 0);
    for (int percent = 1; percent <= 100; ++percent) {
        EXPECT_EQ(recorder.texts[percent], QString::number(percent) + QLatin1Char('%'));
        EXPECT_EQ(recorder.widths[percent], BarPixels(percent));
    }
    EXPECT_EQ(recorder.widths[50], 229);
    EXPECT_EQ(recorder.widths[100], 457);
    ExpectFullBar();
}

TEST_F(Tool1Test, ThreeWordsShowAThirdAtATimeAndOneWordFillsTheBar)
{
    LoadBoth({"a"}, {"a", "b", "c"});
    PaintRecorder recorder(Get<QLabel>("Label7"), Get<QLabel>("Label5"));
    Click("Command5");
    EXPECT_EQ(recorder.texts, (Texts{"33%", "66%", "100%"}));

    LoadBoth({"a"}, {"b"});
    recorder.texts.clear();
    recorder.widths.clear();
    Click("Command5");
    // From the full bar of the last run back to the start, then full again.
    EXPECT_EQ(recorder.texts, (Texts{"0%", "100%"}));
    EXPECT_EQ(recorder.widths.front(), 1);
    EXPECT_EQ(recorder.widths.back(), 457);
    ExpectFullBar();
}

TEST_F(Tool1Test, ReloadingShrinksTheWindowAndKeepsTheFullBar)
{
    LoadBoth({"casa", "mare"}, {"mare", "sole"});
    Click("Command5");
    const auto next = Write("nuovo.lexor", Dictionary({"luna"}));
    LoadOriginal(next);
    EXPECT_EQ(window->height(), test::CompactHeight<Tool1>());
    EXPECT_EQ(Items("List1"), Words{"luna"});
    EXPECT_EQ(Items("List3"), Words{"sole"});
    EXPECT_TRUE(Tip("List1").isEmpty());
    EXPECT_TRUE(Tip("List3").isEmpty());
    EXPECT_EQ(Text("Text1"), ui::FromPath(next));
    ExpectFullBar();

    Click("Command5");
    EXPECT_EQ(BoxTexts(), Texts{kRefused});
}

TEST_F(Tool1Test, RejectedModifiedFileIsToldStillShrinksAndClearsTheTooltips)
{
    LoadBoth({"casa"}, {"mare"});
    Click("Command5");
    const auto bad = Write("tronco.lexor", "Lexor Dictionary\r\n1\r\nmare\r\n");
    LoadModified(bad);
    EXPECT_EQ(BoxTexts(), (Texts{QStringLiteral("Il file non è un dizionario LEXOR:\n%1\nla prima riga è "
                                                "\"Lexor Dictionary\", invece di \"Lexor Dictionary Volume\".")
                                     .arg(ui::FromPath(bad))}));
    EXPECT_EQ(services.boxes[0].title, kTitle);
    EXPECT_EQ(window->height(), test::CompactHeight<Tool1>());
    EXPECT_TRUE(Text("Text2").isEmpty());
    EXPECT_TRUE(Items("List2").empty());
    EXPECT_TRUE(Tip("List1").isEmpty());
    EXPECT_TRUE(Tip("List3").isEmpty());
    EXPECT_EQ(Items("List1"), Words{"casa"});
}

TEST_F(Tool1Test, CancelledDialogsKeepTheResults)
{
    LoadBoth({"casa", "mare"}, {"mare", "sole"});
    Click("Command5");
    services.QueueCancel();
    Click("Command1");
    services.QueueCancel();
    Click("Command2");
    EXPECT_EQ(window->height(), test::ExpandedHeight<Tool1>());
    EXPECT_EQ(Items("List1"), Words{"casa"});
    EXPECT_EQ(Items("List3"), Words{"sole"});
    EXPECT_EQ(Tip("List1"), QStringLiteral("1 parole"));
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(Tool1Test, TruncatedFileIsComparedWithTheWordsItHad)
{
    LoadOriginal(Write("corto.lexor", Dictionary({"casa", "mare"}, 5)));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    LoadModified(Write("m.lexor", Dictionary({"mare"})));
    Click("Command5");
    EXPECT_EQ(Items("List1"), Words{"casa"});
    EXPECT_EQ(services.boxes.size(), 1u);
}

TEST_F(Tool1Test, ChiudiAndTheCloseBoxBothDestroyTheWindowAndReopeningStartsAfresh)
{
    for (const char* closer : {"Command3", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(closer ? "CHIUDI" : "close box");
        LoadBoth({"casa", "mare"}, {"mare", "sole"});
        Click("Command5");
        LoadOriginal(Write("o.lexor", Dictionary({"luna"})));
        EXPECT_TRUE(Close(closer));
        Open();
        ExpectDesignState();
    }
}

// A file dropped on a path row goes through that row's load: its
// preparation, its checks and its messages, with no dialog.
TEST_F(Tool1Test, DroppedFilesLoadThroughTheirRows)
{
    LoadBoth({"casa"}, {"mare"});
    Click("Command5");
    const auto original = Write("o.lexor", Dictionary({"sole", "luna"}));
    EXPECT_TRUE(Drop("Label1", *Files({original})));
    EXPECT_EQ(Text("Text1"), ui::FromPath(original));
    EXPECT_EQ(Items("List1"), (Words{"luna", "sole"}));
    EXPECT_EQ(window->height(), test::CompactHeight<Tool1>());
    EXPECT_TRUE(Tip("List3").isEmpty());

    const auto empty = Write("vuoto.lexor", Dictionary({}));
    EXPECT_TRUE(Drop("Command2", *Files({empty})));
    EXPECT_TRUE(Text("Text2").isEmpty());
    ASSERT_EQ(BoxTexts(), Texts{kNoWords});
    EXPECT_EQ(services.boxes[0].title, kTitle);

    const auto modified = Write("m.lexor", Dictionary({"sole"}));
    EXPECT_TRUE(Drop("Text2", *Files({modified})));
    EXPECT_EQ(Items("List2"), Words{"sole"});
    EXPECT_EQ(services.dialogs.size(), 2u); // only the first two loads asked
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Tool1Test, OnlyASingleFileIsTakenFromADrop)
{
    const auto a = Write("a.lexor", Dictionary({"casa"}));
    const auto b = Write("b.lexor", Dictionary({"mare"}));
    QMimeData text;
    text.setText(ui::FromPath(a));
    EXPECT_FALSE(Drop("Text1", text));
    EXPECT_FALSE(Drop("Text1", *Files({a, b})));
    EXPECT_FALSE(Drop("Command1", *Files({game.path()})));
    EXPECT_TRUE(Text("Text1").isEmpty());
    EXPECT_TRUE(Items("List1").empty());
    EXPECT_TRUE(services.boxes.empty());
}

// Words written below the counted ones take part in the comparison, and the
// user is told that the count and the words disagree.
TEST_F(Tool1Test, WordsAfterTheCountLineTakePartInTheComparison)
{
    LoadOriginal(Write("o.lexor", Dictionary({"casa", "mare", "sole"}, 1)));
    EXPECT_EQ(BoxTexts(), (Texts{QStringLiteral("Attenzione: il dizionario dichiara 1 parole ma ne contiene 3.\n"
                                                "Sono state caricate tutte le 3 parole.")}));
    LoadModified(Write("m.lexor", Dictionary({"casa", "luna"}, 1)));
    Click("Command5");
    EXPECT_EQ(Items("List1"), (Words{"mare", "sole"}));
    EXPECT_EQ(Items("List3"), Words{"luna"});
}

// A dictionary saved by an editor in UTF-8 with LF line ends compares with
// the game's own as the editor shows it: its accented words meet their
// Windows-1252 twins, and no two words run into one.
TEST_F(Tool1Test, AnEditorsDictionaryComparesAsTheEditorShowsIt)
{
    const auto original = Write("o.lexor", "Lexor Dictionary Volume\n3\ncittà\nperché\ncasa\nmare\n");
    LoadOriginal(original);
    EXPECT_EQ(BoxTexts(),
              (Texts{QStringLiteral("Il dizionario non è nella forma letta dal gioco (UTF-8, a capo LF):\n%1\n"
                                    "Sono state lette 4 parole, come le mostra l'editor di testo.\n"
                                    "Attenzione: il dizionario dichiara 3 parole ma ne contiene 4.\n"
                                    "Sono state caricate tutte le 4 parole.")
                         .arg(ui::FromPath(original))}));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    LoadModified(Write("m.lexor", Dictionary({"citt\xE0", "perch\xE9", "casa", "sole"})));
    Click("Command5");
    EXPECT_EQ(Items("List1"), Words{"mare"});
    EXPECT_EQ(Items("List3"), Words{"sole"});
}

// In the compact height the results area lies below the window's edge: its
// lists and save buttons take no focus and cannot be pressed, so a save can
// never write the results of an earlier run or the words of a new original.
TEST_F(Tool1Test, ControlsBelowTheEdgeTakeNoFocusAndCannotBePressed)
{
    const Texts compact = {"Text1", "Command1", "Text2", "Command2", "Command5", "Command3"};
    EXPECT_EQ(TabRound(), compact);
    LoadBoth({"casa", "mare"}, {"mare", "sole"});
    Click("Command5");
    Get("List3")->setFocus();
    EXPECT_EQ(TabRound(), (Texts{"List3", "List1", "Command4", "Command6", "Text1", "Command1", "Text2", "Command2",
                                 "Command5", "Command3"}));

    Get("Command6")->setFocus();
    LoadOriginal(Write("nuovo.lexor", Dictionary({"luna"})));
    EXPECT_EQ(window->height(), test::CompactHeight<Tool1>());
    const Texts round = TabRound();
    EXPECT_EQ(round.size(), compact.size());
    for (const char* hidden : {"List3", "List1", "Command4", "Command6"})
        EXPECT_EQ(std::count(round.begin(), round.end(), QLatin1String(hidden)), 0) << hidden;
    Click("Command6");
    Click("Command4");
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(game / "Mancanti.ldv"));
    EXPECT_FALSE(std::filesystem::exists(game / "Aggiunte.ldv"));
}

// The dialog says which dictionary it chooses; Return and Enter press the
// focused button and nothing else; Escape closes nothing.
TEST_F(Tool1Test, EachDialogSaysWhatItChoosesAndEnterPressesTheFocusedButton)
{
    Get("Command1")->setFocus();
    Press(Qt::Key_Return);
    Get("Command2")->setFocus();
    Press(Qt::Key_Enter);
    ASSERT_EQ(services.dialogs.size(), 2u);
    EXPECT_EQ(services.dialogs[0].title, QStringLiteral("Scegli il dizionario originale"));
    EXPECT_EQ(services.dialogs[1].title, QStringLiteral("Scegli il dizionario modificato"));
    Get("Text1")->setFocus();
    Press(Qt::Key_Return);
    Press(Qt::Key_Escape);
    EXPECT_EQ(services.dialogs.size(), 2u);
    EXPECT_TRUE(services.boxes.empty());
    Get("Command5")->setFocus();
    Press(Qt::Key_Return);
    EXPECT_EQ(BoxTexts(), Texts{kRefused});
    EXPECT_FALSE(window.isNull());
}

// Return presses the focused button once each time it goes down on it;
// held down, it presses once. Under Wine with a window manager the Return
// that closed a box comes up unseen, so the next one arrives marked as a
// repeat of it: that one counts too.
TEST_F(Tool1Test, EveryReturnPressesTheFocusedButtonOnce)
{
    QWidget* button = Get("Command5");
    button->setFocus();
    auto key = [button](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), repeat);
        QApplication::sendEvent(button, &event);
    };
    key(QEvent::KeyPress, true);
    EXPECT_EQ(services.boxes.size(), 1u);
    key(QEvent::KeyRelease, false);
    key(QEvent::KeyPress, false);
    key(QEvent::KeyPress, true);
    key(QEvent::KeyPress, true);
    EXPECT_EQ(services.boxes.size(), 2u);
    key(QEvent::KeyRelease, false);
    key(QEvent::KeyPress, false);
    EXPECT_EQ(services.boxes.size(), 3u);
}

// A path box takes no typing, so it shows no text cursor; it still shows
// that it has the focus, also in the Windows style, which draws nothing else
// on it.
TEST_F(Tool1Test, PathBoxesShowTheFocusInEveryStyle)
{
    Get("Text1")->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_TRUE(Get("Text1")->hasFocus());
    for (const QString& name : {QStringLiteral("Windows"), QStringLiteral("Fusion")}) {
        SCOPED_TRACE(name.toStdString());
        const std::unique_ptr<QStyle> style(QStyleFactory::create(name));
        ASSERT_NE(style, nullptr);
        for (const char* box : {"Text1", "Text2"})
            Get(box)->setStyle(style.get());
        EXPECT_NE(Get("Text1")->grab().toImage(), Get("Text2")->grab().toImage());
        for (const char* box : {"Text1", "Text2"})
            Get(box)->setStyle(nullptr);
    }
}

// Every control that takes the focus has an Italian name for screen readers,
// and the bar is one progress bar whose value follows the percentage.
TEST_F(Tool1Test, ScreenReadersCanTellEveryControlApartAndFollowTheBar)
{
    auto name = [this](const char* control) {
        return QAccessible::queryAccessibleInterface(Get(control))->text(QAccessible::Name);
    };
    const std::pair<const char*, const char*> names[] = {
        {"Text1", "Originale"},         {"Command1", "Scegli il dizionario originale"},
        {"Text2", "Modificato"},        {"Command2", "Scegli il dizionario modificato"},
        {"Command5", "CONFRONTA"},      {"Command3", "CHIUDI"},
        {"List3", "Aggiunte"},          {"List1", "Mancanti"},
        {"Command4", "SALVA AGGIUNTE"}, {"Command6", "SALVA MANCANTI"},
    };
    for (const auto& [control, expected] : names)
        EXPECT_EQ(name(control), QString::fromUtf8(expected)) << control;

    // Top to bottom: the path rows, the buttons, the bar, then the results.
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(window.data());
    Texts order;
    for (int i = 0; i < reader->childCount(); ++i)
        order.push_back(reader->child(i)->object()->objectName());
    EXPECT_EQ(order, (Texts{"Label1", "Text1", "Command1", "Label2", "Text2", "Command2", "Command5", "Command3",
                            "Frame1", QString()}));
    EXPECT_EQ(reader->child(reader->childCount() - 1)->object(), Get("List3")->parent());

    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(Get("Frame1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::ProgressBar);
    EXPECT_EQ(bar->childCount(), 0);
    ASSERT_NE(bar->valueInterface(), nullptr);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 0);
    EXPECT_EQ(bar->valueInterface()->maximumValue().toInt(), 100);
    LoadBoth({"a"}, {"a", "b", "c"});
    Click("Command5");
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 100);
    EXPECT_EQ(bar->text(QAccessible::Value), QStringLiteral("100%"));
}

} // namespace
} // namespace lexor

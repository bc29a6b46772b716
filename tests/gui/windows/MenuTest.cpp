#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "kit/Conversions.h"
#include "kit/Design.h"
#include "kit/Twips.h"
#include "services/QtServices.h"
#include "support/ModalCloser.h"
#include "support/WindowTest.h"
#include "windows/Menu.h"
#include "windows/Tool1.h"
#include "windows/Tool2.h"

namespace lexor {
namespace {

const QString kDescribeCompare =
    QStringLiteral("Confronta due Dizionari mostrando le parole aggiunte e quelle mancanti");
const QString kDescribeOptimise = QStringLiteral("Riordina alfabeticamente un Dizionario ed elimina eventuali doppie");
const QString kDescribeActivate = QStringLiteral("Cambia il Dizionario attualmente in uso nel gioco");
const QString kDescribeExit = QStringLiteral("Esci da LEXOR Tools");

class MenuTest : public test::WindowTest {
protected:
    void SetUp() override
    {
        Watch(&menu);
        menu.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    }

    QString Status() const { return Get<QLabel>("Label2")->text(); }

    // A pointer move as the window system delivers it: to the window, which
    // hands it to the control under the pointer.
    void MoveOver(const char* name, QPoint offset = QPoint(3, 3))
    {
        QTest::mouseMove(menu.windowHandle(), Get(name)->mapTo(&menu, offset));
    }

    template <class Tool> Tool* OnlyTool() const
    {
        const auto tools = QApplication::topLevelWidgets();
        Tool* found = nullptr;
        int count = 0;
        for (QWidget* window : tools)
            if (auto* tool = qobject_cast<Tool*>(window)) {
                found = tool;
                ++count;
            }
        EXPECT_LE(count, 1);
        return found;
    }

    // Opens Tool with button, expands it, closes it and opens it again: the
    // new one has its compact design height.
    template <class Tool> void ExpectFreshOnReopening(const char* button)
    {
        Get<QPushButton>(button)->click();
        ui::SetOuterHeightTwips(OnlyTool<Tool>(), Tool::kExpandedHeight, Tool::kNonClientAllowance);
        OnlyTool<Tool>()->close();
        FlushDeletes();
        Get<QPushButton>(button)->click();
        ASSERT_NE(OnlyTool<Tool>(), nullptr);
        EXPECT_EQ(OnlyTool<Tool>()->height(), test::CompactHeight<Tool>());
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    Menu menu{services};
};

TEST_F(MenuTest, ShowsTheCreditLineAtStart)
{
    EXPECT_EQ(Status(), Menu::kCreditLine);
    EXPECT_FALSE(Menu::kCreditLine.isEmpty());
}

TEST_F(MenuTest, EachButtonDescribesItselfAndEverySurfaceRestoresTheCreditLine)
{
    const std::pair<const char*, QString> buttons[] = {
        {"Command1", kDescribeCompare},
        {"Command2", kDescribeOptimise},
        {"Command3", kDescribeActivate},
        {"Command4", kDescribeExit},
    };
    // The banner is the window's own surface; the frames' margins are theirs.
    const std::pair<const char*, QPoint> surfaces[] = {
        {"Menu", QPoint(100, 50)}, {"Frame1", QPoint(200, 8)}, {"Frame1", QPoint(2, 100)},
        {"Frame2", QPoint(2, 3)},  {"Frame2", QPoint(200, 2)},
    };
    int step = 0;
    for (const auto& [button, description] : buttons)
        for (const auto& [surface, where] : surfaces) {
            SCOPED_TRACE(std::string(button) + " then " + surface);
            ++step;
            MoveOver(button, QPoint(10 + step % 7, 10));
            EXPECT_EQ(Status(), description);
            // What the pointer shows, a screen reader reads.
            EXPECT_EQ(QAccessible::queryAccessibleInterface(Get(button))->text(QAccessible::Description), description);
            MoveOver(surface, where);
            EXPECT_EQ(Status(), Menu::kCreditLine);
        }
}

TEST_F(MenuTest, MovingWithinAButtonKeepsItsDescription)
{
    MoveOver("Command2", QPoint(5, 5));
    MoveOver("Command2", QPoint(300, 20));
    EXPECT_EQ(Status(), kDescribeOptimise);
}

TEST_F(MenuTest, OverTheLabelsTheStatusLineKeepsItsText)
{
    MoveOver("Command3");
    MoveOver("Label1", QPoint(30, 15));
    EXPECT_EQ(Status(), kDescribeActivate);
    MoveOver("Command4");
    MoveOver("Label2", QPoint(200, 8));
    EXPECT_EQ(Status(), kDescribeExit);
}

TEST_F(MenuTest, ButtonsTakeTheFocusInColumnOrderAndNothingElseDoes)
{
    const char* order[] = {"Command1", "Command2", "Command3", "Command4"};
    QWidget* current = Get(order[0]);
    for (int i = 1; i <= 4; ++i) {
        do
            current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus || current == &menu);
        EXPECT_EQ(current->objectName(), QString::fromLatin1(order[i % 4]));
    }
    for (const char* name : {"Frame1", "Frame2", "Label1", "Label2"})
        EXPECT_EQ(Get(name)->focusPolicy(), Qt::NoFocus) << name;
    for (const char* name : order) {
        EXPECT_FALSE(Get<QPushButton>(name)->isDefault()) << name;
        EXPECT_FALSE(Get<QPushButton>(name)->autoDefault()) << name;
    }
    menu.activateWindow();
    EXPECT_EQ(menu.focusWidget(), Get("Command1"));
}

TEST_F(MenuTest, ClientAreaAndBannerHaveTheirDesignSize)
{
    EXPECT_EQ(menu.size(), QSize(453, 348));
    EXPECT_EQ(menu.minimumSize(), menu.maximumSize());
    EXPECT_FALSE(menu.windowIcon().isNull());
    EXPECT_EQ(QPixmap(QStringLiteral(":/banner.jpg")).size(), QSize(453, 171));
    EXPECT_EQ(QPixmap(QStringLiteral(":/icon.png")).size(), QSize(32, 32));
}

TEST_F(MenuTest, ControlsHaveTheirDesignLayoutCaptionsFontsAndColours)
{
    struct Design {
        const char* name;
        const char* container;
        QString caption;
        QRect twips;
        const char* family; // nullptr: the window's own font
        int points;
        bool bold;
        QColor colour;
    };
    const QColor text = menu.palette().color(QPalette::WindowText);
    const Design controls[] = {
        {"Frame1", "Menu", QString(), {0, 2520, 6800, 2700}, nullptr, 0, false, text},
        {"Command4", "Frame1", "Esci", {120, 1680, 6540, 495}, "MS Sans Serif", 12, true, text},
        {"Command3", "Frame1", "Attiva Dizionario", {120, 1200, 6540, 495}, "MS Sans Serif", 12, true, text},
        {"Command2", "Frame1", "Ottimizza Dizionario", {120, 720, 6540, 495}, "MS Sans Serif", 12, true, text},
        {"Frame2", "Frame1", QString(), {120, 2160, 6555, 420}, nullptr, 0, false, text},
        {"Label2", "Frame2", Menu::kCreditLine, {80, 140, 6375, 255}, nullptr, 0, false, QColor(0, 0, 128)},
        {"Command1", "Frame1", "Confronta due Dizionari", {120, 240, 6540, 495}, "MS Sans Serif", 12, true, text},
        {"Label1", "Menu", "v1.6", {5760, 1920, 975, 495}, "Times New Roman", 24, true, QColor(192, 0, 0)},
    };
    for (const Design& design : controls) {
        SCOPED_TRACE(design.name);
        QWidget* control = Placed(design.name, design.twips);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(design.container));
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            EXPECT_EQ(button->text(), design.caption);
        }
        if (auto* label = qobject_cast<QLabel*>(control)) {
            EXPECT_EQ(label->text(), design.caption);
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        }
        const QFont font = control->font();
        EXPECT_EQ(font.family(), QString::fromLatin1(design.family ? design.family : "MS Sans Serif"));
        EXPECT_EQ(font.pointSizeF(), design.family ? design.points : QApplication::font().pointSizeF());
        EXPECT_EQ(font.bold(), design.bold);
        EXPECT_EQ(control->palette().color(QPalette::WindowText), design.colour);
    }
    // The status line hides the frame behind it; the version lets the banner show through.
    EXPECT_TRUE(Get("Label2")->autoFillBackground());
    EXPECT_EQ(Get("Label2")->palette().color(QPalette::Window), menu.palette().color(QPalette::Window));
    EXPECT_FALSE(Get("Label1")->autoFillBackground());
}

TEST_F(MenuTest, FixedWindowCentredOnTheScreen)
{
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("LEXOR Tools"));
    EXPECT_FALSE(menu.windowFlags() & Qt::WindowMaximizeButtonHint);
    // Centred to within the window system's frame, which is not known before the window is shown.
    const QPoint offCentre = menu.frameGeometry().center() - menu.screen()->availableGeometry().center();
    const QSize frame = menu.frameGeometry().size() - menu.size();
    EXPECT_LE(std::abs(offCentre.x()), frame.width() + 1);
    EXPECT_LE(std::abs(offCentre.y()), frame.height() + 1);
}

TEST_F(MenuTest, EveryDescriptionFitsTheStatusLine)
{
    auto* label = Get<QLabel>("Label2");
    const QFontMetrics metrics(label->font());
    for (const QString& text :
         {Menu::kCreditLine, kDescribeCompare, kDescribeOptimise, kDescribeActivate, kDescribeExit})
        EXPECT_LE(metrics.horizontalAdvance(text), label->contentsRect().width())
            << text.toStdString() << " in " << QFontInfo(label->font()).family().toStdString();
}

// Every text, the boxes' and the file dialog's included, is drawn in a
// scalable face, so it takes its design size at any screen scale, and one
// with a bold cut where the design asks for bold. On Windows a family can
// also resolve to a bitmap face, which comes in a few fixed sizes and is
// made bold by thickening its regular letters.
TEST_F(MenuTest, EveryTextIsDrawnInAnOutlineFaceOfItsWeight)
{
#ifdef _WIN32
    // Offscreen, the toolkit reads the font folder itself instead of asking
    // Windows which face it draws; make windows runs this with Windows' own.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        GTEST_SKIP() << "not Windows' own font matching";
#endif
    auto* tool1 = new Tool1(services);
    auto* tool2 = new Tool2(services);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    std::string notOutline;
    std::string notBold;
    const auto check = [&](QWidget* window) {
        QList<QWidget*> controls = window->findChildren<QWidget*>();
        controls.prepend(window);
        for (QWidget* control : controls) {
            const QFontInfo face(control->font());
            const std::string where = std::string(window->metaObject()->className()) + "/" +
                                      control->metaObject()->className() + " " + control->objectName().toStdString() +
                                      " in " + face.family().toStdString() + "\n";
            if (!QFontDatabase::isSmoothlyScalable(face.family(), face.styleName()))
                notOutline += where;
            const QStringList styles = QFontDatabase::styles(face.family());
            if (control->font().bold() && std::none_of(styles.begin(), styles.end(), [&](const QString& style) {
                    return QFontDatabase::weight(face.family(), style) >= QFont::Bold;
                }))
                notBold += where;
        }
    };
    for (QWidget* window : std::initializer_list<QWidget*>{&menu, tool1, tool2, &dialog})
        check(window);
    test::ShowBox(QStringLiteral("Proseguire?"), ui::kTitle, ui::Buttons::YesNo,
                  [&](QMessageBox& box) { check(&box); });
    EXPECT_EQ(notOutline, "");
    EXPECT_EQ(notBold, "");
}

TEST_F(MenuTest, DialogStartsInTheDictionariesFolderWithoutCreatingIt)
{
    services.QueueAnswer(ui::Answer::Yes);
    services.QueueCancel();
    Click("Command3");
    ASSERT_EQ(services.dialogs.size(), 1u);
    EXPECT_EQ(services.dialogs[0].initialDir, ui::FromPath(game / "Dizionari"));
    EXPECT_EQ(services.dialogs[0].filter, QStringLiteral("Dizionari LEXOR (*.lexor)"));
    EXPECT_EQ(services.dialogs[0].title, QStringLiteral("Scegli il dizionario da attivare"));
    EXPECT_FALSE(std::filesystem::exists(game / "Dizionari"));
}

// Return and the keypad's Enter press the focused button, as on Windows;
// Escape closes nothing.
TEST_F(MenuTest, EnterPressesTheFocusedButton)
{
    Get("Command3")->setFocus();
    services.QueueAnswer(ui::Answer::No);
    Press(Qt::Key_Enter);
    EXPECT_EQ(services.boxes.size(), 1u);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(menu.isVisible());
    Get("Command1")->setFocus();
    Press(Qt::Key_Return);
    EXPECT_FALSE(menu.isVisible());
    ASSERT_NE(OnlyTool<Tool1>(), nullptr);
}

// Screen readers meet the buttons in one order, top to bottom, whichever of
// them is raised to show its focus.
TEST_F(MenuTest, ReadersMeetTheButtonsInColumnOrderWhateverHasTheFocus)
{
    auto order = [this] {
        test::Texts names;
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(Get("Frame1"));
        for (int i = 0; i < frame->childCount(); ++i)
            names.push_back(frame->child(i)->text(QAccessible::Name));
        return names;
    };
    const test::Texts column = {"Confronta due Dizionari", "Ottimizza Dizionario", "Attiva Dizionario", "Esci",
                                QString()};
    for (const char* focused : {"Command3", "Command2", "Command4"}) {
        Get(focused)->setFocus();
        EXPECT_EQ(order(), column) << focused;
    }
}

// Each window opens as a window named by its title, which readers announce,
// with the focus where its work starts, drawn from the start; its size is
// fixed, so it offers no maximise.
TEST_F(MenuTest, EachWindowIsAnnouncedByItsTitleAndShowsWhereTheKeyboardStarts)
{
    struct Opened {
        const char* button; // opens the window; nullptr: the menu itself
        QString title;
        const char* focus;
    };
    const Opened windows[] = {
        {nullptr, QStringLiteral("LEXOR Tools"), "Command1"},
        {"Command1", QStringLiteral("LEXOR Tools - Confrontatore di Dizionari"), "Text1"},
        {"Command2", QStringLiteral("LEXOR Tools - Ottimizzatore"), "Command1"},
    };
    for (const Opened& opened : windows) {
        SCOPED_TRACE(opened.title.toStdString());
        if (opened.button)
            Get<QPushButton>(opened.button)->click();
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto shown =
            std::find_if(windows.begin(), windows.end(), [](const QWidget* w) { return w->isVisible(); });
        ASSERT_NE(shown, windows.end());
        QWidget* const window = *shown;
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(window);
        EXPECT_EQ(reader->role(), QAccessible::Window);
        EXPECT_EQ(reader->text(QAccessible::Name), opened.title);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(window->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);

        QWidget* focus = window->focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), QLatin1String(opened.focus));
        QStyleOption drawn;
        drawn.initFrom(focus);
        EXPECT_TRUE(drawn.state & QStyle::State_HasFocus);
        EXPECT_TRUE(drawn.state & QStyle::State_KeyboardFocusChange);
        if (window != &menu) {
            window->close();
            FlushDeletes();
        }
    }
}

TEST_F(MenuTest, EachToolReplacesTheMenuUntilItsCloseButton)
{
    MoveOver("Command1");
    Get<QPushButton>("Command1")->click();
    auto* tool1 = OnlyTool<Tool1>();
    ASSERT_NE(tool1, nullptr);
    EXPECT_TRUE(tool1->isVisible());
    EXPECT_FALSE(menu.isVisible());

    tool1->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    FlushDeletes();
    EXPECT_EQ(OnlyTool<Tool1>(), nullptr);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(Status(), kDescribeCompare);

    Get<QPushButton>("Command2")->click();
    auto* tool2 = OnlyTool<Tool2>();
    ASSERT_NE(tool2, nullptr);
    EXPECT_EQ(OnlyTool<Tool1>(), nullptr);
    EXPECT_FALSE(menu.isVisible());
    tool2->findChild<QPushButton*>(QStringLiteral("Command5"))->click();
    FlushDeletes();
    EXPECT_EQ(OnlyTool<Tool2>(), nullptr);
    EXPECT_TRUE(menu.isVisible());
}

// Also with no window manager to hand it out, the keyboard goes to whichever
// window is shown, and the tool opens where the menu was.
TEST_F(MenuTest, TheShownWindowTakesTheKeyboardAndToolsOpenOnTheMenu)
{
    EXPECT_TRUE(QTest::qWaitForWindowActive(&menu));
    const QPoint centre = menu.frameGeometry().center();
    Get<QPushButton>("Command1")->click();
    auto* tool = OnlyTool<Tool1>();
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(tool));
    EXPECT_LE((tool->frameGeometry().center() - centre).manhattanLength(), 2);
    tool->close();
    FlushDeletes();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&menu));
}

TEST_F(MenuTest, ClosingAToolThroughTheTitleBarActsAsItsCloseButton)
{
    Get<QPushButton>("Command2")->click();
    ASSERT_NE(OnlyTool<Tool2>(), nullptr);
    OnlyTool<Tool2>()->close();
    FlushDeletes();
    EXPECT_EQ(OnlyTool<Tool2>(), nullptr);
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(MenuTest, ReopenedToolStartsFromItsDesignState)
{
    ExpectFreshOnReopening<Tool1>("Command1");
    OnlyTool<Tool1>()->close();
    FlushDeletes();
    ExpectFreshOnReopening<Tool2>("Command2");
}

// The program's own event loop: these end it, or a guard ends it with 1 so a
// fault fails the test instead of hanging it.
int RunEventLoop()
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    return QCoreApplication::exec();
}

TEST_F(MenuTest, EsciEndsTheProgram)
{
    QTimer::singleShot(0, Get<QPushButton>("Command4"), &QPushButton::click);
    EXPECT_EQ(RunEventLoop(), 0);
}

TEST_F(MenuTest, ClosingTheMenuEndsTheProgram)
{
    QTimer::singleShot(0, &menu, &QWidget::close);
    EXPECT_EQ(RunEventLoop(), 0);
}

TEST_F(MenuTest, ClosingAToolDoesNotEndTheProgram)
{
    QTimer::singleShot(0, [this] {
        Get<QPushButton>("Command1")->click();
        Tool1* tool = OnlyTool<Tool1>();
        QObject::connect(tool, &QObject::destroyed, [] { QTimer::singleShot(0, [] { QCoreApplication::exit(2); }); });
        tool->close();
    });
    EXPECT_EQ(RunEventLoop(), 2);
    EXPECT_TRUE(menu.isVisible());
}

} // namespace
} // namespace lexor

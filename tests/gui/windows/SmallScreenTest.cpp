// The windows on a screen too small for them: 800 x 600 pixels at 200%, that
// is 400 x 300 logical pixels. Its own main: the screen is set up before the
// application starts.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "kit/ItalianTranslation.h"
#include "kit/Twips.h"
#include "support/WindowTest.h"
#include "windows/Menu.h"
#include "windows/Tool1.h"

namespace lexor {
namespace {

class SmallScreen : public test::WindowTest {
protected:
    static QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // The title bar's top-left corner is on the screen.
    static bool TitleOnScreen(const QWidget* window) { return Available().contains(window->frameGeometry().topLeft()); }
};

TEST_F(SmallScreen, MenuAndToolsOpenWithTheirTitleBarsOnTheScreen)
{
    ASSERT_EQ(Available().size(), QSize(400, 300));
    Menu menu(services);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_TRUE(TitleOnScreen(&menu)) << menu.frameGeometry().x() << "," << menu.frameGeometry().y();

    menu.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    Tool1* tool = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        tool = tool ? tool : qobject_cast<Tool1*>(window);
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(TitleOnScreen(tool));
    // Too wide, so against the left edge; the compact height fits.
    EXPECT_EQ(tool->frameGeometry().left(), Available().left());
    EXPECT_LE(tool->frameGeometry().bottom(), Available().bottom());
    ui::SetOuterHeightTwips(tool, Tool1::kExpandedHeight, Tool1::kNonClientAllowance);
    EXPECT_TRUE(TitleOnScreen(tool));
    tool->close();
}

} // namespace
} // namespace lexor

int main(int argc, char** argv)
{
    // The platform's screen is described in a file that it reads at start;
    // its name may hold no colon, so it is given relative to a folder of its own.
    const auto folder = std::filesystem::temp_directory_path() / "lexor-small-screen";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    std::ofstream("screen.json") << R"({"screens": [{"name": "piccolo", "x": 0, "y": 0, "width": 400,)"
                                 << R"( "height": 300, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})";
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=screen.json");
    QApplication app(argc, argv);
    lexor::ui::InstallItalianTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <gtest/gtest.h>

#include <QWidget>

#include "kit/Twips.h"

namespace lexor {
namespace {

TEST(Twips, FifteenTwipsMakeOnePixelRoundedToNearest)
{
    const std::pair<int, int> cases[] = {
        {0, 0}, {7, 0}, {8, 1}, {15, 1}, {22, 1}, {23, 2}, {495, 33}, {6795, 453}, {6800, 453}, {-8, -1}, {-7, 0},
    };
    for (const auto& [twips, px] : cases)
        EXPECT_EQ(ui::Px(twips), px) << twips;
    EXPECT_EQ(ui::TwipsRect(120, 2160, 6555, 420), QRect(8, 144, 437, 28));
}

TEST(Twips, OuterHeightLeavesTheClientArea)
{
    QWidget window;
    ui::SetOuterHeightTwips(&window, 2550, 435);
    EXPECT_EQ(window.height(), 141);
    EXPECT_EQ(window.height(), ui::ClientHeight(2550, 435));
    EXPECT_EQ(window.minimumHeight(), window.maximumHeight());
    ui::SetOuterHeightTwips(&window, 4815, 435);
    EXPECT_EQ(window.height(), 292);
    EXPECT_EQ(window.height(), ui::ClientHeight(4815, 435));
}

} // namespace
} // namespace lexor

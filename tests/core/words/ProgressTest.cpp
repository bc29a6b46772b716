#include <gtest/gtest.h>

#include <cstdint>

#include "words/Progress.h"

namespace lexor {
namespace {

TEST(Progress, PercentIsExactFarBeyondSixteenBitCounts)
{
    EXPECT_EQ(ProgressPercent(32767, 32767), 100);
    EXPECT_EQ(ProgressPercent(32766, 32767), 99);
    EXPECT_EQ(ProgressPercent(1, 1000000), 0);
    EXPECT_EQ(ProgressPercent(999999, 1000000), 99);
    EXPECT_EQ(ProgressPercent(std::uint64_t{1} << 50, std::uint64_t{1} << 51), 50);
    EXPECT_EQ(ProgressPercent(0, 0), 100);
}

} // namespace
} // namespace lexor

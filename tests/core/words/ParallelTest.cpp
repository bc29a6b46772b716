#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "words/Parallel.h"

namespace lexor {
namespace {

TEST(Parallel, PartsCoverEveryItemOnceInOrder)
{
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{1000003}}) {
        for (const unsigned parts : {1u, 2u, 3u, 8u}) {
            std::vector<int> seen(count, 0);
            std::vector<std::size_t> firsts(parts);
            std::vector<std::size_t> lasts(parts);
            ForEachPart(count, parts, [&](unsigned part, std::size_t first, std::size_t last) {
                firsts[part] = first;
                lasts[part] = last;
                for (std::size_t i = first; i < last; ++i)
                    ++seen[i];
            });
            EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), static_cast<std::ptrdiff_t>(count));
            EXPECT_EQ(firsts[0], 0u);
            EXPECT_EQ(lasts[parts - 1], count);
            for (unsigned part = 1; part < parts; ++part) {
                EXPECT_EQ(firsts[part], lasts[part - 1]) << count << " in " << parts;
                EXPECT_LE(lasts[part] - firsts[part], count / parts + 1) << count << " in " << parts;
            }
        }
    }
}

TEST(Parallel, AFailingPartIsReportedAfterAllHaveRun)
{
    std::atomic<int> finished{0};
    EXPECT_THROW(ForEachPart(100, 4,
                             [&finished](unsigned part, std::size_t, std::size_t) {
                                 if (part == 2)
                                     throw std::runtime_error("part 2");
                                 ++finished;
                             }),
                 std::runtime_error);
    EXPECT_EQ(finished, 3);
}

} // namespace
} // namespace lexor

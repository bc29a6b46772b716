#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compare/CompareEngine.h"
#include "support/WordLists.h"
#include "words/WordList.h"

namespace lexor {
namespace {

using test::Items;
using test::Words;

// The comparison as first designed: for each word of modified, search
// original from its start and remove the first identical word, else add the
// word to added. Kept as the reference the fast engine must match.
void QuadraticCompare(WordList& original, const WordList& modified, WordList& added, std::vector<int>& progress)
{
    added.Clear();
    const auto total = modified.ListCount();
    for (WordList::size_type i = 0; i < total; ++i) {
        bool found = false;
        const auto count = original.ListCount();
        for (WordList::size_type j = 0; j < count; ++j) {
            if (original.List(j) == modified.List(i)) {
                original.RemoveItem(j);
                found = true;
                break;
            }
        }
        if (!found)
            added.AddItem(modified.List(i));
        progress.push_back(static_cast<int>(static_cast<std::uint64_t>(i + 1) * 100 / modified.ListCount()));
    }
}

struct Result {
    Words original;
    Words added;
    std::vector<int> progress;
};

Result RunEngine(const Words& original, const Words& modified)
{
    WordList o = test::ListOf(original);
    const WordList m = test::ListOf(modified);
    WordList a;
    a.AddItem("vecchia");
    Result r;
    CompareDictionaries(o, m, a, [&](int percent) { r.progress.push_back(percent); });
    EXPECT_EQ(Items(m), Items(test::ListOf(modified))) << "modified must be left as it is";
    r.original = Items(o);
    r.added = Items(a);
    return r;
}

TEST(CompareEngine, MatchesTheWordByWordSearchOnRandomLists)
{
    // Repeats, empty words, case and accent variants and blanks, all of which
    // must count as different words unless identical.
    const Words pool = {"", "", "a", "A", "\xE0", "b", "casa", "Casa", "casa", "c\xE0sa", "casa ", "mare", "ab", "a b"};
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 3000; ++round) {
        Words original;
        Words modified;
        for (int k = length(rng); k > 0; --k)
            original.push_back(pool[pick(rng)]);
        for (int k = length(rng); k > 0; --k)
            modified.push_back(pool[pick(rng)]);

        WordList o = test::ListOf(original);
        const WordList m = test::ListOf(modified);
        WordList a;
        std::vector<int> expectedProgress;
        QuadraticCompare(o, m, a, expectedProgress);

        const Result got = RunEngine(original, modified);
        ASSERT_EQ(got.original, Items(o)) << "round " << round;
        ASSERT_EQ(got.added, Items(a)) << "round " << round;
        ASSERT_EQ(got.progress, expectedProgress) << "round " << round;
    }
}

struct Case {
    const char* name;
    Words original;
    Words modified;
    Words missing;
    Words added;
};

TEST(CompareEngine, CountsOccurrencesOfExactWords)
{
    const std::vector<Case> cases = {
        {"identical", {"mare", "casa", "sole"}, {"sole", "mare", "casa"}, {}, {}},
        {"only additions", {"casa", "mare"}, {"casa", "zeta", "mare", "albero"}, {}, {"albero", "zeta"}},
        {"only removals", {"casa", "mare", "sole"}, {"mare"}, {"casa", "sole"}, {}},
        {"casa twice against once", {"casa", "mare"}, {"casa", "casa", "mare"}, {}, {"casa"}},
        {"casa once against twice", {"casa", "casa"}, {"casa"}, {"casa"}, {}},
        {"case matters", {"Casa"}, {"casa"}, {"Casa"}, {"casa"}},
        {"accents matter", {"perch\xE9"}, {"perche"}, {"perch\xE9"}, {"perche"}},
        {"blanks matter", {"casa"}, {"casa "}, {"casa"}, {"casa "}},
        {"empty words cancel", {"", "casa"}, {"", "casa"}, {}, {}},
        {"one empty word left over", {"", "", "casa"}, {"", "casa"}, {""}, {}},
        {"empty modified", {"casa"}, {}, {"casa"}, {}},
        {"empty original", {}, {"mare", "casa"}, {}, {"casa", "mare"}},
    };
    for (const auto& c : cases) {
        const Result r = RunEngine(c.original, c.modified);
        EXPECT_EQ(r.original, c.missing) << c.name;
        EXPECT_EQ(r.added, c.added) << c.name;
        EXPECT_EQ(r.progress.size(), c.modified.size()) << c.name;
    }
}

TEST(CompareEngine, ReportsThePercentAfterEachWord)
{
    EXPECT_EQ(RunEngine({}, {"a", "b", "c"}).progress, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(RunEngine({"a"}, {"a"}).progress, (std::vector<int>{100}));

    Words many;
    for (int i = 0; i < 250; ++i)
        many.push_back("w" + std::to_string(1000 + i));
    const auto progress = RunEngine(many, many).progress;
    ASSERT_EQ(progress.size(), 250u);
    EXPECT_EQ(progress[0], 0);
    EXPECT_EQ(progress[1], 0);
    EXPECT_EQ(progress[2], 1);
    EXPECT_EQ(progress[124], 50);
    EXPECT_EQ(progress[249], 100);
}

// Past the size where the merge runs in parts, with runs of identical words
// to cut through (long ones in the second round, so every cut falls inside
// one): the words that counting each word gives, and the same percentages in
// the same order as after each word in turn.
TEST(CompareEngine, LargeListsGiveTheCountedWordsAndEveryPercentInOrder)
{
    std::mt19937 rng(20261208);
    const auto draw = [&rng](std::size_t n, std::uint32_t distinct) {
        Words words;
        for (std::size_t k = 0; k < n; ++k) {
            const auto w = rng() % distinct;
            words.push_back((w % 3 == 0 ? "W" : "w") + std::to_string(w / 3));
        }
        return words;
    };
    const auto listOf = [](const Words& words) {
        WordList list;
        list.AddItems(std::vector<std::string_view>(words.begin(), words.end()));
        return list;
    };
    for (const std::uint32_t distinct : {40000u, 7u}) {
        const Words original = draw(150000, distinct);
        const Words modified = draw(160000, distinct);
        WordList o = listOf(original);
        const WordList m = listOf(modified);
        WordList a;
        std::vector<int> progress;
        CompareDictionaries(o, m, a, [&progress](int percent) { progress.push_back(percent); });

        std::map<std::string, std::pair<int, int>> counts;
        for (const auto& w : original)
            ++counts[w].first;
        for (const auto& w : modified)
            ++counts[w].second;
        Words missing;
        Words added;
        for (const auto& [word, count] : counts) {
            missing.insert(missing.end(), static_cast<std::size_t>(std::max(count.first - count.second, 0)), word);
            added.insert(added.end(), static_cast<std::size_t>(std::max(count.second - count.first, 0)), word);
        }
        std::sort(missing.begin(), missing.end(), test::CollateLess);
        std::sort(added.begin(), added.end(), test::CollateLess);
        EXPECT_EQ(Items(o), missing) << distinct;
        EXPECT_EQ(Items(a), added) << distinct;
        ASSERT_EQ(progress.size(), modified.size());
        for (std::size_t i = 0; i < progress.size(); ++i)
            ASSERT_EQ(progress[i], ProgressPercent(i + 1, modified.size())) << i;
    }
}

} // namespace
} // namespace lexor

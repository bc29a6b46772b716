#include <gtest/gtest.h>

#include <random>
#include <span>
#include <string>
#include <vector>

#include "optimise/DuplicateRemoval.h"
#include "support/WordLists.h"
#include "words/WordList.h"

namespace lexor {
namespace {

using test::Items;
using test::Words;

// The neighbour loop exactly as the window's first version ran it: a bound
// fixed before the loop, the count read again on every pass, one RemoveItem
// and one AddItem per copy, and the step back after each removal.
int NeighbourLoop(WordList& list1, WordList& list2)
{
    list2.Clear();
    int removed = 0;
    const int last = static_cast<int>(list1.ListCount()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (i > static_cast<int>(list1.ListCount()) - 2)
            continue;
        const std::string word(list1.List(static_cast<WordList::size_type>(i)));
        const std::string next(list1.List(static_cast<WordList::size_type>(i + 1)));
        if (word == next) {
            list2.AddItem(next);
            list1.RemoveItem(static_cast<WordList::size_type>(i + 1));
            ++removed;
            --i;
        }
    }
    return removed;
}

struct Case {
    const char* name;
    Words in;
    Words kept;
    Words copies;
};

class RemoveDuplicatesCase : public testing::TestWithParam<Case> {};

TEST_P(RemoveDuplicatesCase, KeepsFirstOfEachRunAndCollectsTheRest)
{
    const Case& c = GetParam();
    WordList words = test::ListOf(c.in);
    WordList duplicates;
    duplicates.AddItem("da una corsa precedente");
    const auto removed = RemoveDuplicates(words, duplicates);
    EXPECT_EQ(Items(words), c.kept);
    EXPECT_EQ(Items(duplicates), c.copies);
    EXPECT_EQ(removed, c.copies.size());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RemoveDuplicatesCase,
    testing::Values(
        Case{"Empty", {}, {}, {}}, Case{"OneWord", {"casa"}, {"casa"}, {}},
        Case{"Pair", {"casa", "casa"}, {"casa"}, {"casa"}},
        Case{"RunInside", {"zebra", "casa", "albero", "casa", "casa"}, {"albero", "casa", "zebra"}, {"casa", "casa"}},
        Case{"OneWordFiveTimes", Words(5, "mare"), {"mare"}, Words(4, "mare")},
        Case{"CaseMatters", {"casa", "Casa"}, {"Casa", "casa"}, {}},
        Case{"TrailingBlankMatters", {"casa ", "casa"}, {"casa", "casa "}, {}},
        Case{"AccentMatters", {"citt\xE0", "citta", "citt\xE0"}, {"citta", "citt\xE0"}, {"citt\xE0"}},
        Case{"EmptyWords", {"", "", "a"}, {"", "a"}, {""}},
        Case{"SeveralRuns", {"b", "a", "b", "a", "c", "b", "a"}, {"a", "b", "c"}, {"a", "a", "b", "b"}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(RemoveDuplicates, SecondRunFindsNothingAndEmptiesTheCopies)
{
    WordList words = test::ListOf({"casa", "casa", "mare"});
    WordList duplicates;
    ASSERT_EQ(RemoveDuplicates(words, duplicates), 1u);
    EXPECT_EQ(RemoveDuplicates(words, duplicates), 0u);
    EXPECT_EQ(Items(words), (Words{"casa", "mare"}));
    EXPECT_EQ(duplicates.ListCount(), 0u);
}

TEST(RemoveDuplicates, OnlyNeighboursCountInAnUnsortedList)
{
    WordList words(false);
    for (auto w : {"a", "b", "a", "a"})
        words.AddItem(w);
    WordList duplicates;
    EXPECT_EQ(RemoveDuplicates(words, duplicates), 1u);
    EXPECT_EQ(Items(words), (Words{"a", "b", "a"}));
}

TEST(RemoveDuplicates, RemovesRepeatsFarBeyondSixteenBitCounts)
{
    WordList words;
    Words many;
    for (int i = 0; i < 200000; ++i)
        many.push_back(std::to_string(i % 150000));
    std::vector<std::string_view> views(many.begin(), many.end());
    words.AddItems(views);
    WordList duplicates;
    EXPECT_EQ(RemoveDuplicates(words, duplicates), 50000u);
    WordList once;
    once.AddItems(std::span(views).first(150000));
    WordList copies;
    copies.AddItems(std::span(views).first(50000));
    EXPECT_TRUE(words == once);
    EXPECT_TRUE(duplicates == copies);
}

// Many small lists over a tiny alphabet, so runs, case twins, blanks and empty
// words are common; sorted and unsorted lists alike must match the loop.
TEST(RemoveDuplicates, MatchesTheNeighbourLoopOnRandomLists)
{
    const Words alphabet{"", "a", "A", "a ", "b", "ab", "\xE0", "casa", "Casa"};
    std::mt19937 rng(20240607);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 3000; ++round) {
        const bool sorted = round % 4 != 0;
        WordList expected(sorted);
        WordList actual(sorted);
        const int n = length(rng);
        for (int k = 0; k < n; ++k) {
            const auto& w = alphabet[pick(rng)];
            expected.AddItem(w);
            actual.AddItem(w);
        }
        WordList expectedCopies;
        WordList actualCopies;
        actualCopies.AddItem("stale");
        const int removed = NeighbourLoop(expected, expectedCopies);
        ASSERT_EQ(RemoveDuplicates(actual, actualCopies), static_cast<std::size_t>(removed)) << "round " << round;
        ASSERT_EQ(Items(actual), Items(expected)) << "round " << round;
        ASSERT_EQ(Items(actualCopies), Items(expectedCopies)) << "round " << round;
    }
}

} // namespace
} // namespace lexor

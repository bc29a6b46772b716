#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <new>
#include <random>
#include <stdexcept>

#include "support/WordLists.h"
#include "words/Collation.h"
#include "words/LargeMemory.h"
#include "words/WordList.h"

namespace lexor {
namespace {

using test::CollateLess;
using test::Items;

TEST(WordList, SortedInsertionKeepsRepeatsTogether)
{
    WordList list;
    for (auto w : {"B", "A", "B", "C"})
        list.AddItem(w);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"A", "B", "B", "C"}));
}

TEST(WordList, OutOfRangePositionsAreRejectedWithoutChange)
{
    WordList list;
    list.AddItem("casa");
    EXPECT_THROW(list.List(1), std::out_of_range);
    EXPECT_THROW(list.RemoveItem(1), std::out_of_range);
    EXPECT_EQ(list.ListCount(), 1u);
}

TEST(WordList, EmptyWordGoesFirst)
{
    WordList list;
    list.AddItem("casa");
    list.AddItem("");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"", "casa"}));
}

TEST(WordList, CaseAndAccentVariantsStandNextToTheirWord)
{
    WordList list;
    for (auto w : {"perche", "casa", "perch\xE9", "Casa", "f", "\xE8", "casa"})
        list.AddItem(w);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Casa", "casa", "casa", "\xE8", "f", "perche", "perch\xE9"}));
}

TEST(WordList, RemoveItemShiftsLaterItemsDown)
{
    WordList list;
    for (auto w : {"C", "A", "B"})
        list.AddItem(w);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListCount(), 2u);
    EXPECT_EQ(list.List(0), "B");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"B", "C"}));
}

TEST(WordList, ClearOnAnEmptyListLeavesItEmpty)
{
    WordList list;
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0u);
    EXPECT_THROW(list.List(0), std::out_of_range);
}

TEST(WordList, UnsortedListKeepsTheOrderOfAddition)
{
    WordList list(false);
    for (auto w : {"B", "A", "B", ""})
        list.AddItem(w);
    EXPECT_FALSE(list.Sorted());
    EXPECT_EQ(Items(list), (std::vector<std::string>{"B", "A", "B", ""}));
}

// The bulk add must be indistinguishable from one AddItem per word: on an
// empty or a filled list, sorted or shuffled input, sorted or unsorted list,
// and past the size where the sort splits across threads.
WordList OneByOne(bool sorted, const std::vector<std::string>& before, const std::vector<std::string>& words)
{
    WordList list(sorted);
    for (const auto& w : before)
        list.AddItem(w);
    for (const auto& w : words)
        list.AddItem(w);
    return list;
}

std::vector<std::string> Shuffled(std::size_t count, unsigned seed)
{
    const std::string letters = "aAb\xE0\xC0\xE8"
                                "e\x81";
    std::mt19937 rng(seed);
    std::vector<std::string> words;
    for (std::size_t i = 0; i < count; ++i) {
        std::string w;
        for (std::size_t n = rng() % 6; n > 0; --n)
            w.push_back(letters[rng() % letters.size()]);
        words.push_back(w);
    }
    return words;
}

TEST(WordList, AddItemsIsOneAddItemPerWord)
{
    const auto few = Shuffled(300, 1);
    auto ascending = few;
    std::sort(ascending.begin(), ascending.end(), CollateLess); // the path that needs no sort
    const auto many = Shuffled(70000, 2);                       // beyond the threaded sort's threshold
    struct Case {
        bool sorted;
        std::vector<std::string> before;
        std::vector<std::string> words;
    };
    const std::vector<Case> cases = {
        {true, {}, few},        {true, {"b", "", "zz"}, few}, {true, few, ascending}, {true, {}, {}},
        {true, few, {}},        {false, {"b", "a"}, few},     {true, {}, many},       {true, Shuffled(1000, 3), many},
        {true, {"\xE0"}, {""}},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const Case& c = cases[k];
        WordList bulk(c.sorted);
        for (const auto& w : c.before)
            bulk.AddItem(w);
        const std::vector<std::string_view> views(c.words.begin(), c.words.end());
        bulk.AddItems(views);
        // One insertion per word is quadratic: the big cases are checked
        // against the order itself.
        if (c.words.size() < 1000) {
            EXPECT_TRUE(bulk == OneByOne(c.sorted, c.before, c.words)) << "case " << k;
        }
        std::vector<std::string> all = c.before;
        all.insert(all.end(), c.words.begin(), c.words.end());
        if (c.sorted)
            std::sort(all.begin(), all.end(), CollateLess);
        EXPECT_EQ(Items(bulk), all) << "case " << k;
    }
}

// Words that share long stems, differ only in case or accents, end at or
// hold a NUL byte, or form a staircase of ever longer runs of one letter:
// the bulk sort must still give exactly the collation's order.
TEST(WordList, AddItemsOrdersWordsWithLongSharedStems)
{
    std::mt19937 rng(5);
    const std::vector<std::string> stems = {
        "",      "intern", "INTERNAZIONALIZZAZIONE", "internazionalizzazion", std::string("abc\0", 4), "p\xE9rch\xE8",
        "perche"};
    const std::string tails = std::string("aAe\xE8\xC8z", 6) + '\0';
    std::vector<std::string> words;
    for (int i = 0; i < 90000; ++i) {
        std::string w = stems[rng() % stems.size()];
        for (std::size_t n = rng() % 9; n > 0; --n)
            w.push_back(tails[rng() % tails.size()]);
        words.push_back(w);
    }
    for (std::size_t k = 0; k < 300; ++k)
        words.push_back(std::string(k, 'a') + (k % 2 == 0 ? "b" : "B"));
    std::shuffle(words.begin(), words.end(), rng);
    // Two halves, so the second is merged into what the first sort left.
    WordList list;
    const std::vector<std::string_view> views(words.begin(), words.end());
    const auto half = static_cast<std::ptrdiff_t>(views.size() / 2);
    list.AddItems({views.begin(), views.begin() + half});
    list.AddItems({views.begin() + half, views.end()});
    std::sort(words.begin(), words.end(), CollateLess);
    EXPECT_EQ(Items(list), words);
}

TEST(WordList, AddItemsTakesViewsIntoTheListItself)
{
    WordList list;
    for (auto w : {"mare", "casa", "sole"})
        list.AddItem(w);
    std::vector<std::string_view> own;
    for (WordList::size_type i = 0; i < list.ListCount(); ++i)
        own.push_back(list.List(i));
    list.AddItems(own);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"casa", "casa", "mare", "mare", "sole", "sole"}));
    list.AddItem(list.List(0));
    EXPECT_EQ(list.ListCount(), 7u);
    EXPECT_EQ(list.List(2), "casa");
}

TEST(WordList, WordOfSixteenMebibytesIsRefusedWithoutChange)
{
    WordList list;
    list.AddItem("casa");
    const std::string longest(WordItem::kLongestWord, 'x');
    const std::string tooLong = longest + "x";
    EXPECT_THROW(list.AddItem(tooLong), std::length_error);
    const std::vector<std::string_view> words = {"mare", tooLong};
    EXPECT_THROW(list.AddItems(words), std::length_error);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"casa"}));
    list.AddItem(longest);
    EXPECT_EQ(list.List(1), longest);
}

TEST(WordList, SameIsEqualityOfTheBytes)
{
    WordList list(false);
    for (auto w : {"casa", "Casa", "casa", "internazionale", "internazionali", "", ""})
        list.AddItem(w);
    EXPECT_TRUE(list.Same(0, 2));
    EXPECT_FALSE(list.Same(0, 1)); // level in the collation's first weights, other bytes
    EXPECT_FALSE(list.Same(3, 4)); // same length and first weights, other last letter
    EXPECT_TRUE(list.Same(5, 6));
    EXPECT_FALSE(list.Same(0, 5));
    EXPECT_THROW((void)list.Same(0, 7), std::out_of_range);

    // Every length up to past two words of eight bytes, every place of a
    // difference, across two lists.
    WordList words(false);
    WordList others(false);
    for (std::size_t n = 0; n <= 20; ++n) {
        const std::string word = std::string(n, 'a');
        words.AddItem(word);
        others.AddItem(word);
        for (std::size_t k = 0; k < n; ++k) {
            std::string other = word;
            other[k] = 'b';
            others.AddItem(other);
            EXPECT_FALSE(words.Same(n, others, others.ListCount() - 1)) << n << " " << k;
        }
        EXPECT_TRUE(words.Same(n, others, others.ListCount() - 1 - n)) << n;
    }
    EXPECT_THROW((void)words.Same(0, others, others.ListCount()), std::out_of_range);
}

TEST(WordList, CopiesAreDeepAndEqual)
{
    WordList list;
    for (auto w : {"b", "", "a"})
        list.AddItem(w);
    WordList copy = list;
    list.RemoveItem(0);
    list.AddItem("c");
    EXPECT_EQ(Items(copy), (std::vector<std::string>{"", "a", "b"}));
    EXPECT_FALSE(copy == list);
    copy = list;
    EXPECT_TRUE(copy == list);
}

TEST(LargeMemory, ImpossibleSizeIsRefusedNotWrappedRound)
{
    EXPECT_THROW(ByteBlock(std::numeric_limits<std::size_t>::max()), std::bad_alloc);
    EXPECT_THROW(ByteBlock(std::numeric_limits<std::size_t>::max() - 100), std::bad_alloc);
}

} // namespace
} // namespace lexor

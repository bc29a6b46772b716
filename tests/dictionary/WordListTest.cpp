#include <gtest/gtest.h>

#include <stdexcept>

#include "dictionary/WordList.h"

namespace lexor {
namespace {

std::vector<std::string> Items(const WordList& list)
{
    std::vector<std::string> out;
    for (WordList::size_type i = 0; i < list.ListCount(); ++i)
        out.emplace_back(list.List(i));
    return out;
}

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

} // namespace
} // namespace lexor

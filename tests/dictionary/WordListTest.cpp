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

} // namespace
} // namespace lexor

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "words/WordList.h"

namespace lexor::test {

using Words = std::vector<std::string>;

// The collation as the less-than that std::sort takes: the order a sorted
// list must keep.
bool CollateLess(std::string_view a, std::string_view b) noexcept;

// A sorted list holding words.
WordList ListOf(const Words& words);

// A sorted list of count words: "parola0", "parola1" and so on.
WordList Numbered(int count);

// A list's items in list order.
Words Items(const WordList& list);

// A dictionary file's bytes: the header, the count line (the number of words
// unless count is given) and the words, each line ended by CR LF.
std::string Dictionary(const Words& words, int count = -1);

} // namespace lexor::test

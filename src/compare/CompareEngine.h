#pragma once

#include <cstdint>
#include <functional>

#include "dictionary/WordList.h"

namespace lexor {

// Receives, after each word of the modified list in order, the whole
// percentage of the words done so far (0 to 100).
using CompareProgress = std::function<void(int percent)>;

// Compares an original and a modified dictionary as multisets of exact
// (case-sensitive) words: each word of modified cancels at most one identical
// word of original. Afterwards original holds the words that modified lacks
// (of a word with o copies there and m in modified, max(o - m, 0) copies stay,
// in their order) and added, cleared first, holds the words that modified adds
// (max(m - o, 0) copies). modified is left as it is; the three lists must be
// distinct, and original and modified sorted, as every list of the program
// is.
//
// The lists are merged in one linear pass; the result is the same as that of
// searching original for each word of modified in turn.
void CompareDictionaries(WordList& original, const WordList& modified, WordList& added,
                         const CompareProgress& progress = {});

// floor(done * 100 / total) in 64 bits, so no list size of this world
// overflows it; 100 when total is 0.
int ProgressPercent(std::uint64_t done, std::uint64_t total) noexcept;

} // namespace lexor

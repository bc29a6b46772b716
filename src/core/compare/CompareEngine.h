#pragma once

#include "words/Progress.h"
#include "words/WordList.h"

namespace lexor {

// Compares an original and a modified dictionary as multisets of exact
// (case-sensitive) words: each word of modified cancels at most one identical
// word of original. Afterwards original holds the words that modified lacks
// (of a word with o copies there and m in modified, max(o - m, 0) copies stay,
// in their order) and added, cleared first, holds the words that modified adds
// (max(m - o, 0) copies). progress, when given, gets after each word of
// modified, in order, the percentage of its words done so far
// (ProgressPercent). modified is left as it is; the three lists must be
// distinct, and original and modified sorted, as every list of the program
// is.
//
// The lists are merged in one linear pass; the result is the same as that of
// searching original for each word of modified in turn.
void CompareDictionaries(WordList& original, const WordList& modified, WordList& added, const Progress& progress = {});

} // namespace lexor

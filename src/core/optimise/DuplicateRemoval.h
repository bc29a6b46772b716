#pragma once

#include <cstddef>

#include "words/WordList.h"

namespace lexor {

// Takes repeats out of words: of every run of neighbours that are the same
// bytes (case, blanks and accents all count), the first stays and the others
// go to duplicates, in list order. duplicates is cleared first and must be
// another list than words. Only neighbours are compared, so in a sorted list
// every exact repeat is found. Returns the number of copies removed.
//
// One linear pass whatever the number of repeats. It reports no progress: the
// optimiser window shows none.
std::size_t RemoveDuplicates(WordList& words, WordList& duplicates);

} // namespace lexor

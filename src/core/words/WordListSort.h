#pragma once

#include "words/WordItem.h"

namespace lexor {

// Puts the items, whose words lie in text, in collation order (see
// Collation.h) on up to `threads` threads. Items that rank level are
// identical, so the order is fully determined and the sort need not be
// stable. Each item's prefix must be CollationPrefix of its word, and is
// again afterwards.
void SortWordItems(WordItem* first, WordItem* last, const char* text, unsigned threads);

} // namespace lexor

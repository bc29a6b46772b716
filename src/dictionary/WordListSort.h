#pragma once

#include "dictionary/WordList.h"

namespace lexor {

// Puts the items in collation order (see Collation.h) on up to `threads`
// threads. Items that rank level are identical, so the order is fully
// determined and the sort need not be stable. Each item's prefix must be
// CollationPrefix of its word, and is again afterwards.
void SortWordItems(WordList::Item* first, WordList::Item* last, unsigned threads);

} // namespace lexor

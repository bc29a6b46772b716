#include "optimise/DuplicateRemoval.h"

#include <string_view>
#include <vector>

namespace lexor {

std::size_t RemoveDuplicates(WordList& words, WordList& duplicates)
{
    duplicates.Clear();
    const auto count = words.ListCount();
    std::vector<WordList::size_type> positions;
    for (WordList::size_type i = 1; i < count; ++i) {
        words.Prefetch(i + WordList::kPrefetchAhead);
        if (words.Same(i - 1, i))
            positions.push_back(i);
    }
    // The copies point into words: add them before removing.
    std::vector<std::string_view> copies;
    copies.reserve(positions.size());
    for (const auto position : positions)
        copies.push_back(words.List(position));
    duplicates.AddItems(copies);
    words.RemoveItems(positions);
    return positions.size();
}

} // namespace lexor

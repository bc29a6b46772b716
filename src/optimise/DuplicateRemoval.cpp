#include "optimise/DuplicateRemoval.h"

#include <string_view>
#include <vector>

namespace lexor {

std::size_t RemoveDuplicates(WordList& words, WordList& duplicates)
{
    duplicates.Clear();
    const auto count = words.ListCount();
    std::vector<WordList::size_type> positions;
    if (count > 1) {
        std::string_view previous = words.List(0);
        for (WordList::size_type i = 1; i < count; ++i) {
            words.Prefetch(i + WordList::kPrefetchAhead);
            const std::string_view word = words.List(i);
            if (word == previous)
                positions.push_back(i);
            previous = word;
        }
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

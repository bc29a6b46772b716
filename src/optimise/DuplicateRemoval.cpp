#include "optimise/DuplicateRemoval.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "dictionary/Parallel.h"

namespace lexor {

std::size_t RemoveDuplicates(WordList& words, WordList& duplicates)
{
    duplicates.Clear();
    // Each part of a large list compares its words with their predecessors
    // on a thread of its own (see Parallel.h).
    const auto count = words.ListCount();
    const unsigned parts = PartsFor(count);
    std::vector<std::vector<WordList::size_type>> found(parts);
    ForEachPart(count, parts, [&words, &found](unsigned part, std::size_t first, std::size_t last) {
        for (std::size_t i = std::max<std::size_t>(first, 1); i < last; ++i) {
            words.Prefetch(i + WordList::kPrefetchAhead);
            if (words.Same(i - 1, i))
                found[part].push_back(i);
        }
    });
    std::vector<WordList::size_type> positions;
    for (const auto& part : found)
        positions.insert(positions.end(), part.begin(), part.end());
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

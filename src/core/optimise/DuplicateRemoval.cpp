#include "optimise/DuplicateRemoval.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "words/Parallel.h"

namespace lexor {

std::size_t RemoveDuplicates(WordList& words, WordList& duplicates)
{
    duplicates.Clear();
    // Each part of a large list compares its words with their predecessors
    // on a thread of its own (see Parallel.h), noting where each copy lies
    // and the copy itself.
    const auto count = words.ListCount();
    const unsigned parts = PartsFor(count);
    struct Found {
        std::vector<WordList::size_type> positions;
        std::vector<std::string_view> copies;
    };
    std::vector<Found> found(parts);
    ForEachPart(count, parts, [&words, &found](unsigned part, std::size_t first, std::size_t last) {
        Found& mine = found[part];
        for (std::size_t i = std::max<std::size_t>(first, 1); i < last; ++i) {
            words.Prefetch(i + WordList::kPrefetchAhead);
            if (words.Same(i - 1, i)) {
                mine.positions.push_back(i);
                mine.copies.push_back(words.List(i));
            }
        }
    });
    Found all = std::move(found[0]);
    for (unsigned part = 1; part < parts; ++part) {
        all.positions.insert(all.positions.end(), found[part].positions.begin(), found[part].positions.end());
        all.copies.insert(all.copies.end(), found[part].copies.begin(), found[part].copies.end());
    }
    // The two lists change side by side for a large list. The copies are
    // views into words, which removing items leaves valid and unwritten
    // (WordList::List), so the one task reads what the other keeps intact.
    const auto fillCopies = [&] { duplicates.AddItems(all.copies); };
    const auto closeUp = [&] { words.RemoveItems(all.positions); };
    if (parts > 1) {
        SideBySide(fillCopies, closeUp);
    } else {
        fillCopies();
        closeUp();
    }
    return all.positions.size();
}

} // namespace lexor

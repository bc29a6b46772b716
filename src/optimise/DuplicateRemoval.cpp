#include "optimise/DuplicateRemoval.h"

#include <string_view>
#include <vector>

namespace lexor {
namespace {

// Positions between two progress reports: often enough for a bar, rare
// enough to cost nothing.
constexpr std::size_t kProgressStride = std::size_t{1} << 16;

} // namespace

std::size_t RemoveDuplicates(WordList& words, WordList& duplicates, const std::function<void(int percent)>& progress)
{
    duplicates.Clear();
    const auto count = words.ListCount();
    std::vector<WordList::size_type> positions;
    std::vector<std::string_view> copies;
    if (count > 1) {
        std::string_view previous = words.List(0);
        for (WordList::size_type i = 1; i < count; ++i) {
            const std::string_view word = words.List(i);
            if (word == previous) {
                positions.push_back(i);
                copies.push_back(word);
            }
            previous = word;
            if (progress && i % kProgressStride == 0)
                progress(static_cast<int>(i * 100 / count));
        }
    }
    // The copies still point into words: add them before removing.
    duplicates.AddItems(copies);
    words.RemoveItems(positions);
    if (progress)
        progress(100);
    return positions.size();
}

} // namespace lexor

#include "compare/CompareEngine.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/Collation.h"

namespace lexor {
namespace {

struct Outcome {
    std::vector<WordList::size_type> cancelled; // positions in original, ascending
    std::vector<std::string_view> added;        // words of modified, in its order
};

void Report(const CompareProgress& progress, WordList::size_type done, WordList::size_type total)
{
    if (progress)
        progress(ProgressPercent(done, total));
}

// Both lists in collation order, where only identical words rank level: the
// first not yet cancelled copy of a word in original is the one a search from
// the start would find.
Outcome MergeSorted(const WordList& original, const WordList& modified, const CompareProgress& progress)
{
    Outcome out;
    const auto total = modified.ListCount();
    const auto count = original.ListCount();
    WordList::size_type j = 0;
    for (WordList::size_type i = 0; i < total; ++i) {
        const std::string_view word = modified.List(i);
        // Skip the words of original that rank before word; identical bytes
        // are the common case, so they are tested before the collation.
        bool found = false;
        while (j < count) {
            const std::string_view candidate = original.List(j);
            if (candidate == word) {
                found = true;
                break;
            }
            if (Collate(candidate, word) > 0)
                break;
            ++j;
        }
        if (found)
            out.cancelled.push_back(j++);
        else
            out.added.push_back(word);
        Report(progress, i + 1, total);
    }
    return out;
}

Outcome MatchUnsorted(const WordList& original, const WordList& modified, const CompareProgress& progress)
{
    std::unordered_map<std::string_view, std::vector<WordList::size_type>> positions;
    const auto count = original.ListCount();
    for (WordList::size_type j = count; j > 0; --j)
        positions[original.List(j - 1)].push_back(j - 1);
    Outcome out;
    const auto total = modified.ListCount();
    for (WordList::size_type i = 0; i < total; ++i) {
        const std::string_view word = modified.List(i);
        auto found = positions.find(word);
        if (found != positions.end() && !found->second.empty()) {
            out.cancelled.push_back(found->second.back());
            found->second.pop_back();
        } else {
            out.added.push_back(word);
        }
        Report(progress, i + 1, total);
    }
    std::sort(out.cancelled.begin(), out.cancelled.end());
    return out;
}

} // namespace

void CompareDictionaries(WordList& original, const WordList& modified, WordList& added, const CompareProgress& progress)
{
    added.Clear();
    const bool sorted = original.Sorted() && modified.Sorted();
    const Outcome out =
        sorted ? MergeSorted(original, modified, progress) : MatchUnsorted(original, modified, progress);
    // The added words still point into modified, which stays as it is.
    added.AddItems(out.added);
    original.RemoveItems(out.cancelled);
}

int ProgressPercent(std::uint64_t done, std::uint64_t total) noexcept
{
    if (total == 0)
        return 100;
    return static_cast<int>(done * 100 / total);
}

float ProgressBarWidth(int percent, float trackWidth) noexcept
{
    const float hundredth = trackWidth / 100.0f;
    const float width = static_cast<float>(percent) * hundredth;
    return width;
}

} // namespace lexor

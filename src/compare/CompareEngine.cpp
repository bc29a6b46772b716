#include "compare/CompareEngine.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "dictionary/Collation.h"

namespace lexor {
namespace {

struct Outcome {
    explicit Outcome(WordList::size_type count) : cancelled(count) {}
    std::vector<bool> cancelled; // by position in original: a bit, not a position list, per word
    WordList::size_type cancelledCount = 0;
    std::vector<std::string_view> added; // words of modified, in its order

    void Cancel(WordList::size_type pos)
    {
        cancelled[pos] = true;
        ++cancelledCount;
    }
};

// Reports the percentage after each word; it changes at most a hundred
// times, so it is worked out again only when the count of words done
// reaches the next change, not with a division per word.
class PercentAfterEachWord {
public:
    PercentAfterEachWord(const Progress& progress, std::uint64_t total) : progress_(progress), total_(total) {}

    void Report(std::uint64_t done)
    {
        if (!progress_)
            return;
        if (done >= next_) {
            percent_ = ProgressPercent(done, total_);
            // The least count of words done that gives percent_ + 1.
            next_ = ((static_cast<std::uint64_t>(percent_) + 1) * total_ + 99) / 100;
        }
        progress_(percent_);
    }

private:
    const Progress& progress_;
    std::uint64_t total_;
    std::uint64_t next_ = 0;
    int percent_ = 0;
};

// Both lists in collation order, where only identical words rank level: the
// first not yet cancelled copy of a word in original is the one a search from
// the start would find.
Outcome MergeSorted(const WordList& original, const WordList& modified, const Progress& progress)
{
    const auto total = modified.ListCount();
    const auto count = original.ListCount();
    Outcome out(count);
    PercentAfterEachWord percent(progress, total);
    WordList::size_type j = 0;
    for (WordList::size_type i = 0; i < total; ++i) {
        modified.Prefetch(i + WordList::kPrefetchAhead);
        original.Prefetch(j + WordList::kPrefetchAhead);
        const std::string_view word = modified.List(i);
        // Skip the words of original that rank before word; identical bytes
        // are the common case, so they are tested before the collation.
        bool found = false;
        while (j < count) {
            if (original.Same(j, modified, i)) {
                found = true;
                break;
            }
            if (Collate(original.List(j), word) > 0)
                break;
            ++j;
        }
        if (found)
            out.Cancel(j++);
        else
            out.added.push_back(word);
        percent.Report(i + 1);
    }
    return out;
}

// Takes the cancelled words out of original. When most of them go, the few
// that stay are copied into a fresh list instead, which spares a position
// list as long as the original.
void RemoveCancelled(WordList& original, const Outcome& out)
{
    const auto count = original.ListCount();
    if (out.cancelledCount == 0)
        return;
    if (out.cancelledCount * 2 >= count) {
        std::vector<std::string_view> kept;
        kept.reserve(count - out.cancelledCount);
        for (WordList::size_type j = 0; j < count; ++j) {
            if (!out.cancelled[j])
                kept.push_back(original.List(j));
        }
        WordList rest(original.Sorted());
        rest.AddItems(kept);
        original = std::move(rest);
        return;
    }
    std::vector<WordList::size_type> positions;
    positions.reserve(out.cancelledCount);
    for (WordList::size_type j = 0; j < count; ++j) {
        if (out.cancelled[j])
            positions.push_back(j);
    }
    original.RemoveItems(positions);
}

} // namespace

void CompareDictionaries(WordList& original, const WordList& modified, WordList& added, const Progress& progress)
{
    added.Clear();
    const Outcome out = MergeSorted(original, modified, progress);
    // The added words still point into modified, which stays as it is.
    added.AddItems(out.added);
    RemoveCancelled(original, out);
}

} // namespace lexor

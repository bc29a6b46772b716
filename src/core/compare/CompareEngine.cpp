#include "compare/CompareEngine.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "words/Collation.h"
#include "words/Parallel.h"

namespace lexor {
namespace {

// What the merge finds in one part of the lists: which words of its part of
// original the modified words cancel, and which modified words it adds.
struct Outcome {
    WordList::size_type originalFirst = 0;
    std::vector<bool> cancelled; // from originalFirst on: a bit, not a position list, per word
    WordList::size_type cancelledCount = 0;
    std::vector<std::string_view> added; // words of modified, in its order
};

// Where a part of the merge begins in modified and in original.
struct Start {
    WordList::size_type modified;
    WordList::size_type original;
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

// The first word of original, from `from` on, that does not rank before
// modified's word at i.
WordList::size_type LowerBound(const WordList& original, WordList::size_type from, const WordList& modified,
                               WordList::size_type i)
{
    const std::string_view word = modified.List(i);
    WordList::size_type count = original.ListCount() - from;
    while (count > 0) {
        const auto half = count / 2;
        if (Collate(original.List(from + half), word) < 0) {
            from += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return from;
}

// Cuts the merge into parts that can run side by side: a part begins in
// modified at the first of a run of identical words, near an even share, and
// in original at the first word that does not rank before it, which is where
// the whole merge stands on reaching that word. The last entry is the end.
std::vector<Start> Cut(const WordList& original, const WordList& modified, unsigned parts)
{
    const auto total = modified.ListCount();
    std::vector<Start> starts{{0, 0}};
    for (unsigned part = 1; part < parts; ++part) {
        WordList::size_type i = std::max<WordList::size_type>(total / parts * part, starts.back().modified);
        while (i > 0 && i < total && modified.Same(i - 1, i))
            ++i;
        if (i >= total)
            break;
        starts.push_back({i, LowerBound(original, starts.back().original, modified, i)});
    }
    starts.push_back({total, original.ListCount()});
    return starts;
}

// Merges modified's words from `from` to `to` with original's, both in
// collation order, where only identical words rank level: the first not yet
// cancelled copy of a word in original is the one a search from the start
// would find. done(i) is told after the word at i.
template <class Done>
Outcome MergePart(const WordList& original, const WordList& modified, const Start& from, const Start& to, Done done)
{
    Outcome out;
    out.originalFirst = from.original;
    out.cancelled.resize(to.original - from.original);
    WordList::size_type j = from.original;
    for (WordList::size_type i = from.modified; i < to.modified; ++i) {
        modified.Prefetch(i + WordList::kPrefetchAhead);
        original.Prefetch(j + WordList::kPrefetchAhead);
        // Skip the words of original that rank before this one; identical
        // bytes are the common case, so they are tested before the collation.
        bool found = false;
        while (j < to.original) {
            if (original.Same(j, modified, i)) {
                found = true;
                break;
            }
            if (Collate(original.List(j), modified.List(i)) > 0)
                break;
            ++j;
        }
        if (found) {
            out.cancelled[j++ - from.original] = true;
            ++out.cancelledCount;
        } else {
            out.added.push_back(modified.List(i));
        }
        done(i);
    }
    return out;
}

// A large merge runs in parts side by side (see Parallel.h). The calling
// thread reports the percentage after each word of its own part as it goes,
// and after each word of the other parts once they are done: the same
// percentages in the same order as a merge in one part.
std::vector<Outcome> Merge(const WordList& original, const WordList& modified, const Progress& progress)
{
    const std::vector<Start> starts = Cut(original, modified, PartsFor(modified.ListCount()));
    const auto parts = static_cast<unsigned>(starts.size() - 1);
    PercentAfterEachWord percent(progress, modified.ListCount());
    std::vector<Outcome> outcomes(parts);
    // The parts only read the two lists, and each writes its own outcome.
    SideBySide(parts, [&](unsigned part) {
        if (part == 0) {
            outcomes[0] = MergePart(original, modified, starts[0], starts[1],
                                    [&percent](WordList::size_type i) { percent.Report(i + 1); });
        } else {
            outcomes[part] = MergePart(original, modified, starts[part], starts[part + 1], [](WordList::size_type) {});
        }
    });
    for (WordList::size_type i = starts[1].modified; i < modified.ListCount(); ++i)
        percent.Report(i + 1);
    return outcomes;
}

// Takes the cancelled words out of original. When most of them go, the few
// that stay are copied into a fresh list instead, which spares a position
// list as long as the original.
void RemoveCancelled(WordList& original, const std::vector<Outcome>& outcomes)
{
    const auto count = original.ListCount();
    WordList::size_type cancelledCount = 0;
    for (const Outcome& out : outcomes)
        cancelledCount += out.cancelledCount;
    if (cancelledCount == 0)
        return;
    const bool mostGo = cancelledCount * 2 >= count;
    std::vector<std::string_view> kept;
    std::vector<WordList::size_type> positions;
    if (mostGo)
        kept.reserve(count - cancelledCount);
    else
        positions.reserve(cancelledCount);
    WordList::size_type j = 0;
    for (const Outcome& out : outcomes) {
        for (; j < out.originalFirst; ++j) {
            if (mostGo)
                kept.push_back(original.List(j));
        }
        for (const bool cancelled : out.cancelled) {
            if (mostGo && !cancelled)
                kept.push_back(original.List(j));
            else if (!mostGo && cancelled)
                positions.push_back(j);
            ++j;
        }
    }
    for (; mostGo && j < count; ++j)
        kept.push_back(original.List(j));
    if (mostGo) {
        WordList rest(original.Sorted());
        rest.AddItems(kept);
        original = std::move(rest);
    } else {
        original.RemoveItems(positions);
    }
}

} // namespace

void CompareDictionaries(WordList& original, const WordList& modified, WordList& added, const Progress& progress)
{
    added.Clear();
    const std::vector<Outcome> outcomes = Merge(original, modified, progress);
    // The added words still point into modified, which stays as it is.
    std::vector<std::string_view> words;
    for (const Outcome& out : outcomes)
        words.insert(words.end(), out.added.begin(), out.added.end());
    added.AddItems(words);
    RemoveCancelled(original, outcomes);
}

} // namespace lexor

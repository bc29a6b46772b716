#include "dictionary/WordListSort.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "dictionary/Collation.h"

namespace lexor {
namespace {

// A radix sort over the collation's primary weights, byte by byte from the
// front (most significant digit first), so the words' bytes are read about
// once per four levels instead of once per comparison. The item's prefix
// field holds four primary weights from a four-byte boundary (the base) on;
// a group that outlives them is given the next four. Small groups are sorted
// on those fields by comparison, and only words that agree on all their
// weights (a word and its capitalised twin) need the full collation.

constexpr std::size_t kSmallGroup = 64;
constexpr std::size_t kParallelMinimum = std::size_t{1} << 16;
// Deeper splits than this are finished by the full collation, which bounds
// the recursion whatever the words.
constexpr int kMaxLevels = 48;

using Boundaries = std::array<std::size_t, 257>;

// For items that agree on every weight up to their ends, as a word and its
// capitalised twin do: a shorter one can differ only by trailing NUL bytes
// and ranks first; words of one length rank by their first differing byte.
struct SameWeightsLess {
    const char* text;
    bool operator()(const WordItem& a, const WordItem& b) const noexcept
    {
        if (a.size() != b.size())
            return a.size() < b.size();
        // Twins mostly differ in their first letter: a loop beats a call.
        const auto* x = reinterpret_cast<const unsigned char*>(a.data(text));
        const auto* y = reinterpret_cast<const unsigned char*>(b.data(text));
        for (std::uint32_t k = 0; k < a.size(); ++k) {
            if (x[k] != y[k])
                return x[k] < y[k];
        }
        return false;
    }
};

template <class Less> void SortByComparison(WordItem* first, WordItem* last, Less less)
{
    if (static_cast<std::size_t>(last - first) > kSmallGroup) {
        std::sort(first, last, less);
        return;
    }
    for (WordItem* i = first + 1; i < last; ++i) {
        const WordItem item = *i;
        WordItem* j = i;
        for (; j > first && less(item, *(j - 1)); --j)
            *j = *(j - 1);
        *j = item;
    }
}

// The one place that reads the words' bytes, which lie in file order and so
// at random here: the reads are asked for a few items ahead.
void Refill(WordItem* first, WordItem* last, const char* text, std::size_t base) noexcept
{
    constexpr std::ptrdiff_t kAhead = 8;
    for (WordItem* i = first; i < last; ++i) {
        if (last - i > kAhead)
            i[kAhead].Prefetch(text, base);
        i->prefix = i->size() > base ? CollationPrefix(i->view(text).substr(base)) : 0;
    }
}

// Items that agree on their first four weights share their own prefix, so
// it is put back without reading their words again.
void Restore(WordItem* first, WordItem* last, std::uint32_t prefix) noexcept
{
    for (WordItem* i = first; i < last; ++i)
        i->prefix = prefix;
}

// Sorts items that agree on every weight before base by their fields, then
// each run of equal fields on the next four weights, and so on; runs whose
// words all end within their field need the full collation.
void SortSmall(WordItem* first, WordItem* last, const char* text, std::size_t base, int level)
{
    if (last - first < 2)
        return;
    if (level >= kMaxLevels) {
        // Valid inside one group: its items agree on every weight before the
        // base, so unequal fields order them as the collation would.
        SortByComparison(first, last, WordItem::Less{text});
        return;
    }
    SortByComparison(first, last, [](const WordItem& a, const WordItem& b) { return a.prefix < b.prefix; });
    for (WordItem* run = first; run < last;) {
        WordItem* end = run + 1;
        bool longer = run->size() > base + 4;
        for (; end < last && end->prefix == run->prefix; ++end)
            longer = longer || end->size() > base + 4;
        if (end - run > 1) {
            if (!longer) {
                SortByComparison(run, end, SameWeightsLess{text});
            } else {
                const std::uint32_t own = run->prefix;
                Refill(run, end, text, base + 4);
                SortSmall(run, end, text, base + 4, level + 1);
                // The first refill of these items puts their own prefix back.
                if (base == 0)
                    Restore(run, end, own);
            }
        }
        run = end;
    }
}

unsigned Digit(const WordItem& item, std::size_t depth) noexcept
{
    return (item.prefix >> (24 - 8 * (depth % 4))) & 0xFF;
}

// Groups [first, last) by the weight at depth, in place (American flag
// sort); bounds gets each weight's start. False when they all share one
// weight, in which case nothing moved.
bool Distribute(WordItem* first, WordItem* last, std::size_t depth, Boundaries& bounds)
{
    std::array<std::size_t, 256> count{};
    unsigned low = 255;
    unsigned high = 0;
    for (WordItem* i = first; i < last; ++i) {
        const unsigned d = Digit(*i, depth);
        ++count[d];
        low = std::min(low, d);
        high = std::max(high, d);
    }
    if (low == high)
        return false;
    bounds[0] = 0;
    for (std::size_t b = 0; b < 256; ++b)
        bounds[b + 1] = bounds[b] + count[b];
    std::array<std::size_t, 256> next;
    std::copy(bounds.begin(), bounds.end() - 1, next.begin());
    for (unsigned b = low; b <= high; ++b) {
        while (next[b] < bounds[b + 1]) {
            WordItem item = first[next[b]];
            for (unsigned d = Digit(item, depth); d != b; d = Digit(item, depth))
                std::swap(item, first[next[d]++]);
            first[next[b]++] = item;
        }
    }
    return true;
}

// Sorts a group whose items agree on every primary weight before depth.
// Their prefix fields count from the last four-byte boundary at or before
// depth - 1 (from 0 at depth 0).
void SortGroup(WordItem* first, WordItem* last, const char* text, std::size_t depth, int level)
{
    WordItem* const groupFirst = first;
    std::size_t base = depth == 0 ? 0 : (depth - 1) / 4 * 4;
    bool restore = false;
    std::uint32_t own = 0;
    while (static_cast<std::size_t>(last - first) > kSmallGroup && level < kMaxLevels) {
        if (depth == base + 4) {
            // The first refill of these items puts their own prefix back.
            if (base == 0) {
                restore = true;
                own = first->prefix;
            }
            Refill(first, last, text, depth);
            base = depth;
        }
        Boundaries bounds;
        if (!Distribute(first, last, depth, bounds)) {
            // One shared weight: 0 means the words end here or hold a NUL
            // byte, which the fields alone do not tell apart.
            if (Digit(*first, depth) == 0)
                break;
            ++depth;
            continue;
        }
        SortSmall(first, first + bounds[1], text, base, level + 1);
        for (std::size_t b = 1; b < 256; ++b) {
            if (bounds[b + 1] - bounds[b] > 1)
                SortGroup(first + bounds[b], first + bounds[b + 1], text, depth + 1, level + 1);
        }
        first = last;
    }
    SortSmall(first, last, text, base, level);
    if (restore)
        Restore(groupFirst, last, own);
}

struct Task {
    WordItem* first;
    WordItem* last;
    std::size_t depth;
};

} // namespace

void SortWordItems(WordItem* first, WordItem* last, const char* text, unsigned threads)
{
    const auto n = static_cast<std::size_t>(last - first);
    if (threads < 2 || n < kParallelMinimum) {
        SortGroup(first, last, text, 0, 0);
        return;
    }
    // The first two weights split the work into groups; the threads then
    // take them largest first.
    std::vector<Task> tasks;
    std::vector<Task> pending{{first, last, 0}};
    while (!pending.empty()) {
        const Task task = pending.back();
        pending.pop_back();
        const auto size = static_cast<std::size_t>(task.last - task.first);
        Boundaries bounds;
        if (task.depth >= 2 || size <= n / 16 || !Distribute(task.first, task.last, task.depth, bounds)) {
            tasks.push_back(task);
            continue;
        }
        SortSmall(task.first, task.first + bounds[1], text, 0, 0);
        for (std::size_t b = 1; b < 256; ++b) {
            if (bounds[b + 1] - bounds[b] > 1)
                pending.push_back({task.first + bounds[b], task.first + bounds[b + 1], task.depth + 1});
        }
    }
    std::sort(tasks.begin(), tasks.end(),
              [](const Task& a, const Task& b) { return a.last - a.first > b.last - b.first; });
    std::atomic<std::size_t> next{0};
    auto work = [&tasks, &next, text] {
        for (std::size_t k; (k = next.fetch_add(1)) < tasks.size();)
            SortGroup(tasks[k].first, tasks[k].last, text, tasks[k].depth, 0);
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (auto& helper : helpers)
        helper.join();
}

} // namespace lexor

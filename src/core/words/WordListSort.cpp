#include "words/WordListSort.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "words/Collation.h"
#include "words/Parallel.h"

namespace lexor {
namespace {

// The sort runs over the collation's primary weights four at a time. An
// item's prefix holds the weights of four of its word's bytes, from a
// boundary (the base) on, and the items are ordered by it as a number. Items
// whose prefixes agree and whose words go on past the four are given the
// next four weights (read from their words: the one place the sort reads
// text) and ordered again among themselves; items whose words all end within
// the four agree on every weight, as a word and its capitalised twin do, and
// are told apart by their length and bytes.
//
// Ordering by prefix: a group larger than the scratch buffer is split in
// place by its leading byte (American flag sort); a group that fits is sorted
// through the buffer by its bytes, least significant first (LSD radix sort:
// passes that read and write in sequence, with no chains of swaps); a group
// of a few dozen is sorted by insertion.

constexpr std::size_t kInsertionGroup = 64;
// At most 1.5 MiB of scratch a thread, next to a large list's hundreds of MiB.
constexpr std::size_t kScratchItems = std::size_t{1} << 17;
constexpr std::size_t kParallelMinimum = std::size_t{1} << 16;
// Deeper than this the full collation takes over, which bounds the recursion
// whatever the words.
constexpr int kMaxLevels = 48;
// How many items ahead the words' bytes are asked for: further than the
// passes' WordList::kPrefetchAhead, as measured (see there).
constexpr std::ptrdiff_t kReadAhead = 32;

using Scratch = std::vector<WordItem>;
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

struct PrefixLess {
    bool operator()(const WordItem& a, const WordItem& b) const noexcept { return a.prefix < b.prefix; }
};

template <class Less> void SortByComparison(WordItem* first, WordItem* last, Less less)
{
    if (static_cast<std::size_t>(last - first) > kInsertionGroup) {
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

unsigned Byte(const WordItem& item, int byte) noexcept
{
    return (item.prefix >> (8 * byte)) & 0xFF;
}

// Groups [first, last) by the prefix's given byte, in place (American flag
// sort); bounds gets each value's start. False when they all share one
// value, in which case nothing moved.
bool Distribute(WordItem* first, WordItem* last, int byte, Boundaries& bounds)
{
    std::array<std::size_t, 256> count{};
    unsigned low = 255;
    unsigned high = 0;
    for (WordItem* i = first; i < last; ++i) {
        const unsigned d = Byte(*i, byte);
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
    // In rounds: every item not yet known to be in place is swapped to the
    // next free place of its value, and the item it meets there waits for
    // the next round. The swaps of a round do not wait for one another, as
    // a chain of swaps that follows one item would.
    std::array<unsigned, 256> open;
    unsigned opens = 0;
    for (unsigned b = low; b <= high; ++b) {
        if (next[b] < bounds[b + 1])
            open[opens++] = b;
    }
    while (opens > 0) {
        unsigned stillOpen = 0;
        for (unsigned k = 0; k < opens; ++k) {
            const unsigned b = open[k];
            for (std::size_t i = next[b]; i < bounds[b + 1]; ++i)
                std::swap(first[i], first[next[Byte(first[i], byte)]++]);
            // next[b] has moved past every item of b that came to its place.
            if (next[b] < bounds[b + 1])
                open[stillOpen++] = b;
        }
        opens = stillOpen;
    }
    return true;
}

// Orders [first, last) by prefix through scratch, a byte at a time, least
// significant first; a byte that all share costs one look at its counts.
void SortThroughScratch(WordItem* first, WordItem* last, Scratch& scratch)
{
    const auto n = static_cast<std::size_t>(last - first);
    if (scratch.size() < n) {
        // Short of memory for the buffer, the group is sorted in place: the
        // sort never fails.
        try {
            scratch.resize(std::max(n, std::min(2 * scratch.size(), kScratchItems)));
        } catch (const std::bad_alloc&) {
            SortByComparison(first, last, PrefixLess{});
            return;
        }
    }
    std::array<std::array<std::uint32_t, 256>, 4> count{};
    for (const WordItem* i = first; i < last; ++i) {
        const std::uint32_t prefix = i->prefix;
        ++count[0][prefix & 0xFF];
        ++count[1][(prefix >> 8) & 0xFF];
        ++count[2][(prefix >> 16) & 0xFF];
        ++count[3][prefix >> 24];
    }
    WordItem* from = first;
    WordItem* to = scratch.data();
    for (int byte = 0; byte < 4; ++byte) {
        if (count[byte][Byte(*from, byte)] == n)
            continue;
        std::array<std::uint32_t, 256> next;
        std::uint32_t sum = 0;
        for (std::size_t b = 0; b < 256; ++b) {
            next[b] = sum;
            sum += count[byte][b];
        }
        for (const WordItem* i = from; i < from + n; ++i)
            to[next[Byte(*i, byte)]++] = *i;
        std::swap(from, to);
    }
    if (from != first)
        std::copy(from, from + n, first);
}

// Orders [first, last), whose prefixes agree on their bytes above top, by
// prefix.
void SortByPrefix(WordItem* first, WordItem* last, int top, Scratch& scratch)
{
    const auto n = static_cast<std::size_t>(last - first);
    if (n <= kInsertionGroup) {
        SortByComparison(first, last, PrefixLess{});
        return;
    }
    if (n <= kScratchItems) {
        SortThroughScratch(first, last, scratch);
        return;
    }
    Boundaries bounds;
    for (; top >= 0; --top) {
        if (Distribute(first, last, top, bounds))
            break;
    }
    if (top <= 0)
        return;
    for (std::size_t b = 0; b < 256; ++b) {
        if (bounds[b + 1] - bounds[b] > 1)
            SortByPrefix(first + bounds[b], first + bounds[b + 1], top - 1, scratch);
    }
}

// The one place that reads the words' bytes, which lie in file order and so
// at random here: the reads are asked for some items ahead.
void Refill(WordItem* first, WordItem* last, const char* text, std::size_t base) noexcept
{
    for (WordItem* i = first; i < last; ++i) {
        if (last - i > kReadAhead)
            i[kReadAhead].Prefetch(text, base);
        i->prefix = i->size() > base ? CollationPrefix(i->view(text).substr(base)) : 0;
    }
}

// Sorts items that agree on every weight before base and whose prefixes
// hold the four weights from base on.
void SortWords(WordItem* first, WordItem* last, const char* text, std::size_t base, int level, Scratch& scratch)
{
    if (last - first < 2)
        return;
    if (level >= kMaxLevels) {
        // Valid inside one group: its items agree on every weight before the
        // base, so unequal prefixes order them as the collation would.
        SortByComparison(first, last, WordItem::Less{text});
        return;
    }
    SortByPrefix(first, last, 3, scratch);
    // Most runs are refilled, and most are short: their words are asked for
    // some items ahead, across the runs. From their first byte: a run whose
    // words all end here (a word and its capitalised twins) is ordered by
    // the bytes from the start, and a word of up to 64 bytes spans at most
    // the two cache lines of its first and last byte.
    WordItem* ahead = first;
    for (WordItem* run = first; run < last;) {
        for (WordItem* stop = std::min(last, run + kReadAhead); ahead < stop; ++ahead)
            ahead->Prefetch(text);
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
                SortWords(run, end, text, base + 4, level + 1, scratch);
                // Items that agreed on their first four weights share their
                // own prefix: it is put back without reading their words.
                if (base == 0) {
                    for (WordItem* i = run; i < end; ++i)
                        i->prefix = own;
                }
            }
        }
        run = end;
    }
}

} // namespace

void SortWordItems(WordItem* first, WordItem* last, const char* text, unsigned threads)
{
    const auto n = static_cast<std::size_t>(last - first);
    Boundaries bounds;
    if (threads < 2 || n < kParallelMinimum || !Distribute(first, last, 3, bounds)) {
        Scratch scratch;
        SortWords(first, last, text, 0, 0, scratch);
        return;
    }
    // The leading weight splits the work; the threads take the parts
    // largest first.
    std::vector<std::pair<WordItem*, WordItem*>> parts;
    for (std::size_t b = 0; b < 256; ++b) {
        if (bounds[b + 1] - bounds[b] > 1)
            parts.emplace_back(first + bounds[b], first + bounds[b + 1]);
    }
    std::sort(parts.begin(), parts.end(),
              [](const auto& a, const auto& b) { return a.second - a.first > b.second - b.first; });
    std::atomic<std::size_t> next{0};
    SideBySide(threads, [&parts, &next, text](unsigned) {
        Scratch scratch;
        for (std::size_t k; (k = next.fetch_add(1)) < parts.size();)
            SortWords(parts[k].first, parts[k].second, text, 0, 0, scratch);
    });
}

} // namespace lexor

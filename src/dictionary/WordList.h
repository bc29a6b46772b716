#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "dictionary/LargeBuffer.h"

namespace lexor {

// An ordered list of words, each held as the file's own bytes (Windows-1252),
// so a word comes back byte for byte when it is written. Duplicates are kept.
// A sorted list keeps its items in collation order (see Collation.h) at all
// times; an unsorted one keeps the order of addition. Counts and positions
// are size_t: the list has no 32,767-word ceiling.
//
// The words live in a few large blocks owned by the list, with a table of
// light views over them, so a million words cost a handful of allocations.
// A value type: copies are deep, moves keep every view valid.
class WordList {
public:
    using size_type = std::size_t;

    // One entry of the item table: where the word lies, and the primary
    // weights of its first four bytes (CollationPrefix), for quick ordering.
    struct Item {
        const char* data;
        std::uint32_t size;
        std::uint32_t prefix;
        std::string_view view() const noexcept { return {data, size}; }
    };
    using ItemTable = std::vector<Item, LargeAllocator<Item>>;

    // The entry for a word. Throws std::length_error for a word of 4 GiB or more.
    static Item MakeItem(std::string_view word);

    explicit WordList(bool sorted = true);
    WordList(const WordList& other);
    WordList& operator=(const WordList& other);
    WordList(WordList&& other) noexcept = default;
    WordList& operator=(WordList&& other) noexcept = default;
    ~WordList() = default;

    bool Sorted() const noexcept { return sorted_; }
    size_type ListCount() const noexcept { return items_.size(); }

    // Constant time. Throws std::out_of_range when pos >= ListCount(). The view
    // stays valid until the list is next changed or destroyed.
    std::string_view List(size_type pos) const;

    // A hint that the word at pos is about to be read; nothing when pos is
    // out of range. A list loaded from an unordered file keeps its bytes in
    // file order, so a pass in list order reads them at random: asking a few
    // positions ahead (kPrefetchAhead) hides most of the memory latency.
    static constexpr size_type kPrefetchAhead = 16;
    void Prefetch(size_type pos) const noexcept
    {
#if defined(__GNUC__) || defined(__clang__)
        if (pos < items_.size())
            __builtin_prefetch(items_[pos].data);
#else
        (void)pos;
#endif
    }

    // A sorted list places the word after every item that ranks level with or
    // before it; an unsorted one appends it. Throws std::length_error for a
    // word of 4 GiB or more.
    void AddItem(std::string_view word);

    // Throws std::out_of_range when pos >= ListCount(), leaving the items as they were.
    void RemoveItem(size_type pos);

    void Clear() noexcept;

    // Exactly the result of one AddItem per word, in order, at the cost of one
    // sort instead of one insertion per word (none when the words come sorted).
    // The words may be views into this list itself.
    void AddItems(std::span<const std::string_view> words);

    // As AddItems, but the entries (from MakeItem) are taken over as they are
    // and their words lie in blocks that the list takes over too, so nothing
    // is copied: the loader reads straight into them.
    void AdoptItems(std::vector<ByteBlock>&& blocks, ItemTable&& items);

    // Removes the items at the given positions, which must be strictly
    // ascending and in range (else std::out_of_range and no change), in one
    // linear pass.
    void RemoveItems(std::span<const size_type> positions);

    friend bool operator==(const WordList& a, const WordList& b) noexcept;

private:
    // Puts the items from position old on into place among the others.
    void SortFrom(size_type old);

    bool sorted_;
    ItemTable items_;
    std::vector<ByteBlock> blocks_;
};

} // namespace lexor

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "words/LargeMemory.h"
#include "words/WordItem.h"

namespace lexor {

// An ordered list of words, each held as the file's own bytes (Windows-1252),
// so a word comes back byte for byte when it is written. Duplicates are kept.
// A sorted list keeps its items in collation order (see Collation.h) at all
// times; an unsorted one keeps the order of addition. Counts and positions
// are size_t: the list has no 32,767-word ceiling.
//
// The words live in one block of text owned by the list, with a table of
// twelve-byte entries (WordItem) over it, so a million words cost a handful
// of allocations and little more memory than their file. A value type:
// copies are deep and lay their words out in list order, moves keep every
// view valid.
class WordList {
public:
    using size_type = std::size_t;
    using ItemTable = std::vector<WordItem, LargeAllocator<WordItem>>;

    explicit WordList(bool sorted = true);
    WordList(const WordList& other);
    WordList& operator=(const WordList& other);
    WordList(WordList&& other) noexcept = default;
    WordList& operator=(WordList&& other) noexcept = default;
    ~WordList() = default;

    bool Sorted() const noexcept { return sorted_; }
    size_type ListCount() const noexcept { return items_.size(); }

    // Constant time, and inline: every pass over a list reads it. Throws
    // std::out_of_range when pos >= ListCount(). The view stays valid until
    // words are next added, the list is cleared or assigned, or destroyed:
    // removing items moves no word and writes nothing a view reads, so views,
    // those of removed words too, may be read by another thread meanwhile.
    std::string_view List(size_type pos) const
    {
        if (pos >= items_.size()) [[unlikely]]
            OutOfRange("WordList::List");
        return items_[pos].view(text_.data());
    }

    // A hint that the word at pos is about to be read; nothing when pos is
    // out of range. Passes in list order ask kPrefetchAhead positions ahead;
    // the sort asks kReadAhead (WordListSort.cpp) items ahead. Each distance
    // was measured where it is used, on a million words: for the passes 32
    // and 64 did no better than 16, for the sort 32 took 1 to 2% less time.
    static constexpr size_type kPrefetchAhead = 16;
    [[gnu::always_inline]] void Prefetch(size_type pos) const noexcept
    {
        if (pos < items_.size())
            items_[pos].Prefetch(text_.data());
    }

    // Whether the word at a and other's word at b are the same bytes, as
    // List(a) == other.List(b), but reading only what it must (see
    // WordItem::Same). Throws std::out_of_range when a or b is out of range.
    bool Same(size_type a, const WordList& other, size_type b) const
    {
        if (a >= items_.size() || b >= other.items_.size()) [[unlikely]]
            OutOfRange("WordList::Same");
        return items_[a].Same(text_.data(), other.items_[b], other.text_.data());
    }
    bool Same(size_type a, size_type b) const { return Same(a, *this, b); }

    // A sorted list places the word after every item that ranks level with or
    // before it; an unsorted one appends it. Throws std::length_error for a
    // word longer than WordItem::kLongestWord.
    void AddItem(std::string_view word);

    // Throws std::out_of_range when pos >= ListCount(), leaving the items as they were.
    void RemoveItem(size_type pos);

    void Clear() noexcept;

    // Exactly the result of one AddItem per word, in order, at the cost of one
    // sort instead of one insertion per word (none when the words come sorted).
    // The words may be views into this list itself.
    void AddItems(std::span<const std::string_view> words);

    // As AddItems, but the words lie in text, whose first textSize bytes the
    // entries (from WordItem::Make, with offsets into text) describe: an empty
    // list takes both over as they are, so nothing is copied and the loader
    // reads straight into the list's text.
    void AdoptItems(ByteBlock&& text, std::size_t textSize, ItemTable&& items);

    // Removes the items at the given positions, which must be strictly
    // ascending and in range (else std::out_of_range and no change), in one
    // linear pass.
    void RemoveItems(std::span<const size_type> positions);

    friend bool operator==(const WordList& a, const WordList& b) noexcept;

private:
    [[noreturn]] static void OutOfRange(const char* what);

    // Room for extra more bytes after the text, which is kept; the block
    // grows geometrically, so one AddItem after another stays linear.
    // Returns the block it replaced (empty if none), which views may still
    // point into. Throws std::length_error beyond WordItem::kLargestText.
    ByteBlock MakeRoom(std::size_t extra);

    // Puts the items from position old on into place among the others.
    void SortFrom(size_type old);

    bool sorted_;
    ItemTable items_;
    ByteBlock text_;
    std::size_t textSize_ = 0;
};

} // namespace lexor

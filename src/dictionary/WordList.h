#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lexor {

// An ordered list of words, each held as the file's own bytes (Windows-1252),
// so a word comes back byte for byte when it is written. Duplicates are kept.
// A sorted list keeps its items in collation order (see Collation.h) at all
// times; an unsorted one keeps the order of addition. Counts and positions
// are size_t: the list has no 32,767-word ceiling.
class WordList {
public:
    using size_type = std::size_t;

    explicit WordList(bool sorted = true);

    bool Sorted() const noexcept { return sorted_; }
    size_type ListCount() const noexcept { return items_.size(); }

    // Constant time. Throws std::out_of_range when pos >= ListCount(). The view
    // stays valid until the list is next changed or destroyed.
    std::string_view List(size_type pos) const;

    // A sorted list places the word after every item that ranks level with or
    // before it; an unsorted one appends it.
    void AddItem(std::string_view word);

    // Throws std::out_of_range when pos >= ListCount(), leaving the items as they were.
    void RemoveItem(size_type pos);

    void Clear() noexcept;

    // Exactly the result of one AddItem per word, in order, at the cost of one
    // sort instead of one insertion per word.
    void AddItems(std::span<const std::string_view> words);

    // Removes the items at the given positions, which must be strictly
    // ascending and in range (else std::out_of_range and no change), in one
    // linear pass.
    void RemoveItems(std::span<const size_type> positions);

    friend bool operator==(const WordList& a, const WordList& b) noexcept
    {
        return a.items_ == b.items_;
    }

private:
    bool sorted_;
    std::vector<std::string> items_;
};

} // namespace lexor

#include "words/WordList.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "words/Parallel.h"
#include "words/WordListSort.h"

namespace lexor {
namespace {

void CheckLength(std::string_view word)
{
    if (word.size() > WordItem::kLongestWord)
        throw std::length_error("WordList: a word of 16 MiB or more");
}

} // namespace

WordList::WordList(bool sorted) : sorted_(sorted)
{
}

// The copy lays its words out in list order, whatever order they had here.
WordList::WordList(const WordList& other) : sorted_(other.sorted_)
{
    std::size_t total = 0;
    for (const WordItem& item : other.items_)
        total += item.size();
    items_.reserve(other.items_.size());
    if (total > 0)
        text_ = ByteBlock(total);
    const char* from = other.text_.data();
    for (size_type i = 0; i < other.items_.size(); ++i) {
        if (i + kPrefetchAhead < other.items_.size())
            other.items_[i + kPrefetchAhead].Prefetch(from);
        const WordItem& item = other.items_[i];
        if (item.size() > 0)
            std::memcpy(text_.data() + textSize_, item.data(from), item.size());
        items_.push_back(item.At(textSize_));
        textSize_ += item.size();
    }
}

WordList& WordList::operator=(const WordList& other)
{
    if (this != &other) {
        WordList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void WordList::OutOfRange(const char* what)
{
    throw std::out_of_range(std::string(what) + ": position out of range");
}

void WordList::AddItem(std::string_view word)
{
    AddItems({&word, 1});
}

void WordList::RemoveItem(size_type pos)
{
    if (pos >= items_.size())
        OutOfRange("WordList::RemoveItem");
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(pos));
}

void WordList::Clear() noexcept
{
    items_.clear();
    items_.shrink_to_fit();
    text_ = ByteBlock();
    textSize_ = 0;
}

ByteBlock WordList::MakeRoom(std::size_t extra)
{
    if (extra > WordItem::kLargestText - textSize_)
        throw std::length_error("WordList: a text of 1 TiB or more");
    if (text_.size() - textSize_ >= extra)
        return {};
    ByteBlock grown(std::max(textSize_ + extra, 2 * text_.size()));
    if (textSize_ > 0)
        std::memcpy(grown.data(), text_.data(), textSize_);
    std::swap(grown, text_);
    return grown;
}

void WordList::AddItems(std::span<const std::string_view> words)
{
    std::size_t total = 0;
    // Every word is checked, and every allocation made, before anything changes.
    for (std::string_view word : words) {
        CheckLength(word);
        total += word.size();
    }
    const auto old = items_.size();
    if (items_.capacity() - old < words.size())
        items_.reserve(std::max(old + words.size(), 2 * items_.capacity()));
    // The words may be views into the text that this replaces.
    const ByteBlock replaced = MakeRoom(total);
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (k + kPrefetchAhead < words.size())
            WordItem::PrefetchWord(words[k + kPrefetchAhead]);
        const std::string_view word = words[k];
        if (!word.empty())
            std::memcpy(text_.data() + textSize_, word.data(), word.size());
        items_.push_back(WordItem::Make(word, textSize_));
        textSize_ += word.size();
    }
    SortFrom(old);
}

void WordList::AdoptItems(ByteBlock&& text, std::size_t textSize, ItemTable&& items)
{
    const auto old = items_.size();
    if (old == 0) {
        text_ = std::move(text);
        textSize_ = textSize;
        items_ = std::move(items);
    } else {
        items_.reserve(old + items.size());
        MakeRoom(textSize);
        if (textSize > 0)
            std::memcpy(text_.data() + textSize_, text.data(), textSize);
        for (const WordItem& item : items)
            items_.push_back(item.At(textSize_ + item.offset()));
        textSize_ += textSize;
        text = ByteBlock();
    }
    items.clear();
    SortFrom(old);
}

void WordList::SortFrom(size_type old)
{
    if (!sorted_ || items_.size() == old)
        return;
    WordItem* first = items_.data();
    WordItem* middle = first + old;
    WordItem* last = first + items_.size();
    const WordItem::Less less{text_.data()};
    if (!std::is_sorted(middle, last, less))
        SortWordItems(middle, last, text_.data(), PassThreads());
    if (old > 0 && less(*middle, *(middle - 1)))
        std::inplace_merge(first, middle, last, less);
}

void WordList::RemoveItems(std::span<const size_type> positions)
{
    for (size_type k = 0; k < positions.size(); ++k) {
        if (positions[k] >= items_.size() || (k > 0 && positions[k] <= positions[k - 1]))
            throw std::out_of_range("WordList::RemoveItems: positions out of range or not ascending");
    }
    if (positions.empty())
        return;
    size_type out = positions[0];
    size_type next = 0;
    for (size_type in = positions[0]; in < items_.size(); ++in) {
        if (next < positions.size() && positions[next] == in) {
            ++next;
            continue;
        }
        items_[out++] = items_[in];
    }
    items_.resize(out);
}

bool operator==(const WordList& a, const WordList& b) noexcept
{
    if (a.items_.size() != b.items_.size())
        return false;
    for (std::size_t i = 0; i < a.items_.size(); ++i) {
        if (a.items_[i].view(a.text_.data()) != b.items_[i].view(b.text_.data()))
            return false;
    }
    return true;
}

} // namespace lexor

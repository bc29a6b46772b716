#include "dictionary/WordList.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <thread>

#include "dictionary/Collation.h"
#include "dictionary/WordListSort.h"

namespace lexor {
namespace {

using Item = WordList::Item;

// A function object rather than a function, so the sort inlines it.
struct ItemLessFn {
    bool operator()(const Item& a, const Item& b) const noexcept
    {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return Collate(a.view(), b.view()) < 0;
    }
};
constexpr ItemLessFn ItemLess{};

void CheckLength(std::string_view word)
{
    if (word.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("WordList: a word of 4 GiB or more");
}

unsigned SortThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : std::min(cores, 8u);
}

} // namespace

WordList::WordList(bool sorted) : sorted_(sorted)
{
}

WordList::WordList(const WordList& other) : sorted_(other.sorted_)
{
    std::size_t total = 0;
    for (const Item& item : other.items_)
        total += item.size;
    items_.reserve(other.items_.size());
    if (total > 0)
        blocks_.emplace_back(total);
    char* out = blocks_.empty() ? nullptr : blocks_.back().data();
    for (const Item& item : other.items_) {
        if (item.size > 0)
            std::memcpy(out, item.data, item.size);
        items_.push_back(Item{out, item.size, item.prefix});
        out += item.size;
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

WordList::Item WordList::MakeItem(std::string_view word)
{
    CheckLength(word);
    return Item{word.data(), static_cast<std::uint32_t>(word.size()), CollationPrefix(word)};
}

std::string_view WordList::List(size_type pos) const
{
    if (pos >= items_.size())
        throw std::out_of_range("WordList::List: position out of range");
    return items_[pos].view();
}

void WordList::AddItem(std::string_view word)
{
    AddItems({&word, 1});
}

void WordList::RemoveItem(size_type pos)
{
    if (pos >= items_.size())
        throw std::out_of_range("WordList::RemoveItem: position out of range");
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(pos));
}

void WordList::Clear() noexcept
{
    items_.clear();
    items_.shrink_to_fit();
    blocks_.clear();
}

void WordList::AddItems(std::span<const std::string_view> words)
{
    std::size_t total = 0;
    // Every word is checked before anything changes.
    for (std::string_view word : words) {
        CheckLength(word);
        total += word.size();
    }
    const auto old = items_.size();
    // Geometric growth, so that one AddItem after another stays linear.
    if (items_.capacity() - old < words.size())
        items_.reserve(std::max(old + words.size(), 2 * items_.capacity()));
    // Copied into one new block first: the words may be views into this list.
    char* out = nullptr;
    if (total > 0) {
        ByteBlock block(total);
        out = block.data();
        blocks_.push_back(std::move(block));
    }
    for (std::string_view word : words) {
        if (!word.empty())
            std::memcpy(out, word.data(), word.size());
        items_.push_back(MakeItem({word.empty() ? nullptr : out, word.size()}));
        out += word.size();
    }
    SortFrom(old);
}

void WordList::AdoptItems(std::vector<ByteBlock>&& blocks, ItemTable&& items)
{
    for (ByteBlock& block : blocks)
        blocks_.push_back(std::move(block));
    blocks.clear();
    const auto old = items_.size();
    if (old == 0)
        items_ = std::move(items);
    else
        items_.insert(items_.end(), items.begin(), items.end());
    items.clear();
    SortFrom(old);
}

void WordList::SortFrom(size_type old)
{
    if (!sorted_ || items_.size() == old)
        return;
    Item* first = items_.data();
    Item* middle = first + old;
    Item* last = first + items_.size();
    if (!std::is_sorted(middle, last, ItemLess))
        SortWordItems(middle, last, SortThreads());
    if (old > 0 && ItemLess(*middle, *(middle - 1)))
        std::inplace_merge(first, middle, last, ItemLess);
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
        if (a.items_[i].view() != b.items_[i].view())
            return false;
    }
    return true;
}

} // namespace lexor

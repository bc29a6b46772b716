#include "dictionary/WordList.h"

#include <algorithm>
#include <stdexcept>

#include "dictionary/Collation.h"

namespace lexor {

WordList::WordList(bool sorted) : sorted_(sorted) {}

std::string_view WordList::List(size_type pos) const
{
    if (pos >= items_.size())
        throw std::out_of_range("WordList::List: position out of range");
    return items_[pos];
}

void WordList::AddItem(std::string_view word)
{
    if (!sorted_) {
        items_.emplace_back(word);
        return;
    }
    auto at = std::upper_bound(items_.begin(), items_.end(), word,
                               [](std::string_view w, const std::string& item) { return CollateLess(w, item); });
    items_.emplace(at, word);
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
}

void WordList::AddItems(std::span<const std::string_view> words)
{
    const auto old = items_.size();
    items_.insert(items_.end(), words.begin(), words.end());
    if (!sorted_)
        return;
    auto less = [](const std::string& a, const std::string& b) { return CollateLess(a, b); };
    std::stable_sort(items_.begin() + static_cast<std::ptrdiff_t>(old), items_.end(), less);
    std::inplace_merge(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(old), items_.end(), less);
}

void WordList::RemoveItems(std::span<const size_type> positions)
{
    for (size_type k = 0; k < positions.size(); ++k) {
        if (positions[k] >= items_.size() || (k > 0 && positions[k] <= positions[k - 1]))
            throw std::out_of_range("WordList::RemoveItems: positions out of range or not ascending");
    }
    size_type out = 0;
    size_type next = 0;
    for (size_type in = 0; in < items_.size(); ++in) {
        if (next < positions.size() && positions[next] == in) {
            ++next;
            continue;
        }
        if (out != in)
            items_[out] = std::move(items_[in]);
        ++out;
    }
    items_.resize(out);
}

} // namespace lexor

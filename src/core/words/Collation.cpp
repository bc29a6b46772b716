#include "words/Collation.h"

namespace lexor {

int Collate(std::string_view a, std::string_view b) noexcept
{
    const auto n = a.size() < b.size() ? a.size() : b.size();
    int tie = 0; // the first exact byte difference, should the primary weights agree
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca == cb)
            continue;
        const auto pa = kCollationPrimary[ca];
        const auto pb = kCollationPrimary[cb];
        if (pa != pb)
            return pa < pb ? -1 : 1;
        if (tie == 0)
            tie = ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return tie;
}

} // namespace lexor

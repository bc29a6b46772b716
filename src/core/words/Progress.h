#pragma once

#include <cstdint>
#include <functional>

namespace lexor {

// How a long run of the core tells its window how far it has got: the whole
// percentage of its work done so far, 0 to 100, rising.
using Progress = std::function<void(int percent)>;

// floor(done * 100 / total) in 64 bits, so no list size of this world
// overflows it; 100 when total is 0.
constexpr int ProgressPercent(std::uint64_t done, std::uint64_t total) noexcept
{
    return total == 0 ? 100 : static_cast<int>(done * 100 / total);
}

} // namespace lexor

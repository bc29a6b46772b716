// Platform spot for Linux: big blocks are aligned to 2 MiB and advised for
// transparent huge pages, which spares the loading of a large list most of
// its page faults; smaller ones come from the ordinary heap.
#include <sys/mman.h>

#include <cstdlib>
#include <limits>
#include <new>

#include "words/LargeMemory.h"

namespace lexor {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeThreshold = std::size_t{4} << 20;

} // namespace

void* AllocateLarge(std::size_t bytes)
{
    if (bytes < kLargeThreshold)
        return ::operator new(bytes == 0 ? 1 : bytes);
    // Rounding up would wrap round to a tiny block.
    if (bytes > std::numeric_limits<std::size_t>::max() - kHugePage)
        throw std::bad_alloc();
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block == nullptr)
        throw std::bad_alloc();
    ::madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

void FreeLarge(void* block, std::size_t bytes) noexcept
{
    if (block == nullptr)
        return;
    if (bytes < kLargeThreshold)
        ::operator delete(block);
    else
        std::free(block);
}

} // namespace lexor

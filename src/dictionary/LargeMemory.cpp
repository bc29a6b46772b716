// Platform spot: the only memory call that differs between systems (the
// others are the file replacement and the program's folder, a source file
// per system each). On Linux, big blocks are aligned to 2 MiB and advised for
// transparent huge pages; elsewhere they come from the ordinary heap.
#include "dictionary/LargeMemory.h"

#include <cstdlib>
#include <limits>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace lexor {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeThreshold = std::size_t{4} << 20;

bool UsesHugePages(std::size_t bytes)
{
#if defined(__linux__)
    return bytes >= kLargeThreshold;
#else
    (void)bytes;
    return false;
#endif
}

} // namespace

void* AllocateLarge(std::size_t bytes)
{
    if (bytes == 0)
        bytes = 1;
    if (!UsesHugePages(bytes))
        return ::operator new(bytes);
#if defined(__linux__)
    // Rounding up would wrap round to a tiny block.
    if (bytes > std::numeric_limits<std::size_t>::max() - kHugePage)
        throw std::bad_alloc();
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block == nullptr)
        throw std::bad_alloc();
    madvise(block, rounded, MADV_HUGEPAGE);
    return block;
#else
    return ::operator new(bytes);
#endif
}

void FreeLarge(void* block, std::size_t bytes) noexcept
{
    if (block == nullptr)
        return;
    if (bytes == 0)
        bytes = 1;
    if (!UsesHugePages(bytes)) {
        ::operator delete(block);
        return;
    }
    std::free(block);
}

} // namespace lexor

// Platform spot for systems without a better way for big blocks than the
// ordinary heap (Windows among them).
#include <new>

#include "words/LargeMemory.h"

namespace lexor {

void* AllocateLarge(std::size_t bytes)
{
    return ::operator new(bytes == 0 ? 1 : bytes);
}

void FreeLarge(void* block, std::size_t) noexcept
{
    ::operator delete(block);
}

} // namespace lexor

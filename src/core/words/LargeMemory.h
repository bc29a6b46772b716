#pragma once

#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

namespace lexor {

// Memory for the big arrays of a dictionary (its bytes, its item table).
// Touching fresh memory page by page is what a large list spends most of its
// loading time on; where the system offers larger pages for big blocks, they
// are asked for here. Blocks below a few MiB come from the ordinary heap.
// The platform spot: LargeMemoryLinux.cpp, LargeMemoryHeap.cpp elsewhere.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* block, std::size_t bytes) noexcept;

template <class T> struct LargeAllocator {
    using value_type = T;

    LargeAllocator() noexcept = default;
    template <class U> LargeAllocator(const LargeAllocator<U>&) noexcept {}

    T* allocate(std::size_t n)
    {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { FreeLarge(p, n * sizeof(T)); }

    // A table sized ahead of the passes that fill it is left uninitialised
    // rather than zeroed, which would write all of it once more.
    template <class U> void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U> friend bool operator==(const LargeAllocator&, const LargeAllocator<U>&) noexcept { return true; }
};

// One owned block of bytes from AllocateLarge.
class ByteBlock {
public:
    ByteBlock() noexcept = default;
    explicit ByteBlock(std::size_t size) : data_(static_cast<char*>(AllocateLarge(size))), size_(size) {}
    ByteBlock(ByteBlock&& other) noexcept : data_(other.data_), size_(other.size_)
    {
        other.data_ = nullptr;
        other.size_ = 0;
    }
    ByteBlock& operator=(ByteBlock&& other) noexcept
    {
        if (this != &other) {
            FreeLarge(data_, size_);
            data_ = other.data_;
            size_ = other.size_;
            other.data_ = nullptr;
            other.size_ = 0;
        }
        return *this;
    }
    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;
    ~ByteBlock() { FreeLarge(data_, size_); }

    char* data() const noexcept { return data_; }
    std::size_t size() const noexcept { return size_; }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace lexor

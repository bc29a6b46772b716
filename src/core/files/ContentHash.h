#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>

namespace lexor {

// A 64-bit digest of a file's bytes, to tell whether a file still holds what
// was read from it: not for defence against tampering, only against edits
// and copies that a size and a time miss. The bytes are taken in chunks of
// kChunk, each digested on its own, so a large text is digested in parts on
// the processor's cores and a stream a chunk at a time, alike.
struct ContentHash {
    static constexpr std::size_t kChunk = std::size_t{1} << 20;

    static std::uint64_t Of(const char* data, std::size_t size);

    // The digest of all a stream holds from where it stands, or nothing when
    // it cannot be read to its end.
    static std::optional<std::uint64_t> Of(std::istream& in);

    // The same digest taken as the bytes go by, a chunk at a time: every
    // chunk added but the last holds exactly kChunk bytes.
    class Running {
    public:
        Running();
        void Add(const char* chunk, std::size_t size);
        std::uint64_t Digest() const;

    private:
        std::uint64_t folded_;
        std::uint64_t size_ = 0;
    };
};

} // namespace lexor

#include "files/ContentHash.h"

#include <cstring>
#include <vector>

#include "words/Parallel.h"

namespace lexor {
namespace {

// Four lanes of eight bytes, each a multiply-and-rotate round, so the
// processor runs them side by side; the lanes and the length are folded at
// the end. The constants are odd 64-bit numbers with well-mixed bits.
constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87u;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Fu;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9u;

constexpr std::uint64_t Rotl(std::uint64_t x, int bits)
{
    return x << bits | x >> (64 - bits);
}

constexpr std::uint64_t Round(std::uint64_t lane, std::uint64_t input)
{
    return Rotl(lane + input * kPrime2, 31) * kPrime1;
}

constexpr std::uint64_t Avalanche(std::uint64_t h)
{
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    h ^= h >> 32;
    return h;
}

std::uint64_t Load(const char* p)
{
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

std::uint64_t ChunkDigest(const char* p, std::size_t size)
{
    std::uint64_t lanes[4] = {kPrime1 + kPrime2, kPrime2, 0, kPrime3};
    const char* end = p + size;
    for (; end - p >= 32; p += 32) {
        for (int k = 0; k < 4; ++k)
            lanes[k] = Round(lanes[k], Load(p + 8 * k));
    }
    std::uint64_t h = Rotl(lanes[0], 1) + Rotl(lanes[1], 7) + Rotl(lanes[2], 12) + Rotl(lanes[3], 18);
    for (; end - p >= 8; p += 8)
        h = Round(h, Load(p));
    for (; p < end; ++p)
        h = Round(h, static_cast<unsigned char>(*p));
    return Avalanche(h ^ size);
}

} // namespace

std::uint64_t ContentHash::Of(const char* data, std::size_t size)
{
    const std::size_t chunks = (size + kChunk - 1) / kChunk;
    std::vector<std::uint64_t> digests(chunks);
    const unsigned parts = chunks < 2 ? 1 : std::min<unsigned>(PassThreads(), static_cast<unsigned>(chunks));
    ForEachPart(chunks, parts, [&](unsigned, std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i)
            digests[i] = ChunkDigest(data + i * kChunk, std::min(kChunk, size - i * kChunk));
    });
    // The chunks' digests folded in order, with the whole length, as Running does.
    std::uint64_t folded = kPrime3;
    for (const std::uint64_t digest : digests)
        folded = Avalanche(Round(folded, digest));
    return Avalanche(folded ^ size * kPrime1);
}

std::optional<std::uint64_t> ContentHash::Of(std::istream& in)
{
    std::vector<char> chunk(kChunk);
    Running running;
    for (;;) {
        in.read(chunk.data(), static_cast<std::streamsize>(kChunk));
        const auto got = static_cast<std::size_t>(in.gcount());
        running.Add(chunk.data(), got);
        if (in.bad())
            return std::nullopt;
        if (got < kChunk)
            return running.Digest();
    }
}

ContentHash::Running::Running() : folded_(kPrime3)
{
}

void ContentHash::Running::Add(const char* chunk, std::size_t size)
{
    if (size == 0)
        return;
    folded_ = Avalanche(Round(folded_, ChunkDigest(chunk, size)));
    size_ += size;
}

std::uint64_t ContentHash::Running::Digest() const
{
    return Avalanche(folded_ ^ size_ * kPrime1);
}

} // namespace lexor

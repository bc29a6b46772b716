#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dictionary/Collation.h"

namespace lexor {

// One entry of a word list's table: where the word lies in the list's text
// (an offset, so the text may move), its length, and the primary weights of
// its first four bytes (CollationPrefix), for quick ordering. Twelve bytes:
// at ten million words the table is the larger half of a list's memory.
struct WordItem {
    // A word is shorter than 16 MiB; a list's text is smaller than 1 TiB.
    static constexpr std::size_t kLongestWord = (std::size_t{1} << 24) - 1;
    static constexpr std::uint64_t kLargestText = std::uint64_t{1} << 40;

    std::uint32_t prefix;
    std::uint32_t offsetLow;
    std::uint32_t sizeAndOffsetHigh; // the size above the offset's top eight bits

    // The entry for word, which lies at offset in its list's text. The caller
    // keeps to kLongestWord and kLargestText.
    static WordItem Make(std::string_view word, std::uint64_t offset) noexcept
    {
        return {CollationPrefix(word), static_cast<std::uint32_t>(offset),
                static_cast<std::uint32_t>(word.size() << 8 | offset >> 32)};
    }

    // The same word's entry once its bytes lie at offset instead.
    WordItem At(std::uint64_t offset) const noexcept
    {
        return {prefix, static_cast<std::uint32_t>(offset), size() << 8 | static_cast<std::uint32_t>(offset >> 32)};
    }

    std::uint64_t offset() const noexcept
    {
        return offsetLow | static_cast<std::uint64_t>(sizeAndOffsetHigh & 0xFF) << 32;
    }
    std::uint32_t size() const noexcept { return sizeAndOffsetHigh >> 8; }
    const char* data(const char* text) const noexcept { return text + offset(); }
    std::string_view view(const char* text) const noexcept { return {data(text), size()}; }

    // A hint that the word's bytes from skip on are about to be read. The
    // words of a list loaded from an unordered file lie in file order, so a
    // pass in list order reads them at random; asking some items ahead hides
    // most of the memory latency. Always inlined: GCC takes a function that
    // does nothing but prefetch for one without effect and drops the calls.
    [[gnu::always_inline]] void Prefetch(const char* text, std::size_t skip = 0) const noexcept
    {
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(data(text) + skip);
#else
        (void)text;
        (void)skip;
#endif
    }

    // Collation order of the items' words, the prefix first. A function
    // object rather than a function, so the sorts inline it.
    struct Less {
        const char* text;
        bool operator()(const WordItem& a, const WordItem& b) const noexcept
        {
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix;
            return Collate(a.view(text), b.view(text)) < 0;
        }
    };
};

} // namespace lexor

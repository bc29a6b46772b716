#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "words/Collation.h"

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

    // A hint that the word's bytes from skip on are about to be read (see
    // PrefetchWord).
    [[gnu::always_inline]] void Prefetch(const char* text, std::size_t skip = 0) const noexcept
    {
        PrefetchWord(view(text).substr(std::min<std::size_t>(skip, size())));
    }

    // A hint that word's bytes are about to be read. The words of a list
    // loaded from an unordered file lie in file order, so a pass in list
    // order reads them at random; asking some items ahead hides most of the
    // memory latency. A word that runs into the next cache line needs both.
    // Always inlined: GCC takes a function that does nothing but prefetch for
    // one without effect and drops the calls.
    [[gnu::always_inline]] static void PrefetchWord(std::string_view word) noexcept
    {
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(word.data());
        if (word.size() > 1)
            __builtin_prefetch(word.data() + word.size() - 1);
#else
        (void)word;
#endif
    }

    // Whether the two items' words are the same bytes. Words that differ in
    // length or in their first four primary weights are told apart without
    // being read; the others are read word by word, never beyond their ends
    // (memcmp's wide loads would touch, and wait for, the cache line after a
    // word as well).
    bool Same(const char* text, const WordItem& other, const char* otherText) const noexcept
    {
        if (prefix != other.prefix || size() != other.size())
            return false;
        const char* a = data(text);
        const char* b = other.data(otherText);
        const std::size_t n = size();
        if (n >= 8) {
            for (std::size_t k = 0; k + 8 <= n; k += 8) {
                if (Load<std::uint64_t>(a + k) != Load<std::uint64_t>(b + k))
                    return false;
            }
            return Load<std::uint64_t>(a + n - 8) == Load<std::uint64_t>(b + n - 8);
        }
        if (n >= 4)
            return Load<std::uint32_t>(a) == Load<std::uint32_t>(b) &&
                   Load<std::uint32_t>(a + n - 4) == Load<std::uint32_t>(b + n - 4);
        for (std::size_t k = 0; k < n; ++k) {
            if (a[k] != b[k])
                return false;
        }
        return true;
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

private:
    template <class Word> static Word Load(const char* at) noexcept
    {
        Word word;
        std::memcpy(&word, at, sizeof word);
        return word;
    }
};

} // namespace lexor

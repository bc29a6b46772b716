#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace lexor {

// The alphabetical order of sorted word lists, over Windows-1252 bytes.
// Words compare first ignoring letter case and accents (a, à, á, A, À ... all
// rank as a), digits and punctuation by their code; ties are broken by the
// exact bytes, so two words rank level only when they are identical and
// repeats always stand together. Independent of any locale.
// Returns <0, 0 or >0.
int Collate(std::string_view a, std::string_view b) noexcept;

namespace detail {

// Primary weight of each Windows-1252 byte: letters fold to their plain
// lower-case form, everything else keeps its code.
constexpr std::array<std::uint8_t, 256> MakePrimary()
{
    std::array<std::uint8_t, 256> w{};
    for (int c = 0; c < 256; ++c)
        w[c] = static_cast<std::uint8_t>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        w[c] = static_cast<std::uint8_t>(c - 'A' + 'a');
    auto fold = [&w](std::initializer_list<int> codes, char base) {
        for (int c : codes)
            w[c] = static_cast<std::uint8_t>(base);
    };
    fold({0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5}, 'a');
    fold({0xC7, 0xE7}, 'c');
    fold({0xC8, 0xC9, 0xCA, 0xCB, 0xE8, 0xE9, 0xEA, 0xEB}, 'e');
    fold({0xCC, 0xCD, 0xCE, 0xCF, 0xEC, 0xED, 0xEE, 0xEF}, 'i');
    fold({0xD1, 0xF1}, 'n');
    fold({0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD8, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF8}, 'o');
    fold({0xD9, 0xDA, 0xDB, 0xDC, 0xF9, 0xFA, 0xFB, 0xFC}, 'u');
    fold({0xDD, 0xFD, 0xFF, 0x9F}, 'y');
    fold({0x8A, 0x9A}, 's');
    fold({0x8E, 0x9E}, 'z');
    return w;
}

} // namespace detail

inline constexpr std::array<std::uint8_t, 256> kCollationPrimary = detail::MakePrimary();

// The primary weights of the first four bytes (0 past the end), packed so
// that where two prefixes differ as integers the words compare the same way
// under Collate. Inline: the sort computes it for every word, often more
// than once.
inline std::uint32_t CollationPrefix(std::string_view word) noexcept
{
    const auto weight = [word](std::size_t i) -> std::uint32_t {
        return i < word.size() ? kCollationPrimary[static_cast<unsigned char>(word[i])] : 0;
    };
    return weight(0) << 24 | weight(1) << 16 | weight(2) << 8 | weight(3);
}

} // namespace lexor

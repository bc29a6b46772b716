#include "dictionary/Collation.h"

#include <array>

namespace lexor {
namespace {

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

constexpr auto kPrimary = MakePrimary();

} // namespace

int Collate(std::string_view a, std::string_view b) noexcept
{
    const auto n = a.size() < b.size() ? a.size() : b.size();
    int tie = 0; // the first exact byte difference, should the primary weights agree
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca == cb)
            continue;
        const auto pa = kPrimary[ca];
        const auto pb = kPrimary[cb];
        if (pa != pb)
            return pa < pb ? -1 : 1;
        if (tie == 0)
            tie = ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return tie;
}

std::uint32_t CollationPrefix(std::string_view word) noexcept
{
    std::uint32_t prefix = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t weight = i < word.size() ? kPrimary[static_cast<unsigned char>(word[i])] : 0;
        prefix = (prefix << 8) | weight;
    }
    return prefix;
}

} // namespace lexor

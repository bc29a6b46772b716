#include "dictionary/Collation.h"

#include <array>
#include <cstdint>

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
    for (std::size_t i = 0; i < n; ++i) {
        const auto pa = kPrimary[static_cast<unsigned char>(a[i])];
        const auto pb = kPrimary[static_cast<unsigned char>(b[i])];
        if (pa != pb)
            return pa < pb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

} // namespace lexor

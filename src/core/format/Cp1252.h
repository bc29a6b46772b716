#pragma once

#include <string>
#include <string_view>

namespace lexor {

// Decoding of the game's code page for display. The five bytes Windows-1252
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of
// the same value, so every byte has a character and nothing is lost.
std::u16string Cp1252ToUtf16(std::string_view bytes);

// The byte that stands for character c in the game's code page, the exact
// reverse of the decoding above, or -1 when the code page has none for it.
int Cp1252Byte(char32_t c) noexcept;

} // namespace lexor

#pragma once

#include <string>
#include <string_view>

namespace lexor {

// Decoding of the game's code page for display. The five bytes Windows-1252
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of
// the same value, so every byte has a character and nothing is lost.
std::u16string Cp1252ToUtf16(std::string_view bytes);

} // namespace lexor

#pragma once

#include <cstdint>
#include <string_view>

namespace lexor {

// The alphabetical order of sorted word lists, over Windows-1252 bytes.
// Words compare first ignoring letter case and accents (a, à, á, A, À ... all
// rank as a), digits and punctuation by their code; ties are broken by the
// exact bytes, so two words rank level only when they are identical and
// repeats always stand together. Independent of any locale.
// Returns <0, 0 or >0.
int Collate(std::string_view a, std::string_view b) noexcept;

inline bool CollateLess(std::string_view a, std::string_view b) noexcept
{
    return Collate(a, b) < 0;
}

// The primary weights of the first four bytes, packed so that where two
// prefixes differ as integers the words compare the same way under Collate.
std::uint32_t CollationPrefix(std::string_view word) noexcept;

} // namespace lexor

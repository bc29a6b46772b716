#pragma once

#include <filesystem>
#include <string_view>

namespace lexor {

// The checks by which "Attiva Dizionario" decides whether to install a file.

// True when line is the dictionary header in any letter case: the whole line
// takes part, so a blank before or after it makes it differ. Only ASCII
// letters are folded, which is all the header holds.
bool IsHeaderIgnoringCase(std::string_view line);

// True when chosen and active name the same file, so installing would copy a
// file onto itself. When both exist the file system decides (another letter
// case on a case-insensitive system, relative parts, links, other mappings
// of the folder); on a case-sensitive system a name that differs only in case
// is another file. When the file system cannot tell, the names are compared
// without regard to letter case, so a doubtful case copies nothing.
bool IsSameFile(const std::filesystem::path& chosen, const std::filesystem::path& active);

} // namespace lexor

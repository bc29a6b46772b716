#pragma once

#include <filesystem>
#include <system_error>

namespace lexor {

// What installing a dictionary as the game's active one came to.
struct ActivationResult {
    enum class Outcome {
        Installed,      // the active dictionary is now a copy of the chosen file
        NotADictionary, // the first line is not the header, in any letter case
        EmptyFile,      // the chosen file is empty: it has no first line at all
        SameFile,       // the chosen file is the active dictionary itself
        CouldNotRead,   // the chosen file could not be opened or read
        CouldNotCopy,   // the copy failed; the old active dictionary is whole
        HeldOpen,       // another program (the running game) holds the active dictionary
    };
    Outcome outcome = Outcome::Installed;
    std::error_code error; // what failed, for the last three
};

// "Attiva Dizionario" once the user has chosen a file: checks the chosen
// file's first line against the header without regard to letter case (the
// whole line takes part, so a blank before or after it makes it differ) and
// copies the file byte for byte over active, unless both name the same file.
// Whether they do is the file system's word where both exist (another letter
// case on a case-insensitive system, relative parts, links, other mappings of
// the folder); on a case-sensitive system a name that differs only in case is
// another file; where the file system cannot tell, the names are compared
// without regard to letter case, so a doubtful case copies nothing. The copy
// replaces active whole or not at all.
ActivationResult ActivateDictionary(const std::filesystem::path& chosen, const std::filesystem::path& active);

} // namespace lexor

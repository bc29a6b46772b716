#pragma once

#include <filesystem>
#include <system_error>

#include "files/FileReplace.h"
#include "format/DictionaryReader.h"

namespace lexor {

// What installing a dictionary as the game's active one came to.
struct ActivationResult {
    enum class Outcome {
        Installed,    // the active dictionary is now a byte-for-byte copy of the chosen file
        Converted,    // installed in the game's form: the same words in the same order, the true count
        Refused,      // the chosen file is no dictionary the game can take (read says why)
        SameFile,     // the chosen file is the active dictionary itself
        CouldNotRead, // the chosen file could not be opened or read
        Changed,      // the chosen file changed while it was installed: nothing was
        CouldNotCopy, // the copy failed; the old active dictionary is whole
        HeldOpen,     // another program (the running game) holds the active dictionary
    };
    Outcome outcome = Outcome::Installed;
    std::error_code error; // what failed, for CouldNotRead, CouldNotCopy and HeldOpen
    ReadResult read;       // what reading the chosen file found (its bytes not kept)
    WriteResult written{}; // what replacing the active dictionary came to, once tried
};

// "Attiva Dizionario" once the user has chosen a file. The game reads its
// active dictionary in its own form (see FileForm): the chosen file is read
// whole, as the loaders read it but with the header in any letter case, and
// one in the game's form is installed byte for byte; one in another form
// (an editor's encoding or line ends, a missing or wrong count) is installed
// in the game's form, its words in the file's order. A file the game's code
// page cannot hold, or that is no dictionary, is refused. What is installed
// is what was read: a file that changed since (another file in its place,
// or other bytes) is not installed, checked across the copy of a file in the
// game's form.
// Nothing happens when chosen and active name the same file: the file
// system's word where both exist (another letter case on a case-insensitive
// system, relative parts, links, other mappings of the folder); on a
// case-sensitive system a name that differs only in case is another file;
// where the file system cannot tell, the names are compared without regard
// to letter case, so a doubtful case copies nothing. The active dictionary
// is replaced whole or not at all, keeping the one it replaces as options
// say.
ActivationResult ActivateDictionary(const std::filesystem::path& chosen, const std::filesystem::path& active,
                                    const ReplaceOptions& options = {});

} // namespace lexor

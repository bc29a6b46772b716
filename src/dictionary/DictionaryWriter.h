#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "dictionary/WordList.h"

namespace lexor {

struct WriteResult {
    bool ok = false;
    std::string error; // the system's reason when !ok
    // Another program holds the target open and will not let it be replaced;
    // the old file is whole and a later try may succeed.
    bool sharingViolation = false;
    explicit operator bool() const noexcept { return ok; }
};

// Header, count, words in list order; every line ends in CR LF, nothing after.
void WriteDictionary(std::ostream& out, const WordList& words);

// Replaces path atomically (see FileReplace.h): on failure the old file is
// left as it was.
WriteResult SaveDictionary(const std::filesystem::path& path, const WordList& words);

} // namespace lexor

#pragma once

#include <filesystem>
#include <ostream>

#include "files/FileReplace.h"
#include "words/WordList.h"

namespace lexor {

// Header, count, words in list order; every line ends in CR LF, nothing after.
void WriteDictionary(std::ostream& out, const WordList& words);

// Replaces path atomically (see FileReplace.h): on failure the old file is
// left as it was.
WriteResult SaveDictionary(const std::filesystem::path& path, const WordList& words,
                           const ReplaceOptions& options = {});

} // namespace lexor

#pragma once

#include <filesystem>

#include "files/FileReplace.h"
#include "words/WordList.h"

namespace lexor {

// Writes header, count and the words in list order, every line ended by
// CR LF and nothing after, replacing path atomically (see FileReplace.h): on
// failure the old file is left as it was.
WriteResult SaveDictionary(const std::filesystem::path& path, const WordList& words,
                           const ReplaceOptions& options = {});

} // namespace lexor

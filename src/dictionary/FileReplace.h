#pragma once

#include <filesystem>
#include <string_view>

#include "dictionary/DictionaryWriter.h"

namespace lexor {

// The platform spot: the only place that talks to the operating system's
// file calls. A file is replaced by writing a temporary file beside it,
// flushing it to disk and renaming it over the target, so a failure at any
// point leaves the old file whole.

// Replaces target with exactly these bytes.
WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// Replaces target with a byte-for-byte copy of source.
WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace lexor

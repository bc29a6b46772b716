#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

#include "dictionary/FileError.h"

namespace lexor {

// The platform spot: the only place that talks to the operating system's
// file calls, one source file per system (FileReplacePosix.cpp,
// FileReplaceWindows.cpp). A file is replaced by writing a temporary file
// beside it, flushing it to disk and renaming it over the target, so a
// failure at any point leaves the old file whole.

struct WriteResult {
    bool ok = false;
    // What failed when !ok. FileErrc::HeldOpen: another program holds the
    // target open and will not let it be replaced; the old file is whole and
    // a later try may succeed.
    std::error_code error;
    explicit operator bool() const noexcept { return ok; }
};

// Replaces target with exactly these bytes.
WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes);

// Replaces target with a byte-for-byte copy of source.
WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace lexor

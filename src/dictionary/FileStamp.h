#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace lexor {

// What tells one state of a file from another without reading it: its size
// and the time it was last written. A save over a file that was loaded
// compares the stamp taken when it was opened with the one it has now, so
// words that another program added meanwhile are not overwritten unasked.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file's stamp now, or nothing when it cannot be had (no such file, or
// not a regular file).
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

} // namespace lexor

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace lexor {

// Which file a path names: its volume and its number there (device and
// inode, or Windows' volume serial number and file ID). A file put in
// another's place, by a save, a copy or a link, has another identity.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The platform spot (FileIdentityPosix.cpp, FileIdentityWindows.cpp): the
// identity of the file path names, links followed, or nothing when it
// cannot be had.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// What tells one state of a file from another: which file it is and what it
// holds. A save over a file that was loaded compares the stamp taken as it
// was read with the one it has now, so words that another program wrote
// meanwhile are not overwritten unasked, however the edit kept the file's
// size and time, and a file put in its place is not written into. The time
// takes no part: an edit may set it back, and coarse clocks (FAT keeps two
// seconds) miss an edit made within the same tick.
struct FileStamp {
    FileIdentity identity;
    std::uint64_t hash = 0; // ContentHash of the bytes, their number among them
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file's stamp now, reading it whole, or nothing when it cannot be had
// (no such file, not a regular file, or it cannot be read).
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

} // namespace lexor

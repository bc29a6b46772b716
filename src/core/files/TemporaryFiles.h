#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lexor {

// How many names a save tries for its temporary file: a name is taken only
// while it is free, so it runs out only when the folder is crowded with them.
constexpr int kTemporaryNameTries = 100;

// The temporary files a save writes beside its target are named
// "<target's name>.<process id>.<n>.tmp", so that a later save can tell the
// ones a dead process left for the same target. A name longer than file
// systems take (255 characters, or bytes where names are bytes), or one the
// folder refused as too long (shortForm), falls back to
// ".lexor.<process id>.<n>.tmp", which names no target and is never swept.
std::filesystem::path::string_type TemporaryName(const std::filesystem::path& target, unsigned long processId,
                                                 unsigned counter, bool shortForm);

struct LeftTemporary {
    std::filesystem::path path;
    unsigned long processId;
};

// The temporaries in target's folder named for target by another process
// than processId; errors reading the folder leave the list short.
std::vector<LeftTemporary> TemporariesFor(const std::filesystem::path& target, unsigned long processId);

} // namespace lexor

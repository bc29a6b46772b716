#pragma once

#include <filesystem>

namespace lexor {

// The folder that holds path. A bare name lies in the current folder, which
// has to be named "." to be opened or listed: an empty path names nothing.
inline std::filesystem::path FolderOf(const std::filesystem::path& path)
{
    std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

} // namespace lexor

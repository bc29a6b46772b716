#pragma once

#include <filesystem>

namespace lexor {

// The folder that holds the running program, as the file system names it
// (the game's folder, where its active dictionary lives), asked of the
// operating system for the executable's own path. Empty when the system
// cannot tell. A platform spot: one source file per system
// (ProgramFolderPosix.cpp, ProgramFolderWindows.cpp).
std::filesystem::path ProgramFolder();

} // namespace lexor

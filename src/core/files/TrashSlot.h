#pragma once

#include <filesystem>

namespace lexor {

// A place in the freedesktop.org trash for a file about to be replaced, on
// POSIX systems (TrashSlotPosix.cpp, for FileReplacePosix.cpp). Its
// .trashinfo, written first, holds the name; the caller then puts the old
// file at `file`, and takes the slot back should the replacement fail.
//
// The home trash ($XDG_DATA_HOME/Trash, by default ~/.local/share/Trash)
// takes the files of its own volume; a file on another volume goes to the
// trash at that volume's top, so that keeping it never copies it across
// volumes: the administrator's $top/.Trash/$uid where $top/.Trash is a real
// folder with the sticky bit, otherwise the user's own $top/.Trash-$uid.
struct TrashSlot {
    std::filesystem::path file;       // where the kept file goes: files/NAME
    std::filesystem::path info;       // info/NAME.trashinfo, written
    std::filesystem::path restoresTo; // the file's folder / NAME
};

// Reserves a slot for target, an existing file, under name or, where that
// name is taken in the trash or in target's folder, under name with " 2",
// " 3"... before its extension; the trash's folders are made where missing.
// Returns 0 or the error, with nothing left behind then.
int ReserveTrashSlot(const std::filesystem::path& target, const std::filesystem::path& name, TrashSlot& slot);

// Removes what the slot holds.
void TakeBackTrashSlot(const TrashSlot& slot);

// Whether a file at target could be kept in a trash, which exists or could be
// made there; nothing is made to find out.
bool TrashCanTake(const std::filesystem::path& target);

} // namespace lexor

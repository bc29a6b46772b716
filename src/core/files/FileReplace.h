#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

#include "files/FileError.h"
#include "files/FileStamp.h"

namespace lexor {

// The platform spot: the only place that talks to the operating system's
// file calls, one source file per system (FileReplacePosix.cpp,
// FileReplaceWindows.cpp, with TrashSlotPosix.cpp). A file is replaced by writing
// a temporary file beside it, flushing it to disk and renaming it over the
// target, so a failure at any point leaves the old file whole.

// How a replacement treats the file it replaces.
struct ReplaceOptions {
    // The name, without a folder, under which the replaced file is kept in
    // the system's trash (the Recycle Bin on Windows, the freedesktop.org
    // trash elsewhere), so that restoring it from there puts it back in the
    // target's folder under that name. A name already taken in that folder
    // (or, in the freedesktop.org trash, in the trash) is told apart by " 2",
    // " 3"... before its extension. Empty: the replaced file is not kept, as
    // for files that are made anew each time.
    std::filesystem::path keepReplacedAs;
};

struct WriteResult {
    // What became of the replaced file.
    enum class Kept {
        Nothing,      // there was none, or it was not to be kept (or, on a
                      // Windows drive without file links, the shell failed
                      // yet removed it)
        InTrash,      // in the system's trash; restoring it puts it at keptAs
        BesideTarget, // at keptAs: the Recycle Bin turned it away (Windows)
    };

    bool ok = false;
    // What failed when !ok. FileErrc::HeldOpen: another program holds the
    // target open and will not let it be replaced; the old file is whole and
    // a later try may succeed. FileErrc::NotKept: the old file could not be
    // kept as asked, so nothing was replaced; cause says why, and a try
    // without keeping it may succeed.
    std::error_code error;
    // With FileErrc::NotKept: the system's reason.
    std::error_code cause{};
    Kept kept = Kept::Nothing;
    // The kept file's path: in the target's folder (its real path on POSIX),
    // under the name it took. Empty with Kept::Nothing.
    std::filesystem::path keptAs{};
    explicit operator bool() const noexcept { return ok; }
};

// Replaces target with exactly these bytes.
WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                                const ReplaceOptions& options = {});

// Replaces target with a byte-for-byte copy of source. With asRead, the
// stamp of source as it was read before, the copy is put in target's place
// only if source, as copied, is still that file holding those bytes;
// otherwise FileErrc::SourceChanged, and target is left as it was.
WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                                const ReplaceOptions& options = {}, const FileStamp* asRead = nullptr);

// Whether a file replaced at target could be kept in the system's trash, for
// the question asked before the replacement: false where target's folder has
// no trash and none can be made (a removable or network drive on Windows, a
// volume without a usable trash elsewhere). Nothing is created to find out.
bool CanKeepReplacedFile(const std::filesystem::path& target);

} // namespace lexor

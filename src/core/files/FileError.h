#pragma once

#include <system_error>
#include <type_traits>

namespace lexor {

// What went wrong with a file, for failures the system has no code of its
// own for. System failures travel as the system's own std::error_code; the
// user interface words both kinds, so the core carries no message text.
enum class FileErrc {
    NotAFile = 1,         // a FIFO, a device or a socket where a file was expected
    WriteProtected,       // the file is read-only to the user, who may not replace it
    HeldOpen,             // another program holds the file open and will not let it go
    LineTooLong,          // a line longer than a word may be
    NotKept,              // the file to be replaced could not be kept in the trash
    FolderWriteProtected, // the folder may not be written into, whatever the file allows
    SourceChanged,        // the file copied changed while it was copied
};

const std::error_category& FileCategory() noexcept;
std::error_code make_error_code(FileErrc code) noexcept;

} // namespace lexor

template <> struct std::is_error_code_enum<lexor::FileErrc> : std::true_type {
};

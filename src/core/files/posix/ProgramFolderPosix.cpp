#include "files/ProgramFolder.h"

#include <system_error>

namespace lexor {

// Linux names the running executable in /proc; the link holds the path as
// bytes, whatever they are.
std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.is_absolute())
        return {};
    return program.parent_path();
}

} // namespace lexor

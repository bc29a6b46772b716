#include "files/ProgramFolder.h"

#include <string>

#include <windows.h>

namespace lexor {

// The module's file name, grown until the whole of it fits (a long path can
// exceed MAX_PATH).
std::filesystem::path ProgramFolder()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        if (name.size() >= 32768)
            return {};
        name.resize(name.size() * 2);
    }
    const std::filesystem::path program(name);
    return program.is_absolute() ? program.parent_path() : std::filesystem::path();
}

} // namespace lexor

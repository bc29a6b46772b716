#pragma once

#include <filesystem>
#include <string>

namespace lexor {

// The name for the number-th of several files that would all take name: the
// first takes it as it is, the others with " 2", " 3"... before the
// extension, as file managers tell such files apart.
inline std::filesystem::path NumberedName(const std::filesystem::path& name, int number)
{
    if (number <= 1)
        return name;
    std::string suffix(1, ' ');
    suffix += std::to_string(number);
    std::filesystem::path::string_type numbered = name.stem().native();
    numbered += std::filesystem::path(suffix).native();
    numbered += name.extension().native();
    return numbered;
}

} // namespace lexor

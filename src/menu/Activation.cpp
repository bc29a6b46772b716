#include "menu/Activation.h"

#include <algorithm>
#include <system_error>

#include "dictionary/DictionaryFormat.h"

namespace lexor {
namespace {

template <class Char> Char FoldAscii(Char c)
{
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

template <class Text> bool EqualIgnoringCase(const Text& a, const Text& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](auto x, auto y) { return FoldAscii(x) == FoldAscii(y); });
}

} // namespace

bool IsHeaderIgnoringCase(std::string_view line)
{
    return EqualIgnoringCase(line, kDictionaryHeader);
}

bool IsSameFile(const std::filesystem::path& chosen, const std::filesystem::path& active)
{
    if (chosen.native() == active.native())
        return true;
    std::error_code error;
    const bool activeExists = std::filesystem::exists(active, error);
    if (!error && !activeExists)
        return false;
    if (!error) {
        const bool same = std::filesystem::equivalent(chosen, active, error);
        if (!error)
            return same;
    }
    return EqualIgnoringCase(chosen.native(), active.native());
}

} // namespace lexor

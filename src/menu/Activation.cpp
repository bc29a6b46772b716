#include "menu/Activation.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "dictionary/DictionaryFormat.h"
#include "dictionary/DictionaryReader.h"
#include "dictionary/FileReplace.h"

namespace lexor {
namespace {

template <class Char> Char FoldAscii(Char c)
{
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

// Only ASCII letters are folded, which is all the header holds.
template <class Text> bool EqualIgnoringCase(const Text& a, const Text& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](auto x, auto y) { return FoldAscii(x) == FoldAscii(y); });
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

} // namespace

ActivationResult ActivateDictionary(const std::filesystem::path& chosen, const std::filesystem::path& active)
{
    using Outcome = ActivationResult::Outcome;
    const FirstLineResult first = ReadFirstLine(chosen);
    if (first.error)
        return {Outcome::CouldNotRead, first.error};
    if (!first.line)
        return {Outcome::EmptyFile, {}};
    if (!EqualIgnoringCase(std::string_view(*first.line), kDictionaryHeader))
        return {Outcome::NotADictionary, {}};
    if (IsSameFile(chosen, active))
        return {Outcome::SameFile, {}};
    const WriteResult copied = ReplaceFileWithCopy(chosen, active);
    if (!copied)
        return {copied.error == FileErrc::HeldOpen ? Outcome::HeldOpen : Outcome::CouldNotCopy, copied.error};
    return {Outcome::Installed, {}};
}

} // namespace lexor

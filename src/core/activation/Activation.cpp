#include "activation/Activation.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "format/DictionaryWriter.h"
#include "files/FileReplace.h"
#include "files/FileStamp.h"
#include "words/WordList.h"

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

ActivationResult ActivateDictionary(const std::filesystem::path& chosen, const std::filesystem::path& active,
                                    const ReplaceOptions& options)
{
    using Outcome = ActivationResult::Outcome;
    using Status = ReadResult::Status;
    ActivationResult result;
    // The words in the file's order, for a file to be installed in the game's form.
    WordList words(false);
    result.read = ReadDictionary(chosen, words, {.headerInAnyCase = true, .keepFileBytes = true});
    const std::string bytes = std::move(result.read.fileBytes);
    result.read.fileBytes.clear();
    switch (result.read.status) {
    case Status::ReadError:
        return {Outcome::CouldNotRead, result.read.error, std::move(result.read)};
    case Status::EmptyFile:
    case Status::NotText:
    case Status::BadHeader:
    case Status::Unmappable:
        return {Outcome::Refused, {}, std::move(result.read)};
    default:
        break;
    }
    if (IsSameFile(chosen, active))
        return {Outcome::SameFile, {}, std::move(result.read)};
    const bool asItIs = result.read.InGamesForm();
    // What is installed is what was read; the file must still hold it.
    if (StampOf(chosen) != result.read.stamp)
        return {Outcome::Changed, {}, std::move(result.read)};
    result.written = asItIs ? ReplaceFileContents(active, bytes, options) : SaveDictionary(active, words, options);
    if (!result.written) {
        result.outcome = result.written.error == FileErrc::HeldOpen ? Outcome::HeldOpen : Outcome::CouldNotCopy;
        result.error = result.written.error;
        return result;
    }
    result.outcome = asItIs ? Outcome::Installed : Outcome::Converted;
    return result;
}

} // namespace lexor

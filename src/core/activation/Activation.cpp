#include "activation/Activation.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "files/FileReplace.h"
#include "files/FileStamp.h"
#include "format/DictionaryWriter.h"
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
    result.read = ReadDictionary(chosen, words, {.headerInAnyCase = true});
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
    // What is installed is what was read: a copy only of the file still
    // holding it, checked across the copy; the game's form made of the words
    // read from a file checked right before.
    const bool asItIs = result.read.InGamesForm();
    const FileStamp* asRead = result.read.stamp ? &*result.read.stamp : nullptr;
    if (asItIs) {
        result.written = ReplaceFileWithCopy(chosen, active, options, asRead);
    } else if (StampOf(chosen) == result.read.stamp) {
        result.written = SaveDictionary(active, words, options);
    } else {
        result.written = {false, FileErrc::SourceChanged};
    }
    if (result.written.error == FileErrc::SourceChanged) {
        result.outcome = Outcome::Changed;
        return result;
    }
    if (!result.written) {
        result.outcome = result.written.error == FileErrc::HeldOpen ? Outcome::HeldOpen : Outcome::CouldNotCopy;
        result.error = result.written.error;
        return result;
    }
    result.outcome = asItIs ? Outcome::Installed : Outcome::Converted;
    return result;
}

} // namespace lexor

#include "files/TemporaryFiles.h"

#include <system_error>

#include "files/FolderOf.h"

namespace lexor {
namespace {

using Native = std::filesystem::path::string_type;
using Char = Native::value_type;

// Some file systems refuse a longer name with a reason that does not say so
// (Wine's, for one, as "not found"), so the length is not left to them.
constexpr std::size_t kLongestName = 255;

Native Digits(unsigned long value)
{
    Native digits;
    do {
        digits.insert(digits.begin(), static_cast<Char>('0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

Native Ascii(const char* text)
{
    Native out;
    for (; *text != 0; ++text)
        out.push_back(static_cast<Char>(*text));
    return out;
}

// The decimal number at the start of text up to the character stop; false
// when there is none or it does not fit.
bool ParseNumber(const Native& text, std::size_t& at, Char stop, unsigned long& value)
{
    const std::size_t begin = at;
    value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        if (at - begin >= 9)
            return false;
        value = value * 10 + static_cast<unsigned long>(text[at] - '0');
    }
    return at > begin && at < text.size() && text[at] == stop;
}

} // namespace

Native TemporaryName(const std::filesystem::path& target, unsigned long processId, unsigned counter, bool shortForm)
{
    Native suffix = Ascii(".");
    suffix += Digits(processId);
    suffix += static_cast<Char>('.');
    suffix += Digits(counter);
    suffix += Ascii(".tmp");
    const Native name = target.filename().native();
    if (shortForm || name.size() + suffix.size() > kLongestName)
        return Ascii(".lexor") + suffix;
    return name + suffix;
}

std::vector<LeftTemporary> TemporariesFor(const std::filesystem::path& target, unsigned long processId)
{
    std::vector<LeftTemporary> found;
    const Native prefix = target.filename().native() + static_cast<Char>('.');
    const Native suffix = Ascii(".tmp");
    std::error_code error;
    for (std::filesystem::directory_iterator it(FolderOf(target), error), end; !error && it != end;
         it.increment(error)) {
        const Native name = it->path().filename().native();
        if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        std::size_t at = prefix.size();
        unsigned long owner = 0;
        unsigned long counter = 0;
        if (!ParseNumber(name, at, '.', owner) || !ParseNumber(name, ++at, '.', counter) ||
            at != name.size() - suffix.size() || owner == processId)
            continue;
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            found.push_back({it->path(), owner});
    }
    return found;
}

} // namespace lexor

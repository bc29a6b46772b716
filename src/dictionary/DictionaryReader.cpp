#include "dictionary/DictionaryReader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>
#include <vector>

#include "dictionary/DictionaryFormat.h"

namespace lexor {
namespace {

// Reads one line ending at CR or CR LF; a lone LF stays in the line.
bool ReadLine(std::istream& in, std::string& line)
{
    line.clear();
    std::istream::int_type c = in.get();
    if (c == std::istream::traits_type::eof())
        return false;
    while (c != std::istream::traits_type::eof()) {
        if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            return true;
        }
        line.push_back(static_cast<char>(c));
        c = in.get();
    }
    return true;
}

// True when the line is exactly the header. Reads no further than one byte
// past the header's length, so a file without line ends is not read whole.
bool ReadHeader(std::istream& in)
{
    std::string line;
    for (std::istream::int_type c = in.get(); c != std::istream::traits_type::eof(); c = in.get()) {
        if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            return line == kDictionaryHeader;
        }
        if (line.size() == kDictionaryHeader.size())
            return false;
        line.push_back(static_cast<char>(c));
    }
    return line == kDictionaryHeader;
}

// Only regular files are opened: a folder, a FIFO or a device is refused by
// its type beforehand, since opening a FIFO waits for a writer that may never
// come. Returns the reason, or nothing for a regular file.
std::optional<std::string> NotARegularFile(const std::filesystem::path& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec)
        return ec.message();
    if (status.type() == std::filesystem::file_type::directory)
        return std::make_error_code(std::errc::is_a_directory).message();
    if (status.type() != std::filesystem::file_type::regular)
        return std::string(kNotAFileReason);
    return std::nullopt;
}

// The value of the number the line begins with: leading blanks, an optional
// sign, then digits; anything after them is ignored. Saturates.
std::int64_t CountValue(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    std::uint64_t value = 0;
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(line[i] - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
}

} // namespace

ReadResult ReadDictionary(std::istream& in, WordList& target)
{
    ReadResult result;
    std::string line;
    if (!ReadHeader(in)) {
        result.status = ReadResult::Status::BadHeader;
        return result;
    }
    std::string countLine;
    const bool hasCount = ReadLine(in, countLine);
    const auto count = hasCount ? CountValue(countLine) : 0;
    if (count <= 0) {
        result.status = ReadResult::Status::NoWords;
        return result;
    }
    result.declared = static_cast<std::uint64_t>(count);
    std::vector<std::string> words;
    while (words.size() < result.declared && ReadLine(in, line))
        words.push_back(line);
    std::vector<std::string_view> views(words.begin(), words.end());
    target.AddItems(views);
    result.read = words.size();
    result.status = result.read < result.declared ? ReadResult::Status::Truncated : ReadResult::Status::Loaded;
    return result;
}

ReadResult ReadDictionary(const std::filesystem::path& path, WordList& target)
{
    if (auto reason = NotARegularFile(path)) {
        ReadResult result;
        result.error = std::move(*reason);
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ReadResult result;
        result.error = std::strerror(errno);
        return result;
    }
    return ReadDictionary(in, target);
}

FirstLineResult ReadFirstLine(const std::filesystem::path& path)
{
    FirstLineResult result;
    if (auto reason = NotARegularFile(path)) {
        result.error = std::move(*reason);
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = std::strerror(errno);
        return result;
    }
    std::string line;
    if (ReadLine(in, line))
        result.line = std::move(line);
    return result;
}

} // namespace lexor

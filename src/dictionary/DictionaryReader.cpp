#include "dictionary/DictionaryReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

#include "dictionary/DictionaryFormat.h"
#include "dictionary/FileError.h"
#include "dictionary/LargeMemory.h"
#include "dictionary/Parallel.h"
#include "dictionary/WordItem.h"

namespace lexor {
namespace {

// The first read of a file, or of a stream, goes into a block no larger than
// this: enough for the header and the count, and little to refuse a file
// that is not a dictionary. Reads after it take at most kReadChunk bytes, so
// a line longer than a word may be is refused soon after it is in.
constexpr std::size_t kFirstBlock = std::size_t{64} << 10;
constexpr std::size_t kSmallestBlock = std::size_t{4} << 10;
constexpr std::size_t kReadChunk = std::size_t{1} << 20;
// Below this many bytes the words are split on the calling thread alone.
constexpr std::size_t kParallelBytes = std::size_t{1} << 20;

// The line itself, or std::length_error when it is longer than a word may
// be, which ends the read (see Guarded).
std::string_view Checked(std::string_view line)
{
    if (line.size() > WordItem::kLongestWord)
        throw std::length_error("a line longer than a word may be");
    return line;
}

// Hands out the lines of a stream as views into one block of text that it
// reads the stream into, so the words need no copy of their own: the block
// becomes the list's text, and a line's place in it its offset there. A line
// ends at CR or CR LF; a lone LF is part of the line; the last line may lack
// its end. Memory follows what has been read, never what a file announces,
// and no more than limit bytes are read, so a file that grows while it is
// read ends where it ended when it was opened.
class LineReader {
public:
    LineReader(std::istream& in, std::size_t sizeHint, std::uintmax_t limit)
        : in_(in), remaining_(limit), firstBlock_(std::clamp(sizeHint + 1, kSmallestBlock, kFirstBlock))
    {
    }

    // The view is valid until the next call. A line longer than maxLength
    // comes back cut at maxLength + 1 bytes, as soon as they are in: enough
    // to see that it is not the line sought. Reading should stop there, as
    // the rest of the line is not skipped. Throws std::length_error for a
    // line longer than a word may be.
    bool Next(std::string_view& line, std::size_t maxLength = std::numeric_limits<std::size_t>::max())
    {
        for (;;) {
            if (pos_ < filled_) {
                char* begin = text_.data() + pos_;
                const auto* cr = static_cast<char*>(std::memchr(begin, '\r', filled_ - pos_));
                if (cr != nullptr) {
                    line = Checked({begin, static_cast<std::size_t>(cr - begin)});
                    pos_ = static_cast<std::size_t>(cr - text_.data()) + 1;
                    skipLf_ = true;
                    SkipLf();
                    return true;
                }
                if (filled_ - pos_ > maxLength) {
                    line = {begin, maxLength + 1};
                    pos_ += maxLength + 1;
                    return true;
                }
            }
            if (!Fill()) {
                if (pos_ < filled_) {
                    line = Checked({text_.data() + pos_, filled_ - pos_});
                    pos_ = filled_;
                    return true;
                }
                return false;
            }
        }
    }

    // Makes room for all that is left to read at once, when its size is
    // known (a file), so the block is never copied again.
    void ReserveRest()
    {
        if (remaining_ >= text_.size() - filled_ && remaining_ < std::numeric_limits<std::size_t>::max() - filled_)
            Grow(filled_ + static_cast<std::size_t>(remaining_) + 1);
    }

    // Reads all that is left, for the lines to be split afterwards, and
    // returns where they begin. Throws std::length_error for a line longer
    // than a word may be, as soon as that much of it is in.
    std::size_t ReadRest()
    {
        // The LF of the count line's CR LF may still be to come.
        while (skipLf_ && pos_ == filled_ && Fill()) {
        }
        const std::size_t begin = pos_;
        // pos_ follows the start of the unfinished line, which Fill checks.
        while (Fill()) {
            for (std::size_t i = filled_; i > pos_; --i) {
                if (text_.data()[i - 1] == '\r') {
                    pos_ = i;
                    break;
                }
            }
        }
        pos_ = filled_;
        return begin;
    }

    bool failed() const noexcept { return in_.bad(); }
    const char* text() const noexcept { return text_.data(); }
    // The bytes read so far; the lines handed out lie within them.
    std::size_t size() const noexcept { return filled_; }
    ByteBlock TakeText() noexcept { return std::move(text_); }

private:
    // The LF of a CR LF pair may arrive with the next read.
    void SkipLf()
    {
        if (skipLf_ && pos_ < filled_) {
            if (text_.data()[pos_] == '\n')
                ++pos_;
            skipLf_ = false;
        }
    }

    // A larger block holding what has been read, at the same offsets: of
    // `wanted` bytes, or twice the old size if that is more, but never more
    // than the rest of the input can fill (and one byte to see its end).
    void Grow(std::size_t wanted)
    {
        std::size_t size = std::max(wanted, 2 * text_.size());
        if (remaining_ < size - filled_)
            size = filled_ + static_cast<std::size_t>(remaining_) + 1;
        ByteBlock grown(size);
        if (filled_ > 0)
            std::memcpy(grown.data(), text_.data(), filled_);
        text_ = std::move(grown);
    }

    // Reads more of the stream after the unfinished line; false at the end.
    bool Fill()
    {
        if (eof_)
            return false;
        // A line longer than a word may be is refused before more memory is
        // asked for it.
        Checked({text_.data() + pos_, filled_ - pos_});
        if (filled_ == text_.size())
            Grow(text_.size() == 0 ? firstBlock_ : filled_ + 1);
        const auto room =
            static_cast<std::size_t>(std::min<std::uintmax_t>({text_.size() - filled_, remaining_, kReadChunk}));
        if (room > 0)
            in_.read(text_.data() + filled_, static_cast<std::streamsize>(room));
        const auto got = room > 0 ? static_cast<std::size_t>(in_.gcount()) : 0;
        filled_ += got;
        remaining_ -= got;
        if (got == 0) {
            eof_ = true;
            return false;
        }
        SkipLf();
        return true;
    }

    std::istream& in_;
    ByteBlock text_;
    std::uintmax_t remaining_;
    std::size_t firstBlock_;
    std::size_t pos_ = 0;
    std::size_t filled_ = 0;
    bool skipLf_ = false;
    bool eof_ = false;
};

// The entries of the lines of text[begin, end), as LineReader::Next would
// hand them out. A large text is cut into parts at line ends, whose lines
// are counted and then made into entries side by side (see Parallel.h).
// Throws std::length_error for a line longer than a word may be.
WordList::ItemTable SplitLines(const char* text, std::size_t begin, std::size_t end)
{
    const unsigned parts = end - begin < kParallelBytes ? 1 : PassThreads();
    // Each cut lies just after a CR, and after its LF if one follows.
    std::vector<std::size_t> cuts(parts + 1, end);
    cuts[0] = begin;
    for (unsigned part = 1; part < parts; ++part) {
        const std::size_t from = std::max(cuts[part - 1], begin + (end - begin) / parts * part);
        const auto* cr = static_cast<const char*>(std::memchr(text + from, '\r', end - from));
        std::size_t cut = cr != nullptr ? static_cast<std::size_t>(cr - text) + 1 : end;
        if (cut < end && text[cut] == '\n')
            ++cut;
        cuts[part] = cut;
    }
    // Every line ends with a CR but the last one, which is a line when any
    // bytes follow the last CR and its LF.
    std::vector<std::size_t> firsts(parts + 1, 0);
    ForEachPart(parts, parts, [&](unsigned part, std::size_t, std::size_t) {
        firsts[part + 1] = static_cast<std::size_t>(std::count(text + cuts[part], text + cuts[part + 1], '\r'));
    });
    std::size_t tail = end;
    while (tail > begin && text[tail - 1] != '\r')
        --tail;
    if (tail > begin && tail < end && text[tail] == '\n')
        ++tail;
    firsts[parts] += tail < end ? 1 : 0;
    for (unsigned part = 0; part < parts; ++part)
        firsts[part + 1] += firsts[part];
    WordList::ItemTable items(firsts[parts]);
    ForEachPart(parts, parts, [&](unsigned part, std::size_t, std::size_t) {
        WordItem* out = items.data() + firsts[part];
        const char* at = text + cuts[part];
        const char* stop = text + cuts[part + 1];
        while (at < stop) {
            const auto* cr = static_cast<const char*>(std::memchr(at, '\r', static_cast<std::size_t>(stop - at)));
            const char* lineEnd = cr != nullptr ? cr : stop;
            *out++ = WordItem::Make(Checked({at, static_cast<std::size_t>(lineEnd - at)}),
                                    static_cast<std::uint64_t>(at - text));
            if (cr == nullptr)
                break;
            at = cr + 1;
            if (at < stop && *at == '\n')
                ++at;
        }
    });
    return items;
}

struct Count {
    std::int64_t value = 0;
    std::string_view text; // its digits (and dots) as the line writes them
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number the line begins with: leading blanks, an optional sign, then
// digits, which may go on in groups of a dot and three digits ("12.500",
// "1.000.000"); anything after them is ignored ("12abc" is 12, "2.9" is 2).
// Saturates instead of overflowing.
Count CountValue(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    const std::size_t first = i;
    std::uint64_t value = 0;
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    auto add = [&](char c) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    };
    for (; i < line.size() && IsDigit(line[i]); ++i)
        add(line[i]);
    auto isGroup = [&](std::size_t at) {
        return at + 3 < line.size() && line[at] == '.' && IsDigit(line[at + 1]) && IsDigit(line[at + 2]) &&
               IsDigit(line[at + 3]) && (at + 4 == line.size() || !IsDigit(line[at + 4]));
    };
    while (i > first && isGroup(i)) {
        for (std::size_t k = 1; k <= 3; ++k)
            add(line[i + k]);
        i += 4;
    }
    const auto signedValue = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    return {signedValue, line.substr(first, i - first)};
}

ReadResult Read(std::istream& in, WordList& target, std::size_t sizeHint, std::uintmax_t limit)
{
    ReadResult result;
    LineReader lines(in, sizeHint, limit);
    std::string_view line;
    if (!lines.Next(line, kDictionaryHeader.size()) || line != kDictionaryHeader) {
        result.status = lines.failed() ? ReadResult::Status::ReadError : ReadResult::Status::BadHeader;
        if (lines.failed())
            result.error = std::make_error_code(std::errc::io_error);
        return result;
    }
    Count count;
    if (lines.Next(line))
        count = CountValue(line);
    if (count.value <= 0) {
        result.status = ReadResult::Status::NoWords;
        return result;
    }
    result.declared = static_cast<std::uint64_t>(count.value);
    result.declaredText = count.text;

    if (sizeHint > 0)
        lines.ReserveRest();
    const std::size_t begin = lines.ReadRest();
    if (lines.failed()) {
        result.status = ReadResult::Status::ReadError;
        result.error = std::make_error_code(std::errc::io_error);
        return result;
    }
    WordList::ItemTable words = SplitLines(lines.text(), begin, lines.size());
    // The counted lines are words whatever they hold; after them, empty lines
    // at the end of the file are not.
    while (words.size() > result.declared && words.back().size() == 0)
        words.pop_back();
    // Beyond what an entry can place, which no memory of today holds.
    const std::size_t size = lines.size();
    if (size > WordItem::kLargestText)
        throw std::bad_alloc();
    result.read = words.size();
    target.AdoptItems(lines.TakeText(), size, std::move(words));
    if (result.read < result.declared)
        result.status = ReadResult::Status::Truncated;
    else if (result.read > result.declared)
        result.status = ReadResult::Status::MoreThanDeclared;
    else
        result.status = ReadResult::Status::Loaded;
    return result;
}

// Running out of memory, or a line longer than a word may be, ends the read
// with a reason instead of the program; the target is left empty.
template <typename Reading> ReadResult Guarded(WordList& target, Reading reading)
{
    ReadResult failed;
    try {
        return reading();
    } catch (const std::bad_alloc&) {
        failed.error = std::make_error_code(std::errc::not_enough_memory);
    } catch (const std::length_error&) {
        failed.error = FileErrc::LineTooLong;
    } catch (const std::system_error& error) {
        failed.error = error.code();
    }
    target.Clear();
    return failed;
}

// Only regular files: opening a FIFO would wait for a writer for ever.
bool IsReadable(const std::filesystem::path& path, std::error_code& error, std::uintmax_t& size)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec) {
        error = ec;
        return false;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        error = std::make_error_code(std::errc::is_a_directory);
        return false;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        error = FileErrc::NotAFile;
        return false;
    }
    size = std::filesystem::file_size(path, ec);
    if (ec)
        size = 0;
    return true;
}

// Opens path in binary mode once IsReadable has let it through.
bool OpenRegularFile(const std::filesystem::path& path, std::ifstream& in, std::error_code& error, std::uintmax_t& size)
{
    if (!IsReadable(path, error, size))
        return false;
    errno = 0;
    in.open(path, std::ios::binary);
    if (!in) {
        error = {errno != 0 ? errno : EIO, std::generic_category()};
        return false;
    }
    return true;
}

} // namespace

ReadResult ReadDictionary(std::istream& in, WordList& target)
{
    return Guarded(target, [&] { return Read(in, target, 0, std::numeric_limits<std::uintmax_t>::max()); });
}

ReadResult ReadDictionary(const std::filesystem::path& path, WordList& target)
{
    // Taken before the open: a change from here on makes the stamp differ.
    const auto stamp = StampOf(path);
    ReadResult result;
    std::uintmax_t size = 0;
    std::ifstream in;
    if (!OpenRegularFile(path, in, result.error, size))
        return result;
    const auto hint = static_cast<std::size_t>(std::min<std::uintmax_t>(size, std::numeric_limits<std::size_t>::max()));
    result = Guarded(target, [&] { return Read(in, target, hint, size); });
    result.stamp = stamp;
    return result;
}

FirstLineResult ReadFirstLine(const std::filesystem::path& path, std::size_t maxLength)
{
    FirstLineResult result;
    std::uintmax_t size = 0;
    std::ifstream in;
    if (!OpenRegularFile(path, in, result.error, size))
        return result;
    // Only as much as the first line needs, however large the file.
    std::string line;
    for (char c; line.size() < maxLength && in.get(c);) {
        if (c == '\r')
            break;
        line.push_back(c);
    }
    if (in.bad()) {
        result.error = std::make_error_code(std::errc::io_error);
        return result;
    }
    if (!line.empty() || size > 0)
        result.line = std::move(line);
    return result;
}

} // namespace lexor

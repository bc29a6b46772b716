#include "format/DictionaryReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "files/ContentHash.h"
#include "files/FileError.h"
#include "format/DictionaryFormat.h"
#include "format/LineEnds.h"
#include "words/LargeMemory.h"
#include "words/Parallel.h"
#include "words/WordItem.h"

namespace lexor {
namespace {

// The first read of a file goes into a block no larger than this: enough
// for the header, and little to refuse a file that is not a dictionary. Reads after it take at most kReadChunk bytes.
constexpr std::size_t kFirstBlock = std::size_t{64} << 10;
constexpr std::size_t kSmallestBlock = std::size_t{4} << 10;
constexpr std::size_t kReadChunk = std::size_t{1} << 20;
// Below this many bytes the words are split on the calling thread alone.
constexpr std::size_t kParallelBytes = std::size_t{1} << 20;
// The longest run of bytes without a line end that can still hold a word:
// a character of Windows-1252 takes up to three bytes of UTF-8. A longer run
// is refused as soon as it is in, before more memory is asked for it.
constexpr std::size_t kLongestRun = 3 * WordItem::kLongestWord + 3;
// The DOS end-of-file mark, which old editors put on a last line of its own.
constexpr char kEndOfFileMark = '\x1A';

// The line itself, or std::length_error when it is longer than a word may
// be, which ends the read (see Guarded).
std::string_view Checked(std::string_view line)
{
    if (line.size() > WordItem::kLongestWord)
        throw std::length_error("a line longer than a word may be");
    return line;
}

// Reads a file into one block of text, which becomes the list's text, so
// the words need no copy of their own. Memory follows what has been read,
// never what a file announces, and no more than limit bytes are read, so a
// file that grows while it is read ends where it ended when it was opened.
class BlockReader {
public:
    BlockReader(std::istream& in, std::size_t sizeHint, std::uintmax_t limit)
        : in_(in), sizeHint_(sizeHint), remaining_(limit),
          firstBlock_(std::clamp(sizeHint + 1, kSmallestBlock, kFirstBlock))
    {
        Grow(firstBlock_);
        Fill();
    }

    // Reads all that is left. Throws std::length_error for a run of bytes
    // without a line end too long to be a word, as soon as that much is in.
    void ReadRest()
    {
        // Room for the rest at once when its size is known (a file), so the
        // block is never copied again.
        if (sizeHint_ > 0 && remaining_ < std::numeric_limits<std::size_t>::max() - filled_)
            Grow(filled_ + static_cast<std::size_t>(remaining_) + 1);
        FollowLineStart(0);
        while (!eof_) {
            if (filled_ == block_.size())
                Grow(filled_ + 1);
            const std::size_t before = filled_;
            Fill();
            FollowLineStart(before);
        }
    }

    bool failed() const noexcept { return in_.bad(); }
    char* text() const noexcept { return block_.data(); }
    std::size_t size() const noexcept { return filled_; }
    ByteBlock Take() noexcept { return std::move(block_); }

private:
    // Keeps lineStart_ at the start of the unfinished line, looking only at
    // the bytes from `from` on, and refuses a run too long to be a word.
    void FollowLineStart(std::size_t from)
    {
        for (std::size_t i = filled_; i > std::max(from, lineStart_); --i) {
            if (LineEnds::IsEnd(block_.data()[i - 1])) {
                lineStart_ = i;
                break;
            }
        }
        if (filled_ - lineStart_ > kLongestRun)
            throw std::length_error("a line longer than a word may be");
    }

    // A larger block holding what has been read: of `wanted` bytes, or twice
    // the old size if that is more, but never more than the rest of the input
    // can fill (and one byte to see its end).
    void Grow(std::size_t wanted)
    {
        std::size_t size = std::max(wanted, 2 * block_.size());
        if (remaining_ < size - filled_)
            size = filled_ + static_cast<std::size_t>(remaining_) + 1;
        if (size <= block_.size())
            return;
        ByteBlock grown(size);
        if (filled_ > 0)
            std::memcpy(grown.data(), block_.data(), filled_);
        block_ = std::move(grown);
    }

    void Fill()
    {
        const auto room =
            static_cast<std::size_t>(std::min<std::uintmax_t>({block_.size() - filled_, remaining_, kReadChunk}));
        std::size_t got = 0;
        if (room > 0) {
            in_.read(block_.data() + filled_, static_cast<std::streamsize>(room));
            got = static_cast<std::size_t>(in_.gcount());
        }
        filled_ += got;
        remaining_ -= got;
        eof_ = got == 0;
    }

    std::istream& in_;
    ByteBlock block_;
    std::size_t sizeHint_;
    std::uintmax_t remaining_;
    std::size_t firstBlock_;
    std::size_t filled_ = 0;
    std::size_t lineStart_ = 0;
    bool eof_ = false;
};

// The lines of text[begin, end), as entries with offsets into text, and
// whether any ends in an LF alone. A large text is cut into parts just after
// line ends, whose lines are counted and then made into entries side by side
// (see Parallel.h). Throws std::length_error for a line longer than a word.
struct Lines {
    WordList::ItemTable items;
    bool loneLf = false;
};

Lines SplitLines(const char* text, std::size_t begin, std::size_t end)
{
    const unsigned parts = end - begin < kParallelBytes ? 1 : PassThreads();
    std::vector<std::size_t> cuts(parts + 1, end);
    cuts[0] = begin;
    for (unsigned part = 1; part < parts; ++part) {
        const std::size_t from = std::max(cuts[part - 1], begin + (end - begin) / parts * part);
        const char* lineEnd = LineEnds::Find(text + from, text + end);
        cuts[part] = lineEnd < text + end ? static_cast<std::size_t>(LineEnds::After(lineEnd, text + end) - text) : end;
    }
    // Every line of a part ends with a line end but the last line of the
    // text, which is a line when any bytes follow the last line end. A cut
    // never falls inside a CR LF pair, so a part's pairs are its own.
    std::vector<std::size_t> firsts(parts + 1, 0);
    std::vector<char> loneLfs(parts, 0);
    SideBySide(parts, [&](unsigned part) {
        const LineEnds::Tally tally = LineEnds::Count(text + cuts[part], text + cuts[part + 1]);
        firsts[part + 1] = tally.ends;
        loneLfs[part] = tally.loneLf;
    });
    const char* last = text + end;
    while (last > text + begin && !LineEnds::IsEnd(last[-1]))
        --last;
    firsts[parts] += last < text + end ? 1 : 0;
    for (unsigned part = 0; part < parts; ++part)
        firsts[part + 1] += firsts[part];
    Lines lines{WordList::ItemTable(firsts[parts]),
                std::any_of(loneLfs.begin(), loneLfs.end(), [](char lone) { return lone != 0; })};
    SideBySide(parts, [&](unsigned part) {
        WordItem* out = lines.items.data() + firsts[part];
        const auto add = [&](const char* lineBegin, const char* lineEnd) {
            *out++ = WordItem::Make(Checked({lineBegin, static_cast<std::size_t>(lineEnd - lineBegin)}),
                                    static_cast<std::uint64_t>(lineBegin - text));
        };
        const char* stop = text + cuts[part + 1];
        const char* tail = LineEnds::ForEachLine(text + cuts[part], stop, add);
        if (tail < stop)
            add(tail, stop);
    });
    return lines;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

struct Count {
    bool number = false;
    std::int64_t value = 0;
    std::string_view text; // its digits (and dots) as the line writes them
};

// The number the line begins with: leading blanks, an optional sign, then
// digits, which may go on in groups of a dot and three digits ("12.500",
// "1.000.000"); anything after them is ignored ("12abc" is 12, "2.9" is 2).
// Saturates instead of overflowing.
Count CountValue(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
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
    return {i > first, signedValue, line.substr(first, i - first)};
}

// The header as the first line of a dictionary: exactly the header (in any
// letter case, if asked), followed by nothing but blanks and tabs.
struct HeaderMatch {
    bool matches = false;
    bool padded = false;
};

HeaderMatch MatchHeader(std::u16string_view line, bool anyCase)
{
    const auto fold = [anyCase](char16_t c) { return anyCase && c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
    if (line.size() < kDictionaryHeader.size() ||
        !std::equal(kDictionaryHeader.begin(), kDictionaryHeader.end(), line.begin(),
                    [&](char h, char16_t c) { return fold(static_cast<char16_t>(h)) == fold(c); }))
        return {};
    const auto rest = line.substr(kDictionaryHeader.size());
    if (!std::all_of(rest.begin(), rest.end(), [](char16_t c) { return c == u' ' || c == u'\t'; }))
        return {};
    return {true, !rest.empty()};
}

// The refusal of a file whose first line is not the header: an empty file,
// a binary one, or a first line of some other text.
void RefuseFirstLine(ReadResult& result, std::string_view start, const EncodingMark& mark, std::u16string line)
{
    const bool utf16 = mark.encoding == TextEncoding::Utf16Le || mark.encoding == TextEncoding::Utf16Be;
    if (start.empty()) {
        result.status = ReadResult::Status::EmptyFile;
    } else if (!utf16 && start.find('\0') != std::string_view::npos) {
        result.status = ReadResult::Status::NotText;
    } else {
        result.status = ReadResult::Status::BadHeader;
        result.firstLine = std::move(line);
    }
}

// The lines of the decoded text: header, count line, words; into target.
void ReadLines(ReadResult& result, BlockReader& reader, std::size_t size, WordList& target)
{
    const char* text = reader.text();
    const char* end = text + size;
    const char* headerEnd = LineEnds::Find(text, end);
    if (headerEnd == end) {
        result.status = ReadResult::Status::NoWords;
        return;
    }
    const char* countLine = LineEnds::After(headerEnd, end);
    const char* countEnd = LineEnds::Find(countLine, end);
    if (countLine == end) {
        result.status = ReadResult::Status::NoWords;
        return;
    }
    const std::string_view line(countLine, static_cast<std::size_t>(countEnd - countLine));
    const Count count = CountValue(line);
    const char* words = countEnd == end ? end : LineEnds::After(countEnd, end);
    using Form = FileForm::Count;
    if (count.number && count.value >= 0) {
        result.declared = static_cast<std::uint64_t>(count.value);
        result.declaredText = count.text;
    } else if (count.number || std::any_of(line.begin(), line.end(), IsDigit) ||
               std::all_of(line.begin(), line.end(), IsBlank)) {
        result.form.count = Form::NotANumber;
    } else {
        result.form.count = Form::Missing;
        words = countLine;
    }
    result.form.lfLineEnds = LineEnds::Count(text, words).loneLf;

    Lines lines = SplitLines(text, static_cast<std::size_t>(words - text), size);
    result.form.lfLineEnds |= lines.loneLf;
    WordList::ItemTable& items = lines.items;
    // The counted lines are words whatever they hold; after them, a last line
    // holding only the end-of-file mark is not, nor are empty lines at the
    // end of the file.
    if (items.size() > result.declared && items.back().view(text) == std::string_view(&kEndOfFileMark, 1))
        items.pop_back();
    while (items.size() > result.declared && items.back().size() == 0)
        items.pop_back();
    // Beyond what an entry can place, which no memory of today holds.
    if (size > WordItem::kLargestText)
        throw std::bad_alloc();
    result.wordsRead = items.size();
    if (items.empty() && result.declared == 0) {
        result.status = ReadResult::Status::NoWords;
        return;
    }
    if (!items.empty())
        target.AdoptItems(reader.Take(), size, std::move(items));
    if (result.form.count != Form::Number)
        result.status = ReadResult::Status::Uncounted;
    else if (result.wordsRead < result.declared)
        result.status = ReadResult::Status::Truncated;
    else if (result.wordsRead > result.declared)
        result.status = ReadResult::Status::MoreThanDeclared;
    else
        result.status = ReadResult::Status::Loaded;
}

ReadResult Read(std::istream& in, WordList& target, std::size_t sizeHint, std::uintmax_t limit,
                const ReadOptions& options, std::optional<FileIdentity> identity)
{
    ReadResult result;
    BlockReader reader(in, sizeHint, limit);
    const auto failed = [&] {
        result.status = ReadResult::Status::ReadError;
        result.error = std::make_error_code(std::errc::io_error);
        return result;
    };
    if (reader.failed())
        return failed();
    const std::string_view start(reader.text(), reader.size());
    const EncodingMark mark = MarkOf(start);
    std::u16string first = FirstLineOf(start.substr(mark.length), mark.encoding, kShownFirstLine);
    const HeaderMatch header = MatchHeader(first, options.headerInAnyCase);
    if (!header.matches) {
        RefuseFirstLine(result, start, mark, std::move(first));
        return result;
    }
    result.form.paddedHeader = header.padded;

    reader.ReadRest();
    if (reader.failed())
        return failed();
    const std::string_view bytes(reader.text(), reader.size());
    if (identity)
        result.stamp = FileStamp{*identity, ContentHash::Of(bytes.data(), bytes.size())};
    result.form.encoding = mark.encoding == TextEncoding::Cp1252 && IsUtf8(bytes) ? TextEncoding::Utf8 : mark.encoding;
    std::size_t size = bytes.size();
    if (result.form.encoding != TextEncoding::Cp1252) {
        Transcoded decoded =
            ToCp1252(reader.text() + mark.length, size - mark.length, result.form.encoding, reader.text());
        if (decoded.unmappableLines > 0) {
            result.status = ReadResult::Status::Unmappable;
            result.unmappable = std::move(decoded.unmappable);
            result.unmappableLines = decoded.unmappableLines;
            return result;
        }
        size = decoded.size;
    }
    ReadLines(result, reader, size, target);
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

// Opens path in binary mode, only if it is a regular file: opening a FIFO
// would wait for a writer for ever.
bool OpenRegularFile(const std::filesystem::path& path, std::ifstream& in, std::error_code& error, std::uintmax_t& size)
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
    errno = 0;
    in.open(path, std::ios::binary);
    if (!in) {
        error = {errno != 0 ? errno : EIO, std::generic_category()};
        return false;
    }
    return true;
}

} // namespace

ReadResult ReadDictionary(const std::filesystem::path& path, WordList& target, const ReadOptions& options)
{
    // Taken before the open: a file put in its place from here on has
    // another identity.
    const auto identity = IdentityOf(path);
    ReadResult result;
    std::uintmax_t size = 0;
    std::ifstream in;
    if (!OpenRegularFile(path, in, result.error, size))
        return result;
    const auto hint = static_cast<std::size_t>(std::min<std::uintmax_t>(size, std::numeric_limits<std::size_t>::max()));
    return Guarded(target, [&] { return Read(in, target, hint, size, options, identity); });
}

} // namespace lexor

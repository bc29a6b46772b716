// The dictionary layout as the reader and the writer see it: the forms
// editors save, line ends, the header check, the count line, short files.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "files/FileError.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "support/DictionaryBytes.h"
#include "support/TempDir.h"
#include "support/WordLists.h"

namespace lexor {
namespace {

using test::Items;

using Status = ReadResult::Status;

const std::string kHeader = "Lexor Dictionary Volume\r\n";

ReadResult Read(const std::string& bytes, WordList& target)
{
    return test::ReadDictionaryBytes(bytes, target);
}

struct ReadCase {
    const char* name;
    std::string bytes;
    Status status;
    std::vector<std::string> words; // in the sorted list's order, in Windows-1252
    std::uint64_t declared = 0;
    FileForm form = {};
};

std::ostream& operator<<(std::ostream& os, const ReadCase& c)
{
    return os << c.name;
}

class ReadTable : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, StatusWordsAndCounts)
{
    const ReadCase& c = GetParam();
    WordList list;
    const ReadResult result = Read(c.bytes, list);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(Items(list), c.words);
    EXPECT_EQ(result.wordsRead, c.words.size());
    if (c.status == Status::Loaded || c.status == Status::Truncated || c.status == Status::MoreThanDeclared) {
        EXPECT_EQ(result.declared, c.declared);
    }
    if (result.HasWords()) {
        EXPECT_EQ(result.form.encoding, c.form.encoding);
        EXPECT_EQ(result.form.lfLineEnds, c.form.lfLineEnds);
        EXPECT_EQ(result.form.paddedHeader, c.form.paddedHeader);
        EXPECT_EQ(result.form.count, c.form.count);
    }
}

using Encoding = TextEncoding;
constexpr FileForm kLf{Encoding::Cp1252, true};
constexpr FileForm kPadded{Encoding::Cp1252, false, true};
constexpr FileForm kNotANumber{Encoding::Cp1252, false, false, FileForm::Count::NotANumber};
constexpr FileForm kMissing{Encoding::Cp1252, false, false, FileForm::Count::Missing};

// A text as UTF-16 bytes, little- or big-endian, with its mark or without.
std::string Utf16(std::u16string_view text, bool bigEndian, bool mark = true)
{
    std::string bytes;
    for (const char16_t unit : mark ? u"\uFEFF" + std::u16string(text) : std::u16string(text)) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

constexpr auto kSaturated = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

INSTANTIATE_TEST_SUITE_P(
    Header, ReadTable,
    testing::Values(
        ReadCase{"EmptyFile", "", Status::EmptyFile, {}},
        ReadCase{"LowerCase", "lexor dictionary volume\r\n1\r\na\r\n", Status::BadHeader, {}},
        ReadCase{"TrailingBlanks", "Lexor Dictionary Volume \t\r\n1\r\na\r\n", Status::Loaded, {"a"}, 1, kPadded},
        ReadCase{"LeadingBlank", " Lexor Dictionary Volume\r\n1\r\na\r\n", Status::BadHeader, {}},
        ReadCase{"HeaderPrefixOnly", "Lexor Dictionary", Status::BadHeader, {}},
        ReadCase{"NulBytes", std::string("PK\x03\x04\0\0\r\n", 8), Status::NotText, {}},
        ReadCase{"HeaderWithoutLineEnd", "Lexor Dictionary Volume", Status::NoWords, {}},
        ReadCase{"NoCountLine", kHeader, Status::NoWords, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The forms that editors save, read as the editor shows them.
INSTANTIATE_TEST_SUITE_P(
    Forms, ReadTable,
    testing::Values(
        ReadCase{"Utf8WithMark",
                 "\xEF\xBB\xBF" + kHeader + "2\r\ncittà\r\n€uro\r\n",
                 Status::Loaded,
                 {"citt\xE0", "\x80uro"},
                 2,
                 FileForm{Encoding::Utf8Bom}},
        ReadCase{"Utf8WithLf",
                 "Lexor Dictionary Volume\n2\nperché\nmare\n",
                 Status::Loaded,
                 {"mare", "perch\xE9"},
                 2,
                 FileForm{Encoding::Utf8, true}},
        ReadCase{"Utf16LittleEndian",
                 Utf16(u"Lexor Dictionary Volume\r\n2\r\ncittà\r\nŒuvre\r\n", false),
                 Status::Loaded,
                 {"citt\xE0", "\x8Cuvre"},
                 2,
                 FileForm{Encoding::Utf16Le}},
        ReadCase{"Utf16BigEndian",
                 Utf16(u"Lexor Dictionary Volume\n1\nsì", true),
                 Status::Loaded,
                 {"s\xEC"},
                 1,
                 FileForm{Encoding::Utf16Be, true}},
        ReadCase{"Utf16WithoutMark",
                 Utf16(u"Lexor Dictionary Volume\r\n1\r\nsì\r\n", false, false),
                 Status::Loaded,
                 {"s\xEC"},
                 1,
                 FileForm{Encoding::Utf16Le}},
        ReadCase{"AsciiIsTheGamesOwn", kHeader + "1\r\nmare\r\n", Status::Loaded, {"mare"}, 1},
        ReadCase{"Cp1252AccentsAreNoUtf8",
                 kHeader + "2\r\ncitt\xE0\r\n\xC3\xA9t\xE9\r\n",
                 Status::Loaded,
                 {"\xC3\xA9t\xE9", "citt\xE0"},
                 2},
        ReadCase{"NoCharacterForTheGame", "\xEF\xBB\xBF" + kHeader + "1\r\nzażółć\r\n", Status::Unmappable, {}},
        ReadCase{"InvalidAfterTheMark", "\xEF\xBB\xBF" + kHeader + "1\r\ncitt\xE0\r\n", Status::Unmappable, {}},
        ReadCase{"LoneSurrogate",
                 Utf16(u"Lexor Dictionary Volume\r\n1\r\n", false) + std::string("\0\xD8", 2),
                 Status::Unmappable,
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    CountLine, ReadTable,
    testing::Values(
        ReadCase{"Zero", kHeader + "0\r\na\r\n", Status::MoreThanDeclared, {"a"}, 0},
        ReadCase{"ZeroWithoutWords", kHeader + "0\r\n\r\n", Status::NoWords, {}},
        ReadCase{"Empty", kHeader + "\r\na\r\n", Status::Uncounted, {"a"}, 0, kNotANumber},
        ReadCase{"Negative", kHeader + "-3\r\na\r\nb\r\n", Status::Uncounted, {"a", "b"}, 0, kNotANumber},
        ReadCase{"DigitsAmidText", kHeader + "n.12\r\na\r\n", Status::Uncounted, {"a"}, 0, kNotANumber},
        ReadCase{"MissingSoItIsAWord", kHeader + "mare\r\ncasa\r\n", Status::Uncounted, {"casa", "mare"}, 0, kMissing},
        ReadCase{"SignWithoutDigitsIsAWord", kHeader + "+\r\na\r\n", Status::Uncounted, {"+", "a"}, 0, kMissing},
        ReadCase{"DigitsThenText", kHeader + "2abc\r\nb\r\na\r\n", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"Fraction", kHeader + "2.9\r\nb\r\na\r\n", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"ThousandsDots", kHeader + "1.002\r\nb\r\na\r\n", Status::Truncated, {"a", "b"}, 1002},
        ReadCase{"MillionsDots", kHeader + "1.000.000\r\na\r\n", Status::Truncated, {"a"}, 1000000},
        ReadCase{"DotWithoutThreeDigits", kHeader + "2.50\r\nb\r\na\r\n", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"DotWithFourDigits", kHeader + "2.5000\r\nb\r\na\r\n", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"LeadingBlanks", kHeader + " \t2\r\nb\r\na\r\n", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"PlusSign", kHeader + "+3\r\nc\r\nb\r\na\r\n", Status::Loaded, {"a", "b", "c"}, 3},
        ReadCase{"LeadingZeros", kHeader + "0002\r\nb\r\na\r\n", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"HugeCountThreeWords",
                 kHeader + "1000000000000000000\r\nc\r\nb\r\na\r\n",
                 Status::Truncated,
                 {"a", "b", "c"},
                 1000000000000000000},
        ReadCase{"BeyondSixtyFourBits",
                 kHeader + "123456789012345678901234567890\r\na\r\n",
                 Status::Truncated,
                 {"a"},
                 kSaturated},
        ReadCase{"CountWithoutLineEnd", kHeader + "2", Status::Truncated, {}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Words, ReadTable,
    testing::Values(
        ReadCase{"LinesAfterTheCountAreWords",
                 kHeader + "2\r\nb\r\na\r\nd\r\nc\r\n",
                 Status::MoreThanDeclared,
                 {"a", "b", "c", "d"},
                 2},
        ReadCase{"EmptyLinesAtTheEndAreNoWords", kHeader + "2\r\nb\r\na\r\n\r\n\r\n", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"EmptyLineAmongExtraWordsIsAWord",
                 kHeader + "1\r\nb\r\n\r\na\r\n\r",
                 Status::MoreThanDeclared,
                 {"", "a", "b"},
                 1},
        ReadCase{"CountedEmptyLinesAtTheEndAreWords", kHeader + "2\r\na\r\n\r\n\r\n", Status::Loaded, {"", "a"}, 2},
        ReadCase{"EmptyWordLine", kHeader + "3\r\nb\r\n\r\na\r\n", Status::Loaded, {"", "a", "b"}, 3},
        ReadCase{"DescendingLoadsAscending",
                 kHeader + "3\r\nzeta\r\nmare\r\ncasa\r\n",
                 Status::Loaded,
                 {"casa", "mare", "zeta"},
                 3},
        ReadCase{"CrOnlyLineEnds", "Lexor Dictionary Volume\r2\rb\ra\r", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"MixedLineEnds", "Lexor Dictionary Volume\r\n3\rb\r\na\rc\n", Status::Loaded, {"a", "b", "c"}, 3, kLf},
        ReadCase{"LastLineWithoutEnd", kHeader + "2\r\nb\r\na", Status::Loaded, {"a", "b"}, 2},
        ReadCase{
            "LoneLfEndsALine", kHeader + "2\r\nb\nx\r\n\na\r\n", Status::MoreThanDeclared, {"", "a", "b", "x"}, 2, kLf},
        ReadCase{"EndOfFileMarkIsNoWord", kHeader + "2\r\nb\r\na\r\n\x1A", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"EndOfFileMarkOnItsLine", kHeader + "1\r\nb\r\n\r\n\x1A\r\n", Status::Loaded, {"b"}, 1},
        ReadCase{"FinalLineEndStartsNoLine", kHeader + "2\r\na\r\n", Status::Truncated, {"a"}, 2},
        ReadCase{"FewerWordsThanCount", kHeader + "5\r\nb\r\na\r\n", Status::Truncated, {"a", "b"}, 5},
        ReadCase{"CountButNoWords", kHeader + "1\r\n", Status::Truncated, {}, 1},
        ReadCase{"RepeatsKept", kHeader + "3\r\nb\r\na\r\nb\r\n", Status::Loaded, {"a", "b", "b"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// The reader takes a file in pieces: a first block of up to 64 KiB, then
// the rest in reads of 1 MiB. A line end split between two pieces, or a line
// longer than a piece, must read as any other.
TEST(DictionaryReader, LinesAcrossBlockEdgesReadWhole)
{
    const std::size_t firstBlock = std::size_t{64} << 10;
    for (const std::size_t edge : {firstBlock, firstBlock + (std::size_t{1} << 20)}) {
        for (std::size_t shift = 0; shift < 6; ++shift) {
            const std::string head = kHeader + "5\r\n";
            const std::string first(edge - head.size() - 3 + shift, 'a');
            const std::string last(2 * edge + 5, 'e');
            WordList list;
            const ReadResult result = Read(head + first + "\r\nb\r\nc\rd\r\n" + last, list);
            ASSERT_EQ(result.status, Status::Loaded) << edge << "+" << shift;
            EXPECT_EQ(Items(list), (std::vector<std::string>{first, "b", "c", "d", last})) << edge << "+" << shift;
        }
    }
}

// A large text is cut into parts at line ends, which are read side by side:
// a cut that falls on a CR, between a CR and its LF, on an LF alone or inside
// a line must read as any other, and so must a last line without its end.
TEST(DictionaryReader, LinesAroundTheCutsBetweenPartsReadWhole)
{
    const std::string unit = "ab\r\n\rc\nd\r\r\n";
    const std::vector<std::string> lines{"ab", "", "c", "d", ""};
    const std::size_t units = (std::size_t{1} << 20) / unit.size() + 1;
    for (std::size_t shift = 0; shift < 2 * unit.size(); ++shift) {
        const bool unfinished = shift % 2 == 1;
        const std::size_t total = 1 + 5 * units + (unfinished ? 1 : 0);
        std::string bytes = kHeader + std::to_string(total) + "\r\n" + std::string(shift + 1, 'w') + "\r\n";
        for (std::size_t k = 0; k < units; ++k)
            bytes += unit;
        if (unfinished)
            bytes += "z";
        WordList list(false);
        ASSERT_EQ(Read(bytes, list).status, Status::Loaded) << shift;
        ASSERT_EQ(list.ListCount(), total) << shift;
        for (std::size_t i = 1; i <= 5 * units; ++i)
            ASSERT_EQ(list.List(i), lines[(i - 1) % 5]) << shift << " at " << i;
        if (unfinished) {
            EXPECT_EQ(list.List(total - 1), "z") << shift;
        }
    }
}

// Whatever the count means, the user is told the figure the file shows.
TEST(DictionaryReader, DeclaredCountIsQuotedAsTheFileWritesIt)
{
    for (const std::string figure : {"123456789012345678901234567890", "12.500", "007"}) {
        WordList list;
        EXPECT_EQ(Read(kHeader + " +" + figure + "abc\r\na\r\n", list).declaredText, figure);
    }
}

// A refused file is told by what it holds: its first line as an editor
// shows it, or the first lines whose characters the game cannot hold,
// numbered as the editor numbers them, whatever ends them.
TEST(DictionaryReader, RefusalsSayWhatTheFileHolds)
{
    WordList list;
    EXPECT_EQ(Read("\xEF\xBB\xBF"
                   "Ciao à tutti\r\n1\r\n",
                   list)
                  .firstLine,
              u"Ciao à tutti");
    EXPECT_EQ(Read(Utf16(u"Dizionario\n", true), list).firstLine, u"Dizionario");
    EXPECT_EQ(Read("Perch\xE9 no", list).firstLine, u"Perché no");
    const char* ends[] = {"\r\n", "\n", "\r"};
    std::string bytes = "\xEF\xBB\xBF" + kHeader + "9\n";
    for (int i = 0; i < 7; ++i)
        bytes += "slowo" + std::to_string(i) + "ł" + ends[i % 3] + "casa" + ends[(i + 1) % 3];
    const ReadResult result = Read(bytes, list);
    ASSERT_EQ(result.status, Status::Unmappable);
    EXPECT_EQ(result.unmappableLines, 7u);
    ASSERT_EQ(result.unmappable.size(), kShownUnmappable);
    EXPECT_EQ(result.unmappable[0].number, 3u);
    EXPECT_EQ(result.unmappable[0].text, u"slowo0ł");
    EXPECT_EQ(result.unmappable[4].number, 11u);
    EXPECT_EQ(result.unmappable[4].text, u"slowo4ł");
    EXPECT_EQ(list.ListCount(), 0u);
}

// A word is shorter than 16 MiB: a longer line is a read error that leaves
// the list empty, whether the file ends it or not.
TEST(DictionaryReader, LineLongerThanAWordIsRefused)
{
    const std::string longest(WordItem::kLongestWord, 'x');
    WordList list;
    ASSERT_EQ(Read(kHeader + "2\r\ncasa\r\n" + longest + "\r\n", list).status, Status::Loaded);
    EXPECT_EQ(list.List(1).size(), WordItem::kLongestWord);
    for (const char* end : {"\r\n", ""}) {
        const ReadResult result = Read(kHeader + "2\r\ncasa\r\n" + longest + "x" + end, list);
        EXPECT_EQ(result.status, Status::ReadError);
        EXPECT_EQ(result.error, FileErrc::LineTooLong);
        EXPECT_EQ(list.ListCount(), 0u);
        list.Clear();
    }
}

TEST(DictionaryWriter, TwoWordsAreExactlyTheseBytes)
{
    WordList list;
    list.AddItem("mare");
    list.AddItem("casa");
    EXPECT_EQ(test::WrittenDictionary(list), "Lexor Dictionary Volume\r\n2\r\ncasa\r\nmare\r\n");
}

TEST(DictionaryWriter, EmptyListWritesCountZeroAndNothingAfter)
{
    EXPECT_EQ(test::WrittenDictionary(WordList()), "Lexor Dictionary Volume\r\n0\r\n");
}

TEST(DictionaryWriter, UnsortedListIsWrittenInItsOwnOrder)
{
    WordList list(false);
    for (auto w : {"zeta", "", "casa"})
        list.AddItem(w);
    EXPECT_EQ(test::WrittenDictionary(list), "Lexor Dictionary Volume\r\n3\r\nzeta\r\n\r\ncasa\r\n");
}

// A large list is laid out in parts side by side: each line must still
// come in its place.
TEST(DictionaryWriter, LargeListIsWrittenInListOrder)
{
    std::vector<std::string> words;
    for (int i = 0; i < 200000; ++i)
        words.push_back(std::string(static_cast<std::size_t>(i % 7), 'x') + std::to_string(i * 7919 % 200000));
    WordList list;
    list.AddItems(std::vector<std::string_view>(words.begin(), words.end()));
    std::string expected = kHeader + "200000\r\n";
    for (const std::string& word : Items(list))
        expected += word + "\r\n";
    EXPECT_EQ(test::WrittenDictionary(list), expected);
}

TEST(DictionaryRoundTrip, EveryByteButTheLineEndsComesBackUnchanged)
{
    WordList list;
    std::string all;
    for (int b = 0; b < 256; ++b) {
        if (b == '\r' || b == '\n')
            continue;
        list.AddItem(std::string(1, static_cast<char>(b)));
        all.push_back(static_cast<char>(b));
    }
    list.AddItem(all);
    list.AddItem("");
    list.AddItem("a\x1A");

    WordList loaded;
    const ReadResult result = Read(test::WrittenDictionary(list), loaded);
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_TRUE(result.InGamesForm());
    EXPECT_EQ(result.declared, list.ListCount());
    EXPECT_EQ(Items(loaded), Items(list));
}

TEST(DictionaryRoundTrip, MoreWordsThanSixteenBitsCanCount)
{
    WordList list;
    std::vector<std::string> words;
    for (int i = 0; i < 40000; ++i)
        words.push_back("w" + std::to_string(i * 7919 % 40000));
    std::vector<std::string_view> views(words.begin(), words.end());
    list.AddItems(views);
    const std::string bytes = test::WrittenDictionary(list);
    EXPECT_EQ(bytes.substr(0, kHeader.size() + 7), kHeader + "40000\r\n");

    WordList loaded;
    const ReadResult result = Read(bytes, loaded);
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_EQ(loaded.ListCount(), 40000u);
    EXPECT_TRUE(loaded == list);
}

} // namespace
} // namespace lexor

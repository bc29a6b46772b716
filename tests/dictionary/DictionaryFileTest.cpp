// The dictionary layout as the reader and the writer see it, over in-memory
// streams: line ends, the header check, the count line, short files.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/DictionaryReader.h"
#include "dictionary/DictionaryWriter.h"
#include "dictionary/FileError.h"
#include "support/TempDir.h"
#include "support/WordLists.h"

namespace lexor {
namespace {

using test::Items;

using Status = ReadResult::Status;

const std::string kHeader = "Lexor Dictionary Volume\r\n";

ReadResult Read(const std::string& bytes, WordList& target)
{
    std::istringstream in(bytes, std::ios::binary);
    return ReadDictionary(in, target);
}

std::string Written(const WordList& words)
{
    std::ostringstream out(std::ios::binary);
    WriteDictionary(out, words);
    return out.str();
}

struct ReadCase {
    const char* name;
    std::string bytes;
    Status status;
    std::vector<std::string> words; // in the sorted list's order
    std::uint64_t declared = 0;
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
    EXPECT_EQ(result.read, c.words.size());
    if (c.status == Status::Loaded || c.status == Status::Truncated || c.status == Status::MoreThanDeclared) {
        EXPECT_EQ(result.declared, c.declared);
    }
}

constexpr auto kSaturated = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

INSTANTIATE_TEST_SUITE_P(
    Header, ReadTable,
    testing::Values(ReadCase{"EmptyFile", "", Status::BadHeader, {}},
                    ReadCase{"ByteOrderMark", "\xEF\xBB\xBF" + kHeader + "1\r\na\r\n", Status::BadHeader, {}},
                    ReadCase{"LowerCase", "lexor dictionary volume\r\n1\r\na\r\n", Status::BadHeader, {}},
                    ReadCase{"TrailingBlank", "Lexor Dictionary Volume \r\n1\r\na\r\n", Status::BadHeader, {}},
                    ReadCase{"LeadingBlank", " Lexor Dictionary Volume\r\n1\r\na\r\n", Status::BadHeader, {}},
                    ReadCase{"LfOnlyIsOneLongLine", "Lexor Dictionary Volume\n1\na\n", Status::BadHeader, {}},
                    ReadCase{"HeaderPrefixOnly", "Lexor Dictionary", Status::BadHeader, {}},
                    ReadCase{"HeaderWithoutLineEnd", "Lexor Dictionary Volume", Status::NoWords, {}},
                    ReadCase{"NoCountLine", kHeader, Status::NoWords, {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    CountLine, ReadTable,
    testing::Values(ReadCase{"Zero", kHeader + "0\r\na\r\n", Status::NoWords, {}},
                    ReadCase{"Empty", kHeader + "\r\na\r\n", Status::NoWords, {}},
                    ReadCase{"Negative", kHeader + "-3\r\na\r\nb\r\nc\r\n", Status::NoWords, {}},
                    ReadCase{"Word", kHeader + "abc\r\na\r\n", Status::NoWords, {}},
                    ReadCase{"SignWithoutDigits", kHeader + "+\r\na\r\n", Status::NoWords, {}},
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
        ReadCase{"MixedLineEnds", "Lexor Dictionary Volume\r\n2\rb\r\na\r", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"LastLineWithoutEnd", kHeader + "2\r\nb\r\na", Status::Loaded, {"a", "b"}, 2},
        ReadCase{"LoneLfBelongsToTheWord", kHeader + "2\r\nb\nx\r\n\na\r\n", Status::Loaded, {"\na", "b\nx"}, 2},
        ReadCase{"FinalLineEndStartsNoLine", kHeader + "2\r\na\r\n", Status::Truncated, {"a"}, 2},
        ReadCase{"FewerWordsThanCount", kHeader + "5\r\nb\r\na\r\n", Status::Truncated, {"a", "b"}, 5},
        ReadCase{"CountButNoWords", kHeader + "1\r\n", Status::Truncated, {}, 1},
        ReadCase{"RepeatsKept", kHeader + "3\r\nb\r\na\r\nb\r\n", Status::Loaded, {"a", "b", "b"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// The reader takes its input in pieces: a stream into a block of 4 KiB that
// then doubles, a file into a first block of up to 64 KiB and then 1 MiB at
// a time. A line end split between two pieces, or a line longer than a
// piece, must read as any other.
TEST(DictionaryReader, LinesAcrossBlockEdgesReadWhole)
{
    test::TempDir dir;
    const std::size_t firstFileBlock = std::size_t{64} << 10;
    for (const auto& [fromFile, edge] : {std::pair{false, std::size_t{4096}}, std::pair{true, firstFileBlock},
                                         std::pair{true, firstFileBlock + (std::size_t{1} << 20)}}) {
        for (std::size_t shift = 0; shift < 6; ++shift) {
            const std::string head = kHeader + "4\r\n";
            const std::string first(edge - head.size() - 3 + shift, 'a');
            const std::string last(2 * edge + 5, 'e');
            const std::string bytes = head + first + "\r\nb\nc\rd\r\n" + last;
            WordList list;
            ReadResult result;
            if (fromFile) {
                test::WriteBytes(dir / "d.lexor", bytes);
                result = ReadDictionary(dir / "d.lexor", list);
            } else {
                result = Read(bytes, list);
            }
            ASSERT_EQ(result.status, Status::Loaded) << edge << "+" << shift;
            EXPECT_EQ(Items(list), (std::vector<std::string>{first, "b\nc", "d", last})) << edge << "+" << shift;
        }
    }
}

// A large text is cut into parts at line ends, which are read side by side:
// a cut that falls on a CR, between a CR and its LF, on a lone LF or inside
// a line must read as any other, and so must a last line without its end.
TEST(DictionaryReader, LinesAroundTheCutsBetweenPartsReadWhole)
{
    const std::string unit = "ab\r\n\rc\nd\r\r\n";
    const std::vector<std::string> lines{"ab", "", "c\nd", ""};
    const std::size_t units = (std::size_t{1} << 20) / unit.size() + 1;
    for (std::size_t shift = 0; shift < 2 * unit.size(); ++shift) {
        const bool unfinished = shift % 2 == 1;
        const std::size_t total = 1 + 4 * units + (unfinished ? 1 : 0);
        std::string bytes = kHeader + std::to_string(total) + "\r\n" + std::string(shift + 1, 'w') + "\r\n";
        for (std::size_t k = 0; k < units; ++k)
            bytes += unit;
        if (unfinished)
            bytes += "z";
        WordList list(false);
        ASSERT_EQ(Read(bytes, list).status, Status::Loaded) << shift;
        ASSERT_EQ(list.ListCount(), total) << shift;
        for (std::size_t i = 1; i <= 4 * units; ++i)
            ASSERT_EQ(list.List(i), lines[(i - 1) % 4]) << shift << " at " << i;
        if (unfinished)
            EXPECT_EQ(list.List(total - 1), "z") << shift;
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
    EXPECT_EQ(Written(list), "Lexor Dictionary Volume\r\n2\r\ncasa\r\nmare\r\n");
}

TEST(DictionaryWriter, EmptyListWritesCountZeroAndNothingAfter)
{
    EXPECT_EQ(Written(WordList()), "Lexor Dictionary Volume\r\n0\r\n");
}

TEST(DictionaryWriter, UnsortedListIsWrittenInItsOwnOrder)
{
    WordList list(false);
    for (auto w : {"zeta", "", "casa"})
        list.AddItem(w);
    EXPECT_EQ(Written(list), "Lexor Dictionary Volume\r\n3\r\nzeta\r\n\r\ncasa\r\n");
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
    EXPECT_EQ(Written(list), expected);
}

TEST(DictionaryRoundTrip, EveryByteButCrComesBackUnchanged)
{
    WordList list;
    std::string all;
    for (int b = 0; b < 256; ++b) {
        if (b == '\r')
            continue;
        list.AddItem(std::string(1, static_cast<char>(b)));
        all.push_back(static_cast<char>(b));
    }
    list.AddItem(all);
    list.AddItem("\n\n");
    list.AddItem("");
    list.AddItem("a\n");

    WordList loaded;
    const ReadResult result = Read(Written(list), loaded);
    EXPECT_EQ(result.status, Status::Loaded);
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
    const std::string bytes = Written(list);
    EXPECT_EQ(bytes.substr(0, kHeader.size() + 7), kHeader + "40000\r\n");

    WordList loaded;
    const ReadResult result = Read(bytes, loaded);
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_EQ(loaded.ListCount(), 40000u);
    EXPECT_TRUE(loaded == list);
}

} // namespace
} // namespace lexor

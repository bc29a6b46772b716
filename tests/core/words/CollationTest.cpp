// The order of sorted lists and the decoding of the game's code page.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "format/Cp1252.h"
#include "support/WordLists.h"
#include "words/Collation.h"

namespace lexor {
namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

// Each pair is in strictly ascending order.
struct Ordered {
    const char* first;
    const char* second;
};

class CollationPairs : public testing::TestWithParam<Ordered> {};

TEST_P(CollationPairs, RankInThisOrderBothWays)
{
    const auto& [first, second] = GetParam();
    EXPECT_LT(Collate(first, second), 0) << first << " / " << second;
    EXPECT_GT(Collate(second, first), 0) << first << " / " << second;
}

INSTANTIATE_TEST_SUITE_P(Words, CollationPairs,
                         testing::Values(Ordered{"", "a"}, Ordered{"Casa", "casa"}, Ordered{"casa", "Case"},
                                         Ordered{"casa", "casale"}, Ordered{"perche", "perch\xE9"},
                                         Ordered{"perch\xE9", "perchf"}, Ordered{"\xE8", "f"}, Ordered{"E", "\xE8"},
                                         Ordered{"area", "\xC0rea"}, Ordered{"citt\xE0", "cittadino"},
                                         Ordered{"\xE7", "d"}, Ordered{"\xF1", "o"}, Ordered{"\x8A", "t"},
                                         Ordered{"\xFF", "z"}, Ordered{"9", "a"}, Ordered{"-", "0"},
                                         Ordered{"a b", "ab"}));

// The candidates for a total order: bytes that fold together plus a few
// others, so equal primaries and exact-byte ties come up often.
std::vector<std::string> RandomWords(std::size_t count, unsigned seed)
{
    const std::string alphabet = "aAeE\xE0\xC0\xE8\xE9\xC8"
                                 "bB0-\x81\xFF\x9F";
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> length(0, 4);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::vector<std::string> words;
    for (std::size_t i = 0; i < count; ++i) {
        std::string w;
        for (std::size_t n = length(rng); n > 0; --n)
            w.push_back(alphabet[pick(rng)]);
        words.push_back(w);
    }
    return words;
}

TEST(Collation, LevelOnlyWhenIdenticalAndAntisymmetric)
{
    const auto words = RandomWords(400, 7);
    for (const auto& a : words)
        for (const auto& b : words) {
            ASSERT_EQ(Collate(a, b) == 0, a == b);
            ASSERT_EQ(Sign(Collate(a, b)), -Sign(Collate(b, a)));
        }
}

TEST(Collation, Transitive)
{
    const auto words = RandomWords(60, 11);
    for (const auto& a : words)
        for (const auto& b : words)
            for (const auto& c : words)
                if (Collate(a, b) < 0 && Collate(b, c) < 0) {
                    ASSERT_LT(Collate(a, c), 0);
                }
}

TEST(Collation, SortingPutsIdenticalWordsTogether)
{
    auto words = RandomWords(2000, 3);
    std::sort(words.begin(), words.end(), test::CollateLess);
    for (std::size_t i = 0; i + 1 < words.size(); ++i)
        for (std::size_t j = i + 2; j < words.size() && words[j] == words[i]; ++j)
            ASSERT_EQ(words[i + 1], words[i]);
}

TEST(Cp1252, DecodesTheWholeCodePage)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string text = Cp1252ToUtf16(all);
    ASSERT_EQ(text.size(), 256u);
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(text[b], static_cast<char16_t>(b));
    for (int b = 0xA0; b < 256; ++b)
        EXPECT_EQ(text[b], static_cast<char16_t>(b));
    EXPECT_EQ(text[0x80], u'\u20AC');
    EXPECT_EQ(text[0x8A], u'\u0160');
    EXPECT_EQ(text[0x92], u'\u2019');
    EXPECT_EQ(text[0x9F], u'\u0178');
    for (int unassigned : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(text[unassigned], static_cast<char16_t>(unassigned));
    std::u16string sorted = text;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "two bytes share a character";
}

TEST(Cp1252, WholeTextsKeepEveryByte)
{
    EXPECT_EQ(Cp1252ToUtf16("perch\xE9"), u"perch\u00E9");
    EXPECT_EQ(Cp1252ToUtf16("\x80"), u"\u20AC");
    EXPECT_EQ(Cp1252ToUtf16("\x81\x9D"), u"\u0081\u009D");
    EXPECT_EQ(Cp1252ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(Cp1252ToUtf16(""), u"");
}

} // namespace
} // namespace lexor

#include <gtest/gtest.h>

#include <string>

#include "dictionary/DictionaryReader.h"
#include "support/TempDir.h"

namespace lexor {
namespace {

TEST(FirstLine, StopsAtTheFirstLineEnd)
{
    test::TempDir dir;
    test::WriteBytes(dir / "a.lexor", "lexor dictionary volume\r\n3\r\n");
    const auto first = ReadFirstLine(dir / "a.lexor");
    ASSERT_TRUE(first.line.has_value());
    EXPECT_EQ(*first.line, "lexor dictionary volume");
    EXPECT_FALSE(first.error);
}

TEST(FirstLine, EmptyFileHasNoFirstLineButAnEmptyLineIsOne)
{
    test::TempDir dir;
    test::WriteBytes(dir / "empty", "");
    test::WriteBytes(dir / "cr", "\r");
    EXPECT_FALSE(ReadFirstLine(dir / "empty").line.has_value());
    ASSERT_TRUE(ReadFirstLine(dir / "cr").line.has_value());
    EXPECT_EQ(*ReadFirstLine(dir / "cr").line, "");
}

TEST(FirstLine, AHugeLineIsCutInsteadOfReadWhole)
{
    test::TempDir dir;
    test::WriteBytes(dir / "big", std::string(1 << 20, 'x'));
    const auto first = ReadFirstLine(dir / "big", 64);
    ASSERT_TRUE(first.line.has_value());
    EXPECT_EQ(first.line->size(), 64u);
}

TEST(FirstLine, FolderAndMissingFileAreReadErrors)
{
    test::TempDir dir;
    EXPECT_TRUE(ReadFirstLine(dir.path()).error);
    EXPECT_TRUE(ReadFirstLine(dir / "missing").error);
}

} // namespace
} // namespace lexor

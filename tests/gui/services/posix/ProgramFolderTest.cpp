#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "support/WordLists.h"

namespace lexor {
namespace {

namespace fs = std::filesystem;

// A game folder from an old archive may be named in bytes that are no valid
// text. The program still finds it, and its fixed files go there and nowhere
// else.
TEST(ProgramFolder, FixedFilesGoIntoAFolderNamedInBytesThatAreNoText)
{
    test::TempDir dir;
    const fs::path game = dir / "Gioc\xE9";
    fs::create_directory(game);
    const fs::path program = game / "lexor-tools";
    fs::copy_file(LEXOR_PROGRAM_FOLDER_CHILD, program);
    const fs::path original = dir / "o.lexor";
    const fs::path modified = dir / "m.lexor";
    test::WriteBytes(original, test::Dictionary({"casa", "mare"}));
    test::WriteBytes(modified, test::Dictionary({"casa", "mare", "sole"}));
    const bool rootHadThem = fs::exists("/Aggiunte.ldv") || fs::exists("/LEXOR.lexor");

    const std::string command = "'" + program.string() + "' '" + original.string() + "' '" + modified.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(test::ReadBytes(game / "Aggiunte.ldv"), test::Dictionary({"sole"}));
    EXPECT_EQ(test::ReadBytes(game / "LEXOR.lexor"), test::ReadBytes(modified));
    if (!rootHadThem) {
        EXPECT_FALSE(fs::exists("/Aggiunte.ldv"));
        EXPECT_FALSE(fs::exists("/LEXOR.lexor"));
    }
}

} // namespace
} // namespace lexor

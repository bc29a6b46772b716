// Loads as POSIX systems have them: file names are bytes, which need not be
// text, and a process's memory can be limited.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QLineEdit>
#include <QWidget>

#include "kit/Conversions.h"
#include "services/DictionaryFiles.h"
#include "services/FileDialog.h"
#include "support/WindowTest.h"
#include "windows/Tool2.h"
#include "words/WordList.h"

namespace lexor {
namespace {

using NamesInBytes = test::WindowTest;

// A name that is no valid UTF-8 is shown with U+FFFD in its place, as the
// file dialog would return it, and must still reach the file it names.
TEST_F(NamesInBytes, ANameThatIsNoValidTextIsLoadedThroughItsShownForm)
{
    const std::filesystem::path folder = game / "cartell\xE0";
    std::filesystem::create_directory(folder);
    const auto file = folder / "caff\xE8.lexor";
    test::WriteBytes(file, "Lexor Dictionary Volume\r\n1\r\ncaff\xE8\r\n");
    // Another name that shows alike cannot be told apart and is left alone.
    test::WriteBytes(folder / "t\xE8.lexor", "x");
    test::WriteBytes(folder / "t\xE9.lexor", "x");
    const QString shown = ui::FromPath(file);
    ASSERT_TRUE(shown.contains(QChar::ReplacementCharacter));
    OpenWindow<Tool2>();
    services.QueueFile(shown);
    Click("Command1");
    EXPECT_TRUE(services.boxes.empty());
    EXPECT_EQ(Text("Text1"), shown);
    EXPECT_EQ(Items("List1"), test::Words{"caffè"});
    EXPECT_EQ(ui::ToPath(shown), file);
    EXPECT_EQ(ui::ToPath(ui::FromPath(folder / "t\xE8.lexor")), ui::ToPath(ui::FromPath(folder / "t\xE9.lexor")));
    EXPECT_FALSE(std::filesystem::exists(ui::ToPath(ui::FromPath(folder / "t\xE8.lexor"))));
}

#ifndef __SANITIZE_ADDRESS__
// In a child process: limits its address space to 256 MiB more than it uses,
// loads hugePath and then goodPath, and exits 0 when the first load was told
// in its box and left the target empty and the second loaded.
[[noreturn]] void LoadWithLittleMemory(const QString& hugePath, const QString& goodPath)
{
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlim_t most = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{256} << 20);
    const rlimit limit{most, most};
    if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0)
        std::_Exit(2);
    test::ScriptedServices services;
    QWidget window;
    ui::FileDialog dialog(services, &window);
    WordList target;
    QLineEdit box(&window);
    auto load = [&](const QString& path) {
        services.QueueFile(path);
        return ui::LoadDictionary(services, {&window, &dialog, &target, &box, [&](const QString&) { target.Clear(); },
                                             QStringLiteral("LEXOR")});
    };
    const auto failed = load(hugePath);
    const bool told = services.boxes.size() == 1 && services.boxes[0].title == QStringLiteral("LEXOR") &&
                      services.boxes[0].text ==
                          QStringLiteral("Impossibile leggere il file:\n%1\nmemoria insufficiente").arg(hugePath);
    const bool empty = failed && failed->result.status == ReadResult::Status::ReadError && target.ListCount() == 0;
    const auto loaded = load(goodPath);
    const bool works = loaded && loaded->result.status == ReadResult::Status::Loaded && target.ListCount() == 1;
    std::_Exit(told && empty && works ? 0 : 1);
}
#endif

// The load of a file too big for the memory at hand is told in a box and
// leaves the target empty; the next load works. The file holds one word of
// 1 GiB.
TEST(DictionaryFilesMemory, OutOfMemoryIsToldAndTheNextLoadWorks)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "needs an address-space limit, which AddressSanitizer cannot run under";
#else
    test::TempDir dir;
    const auto huge = dir / "enorme.lexor";
    test::WriteBytes(huge, "Lexor Dictionary Volume\r\n1\r\n");
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 30); // the rest reads as zeros
    test::WriteBytes(dir / "buono.lexor", "Lexor Dictionary Volume\r\n1\r\ncasa\r\n");
    EXPECT_EXIT(LoadWithLittleMemory(ui::FromPath(huge), ui::FromPath(dir / "buono.lexor")), testing::ExitedWithCode(0),
                "");
#endif
}

} // namespace
} // namespace lexor

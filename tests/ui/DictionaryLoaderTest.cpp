#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <QWidget>

#include "dictionary/WordList.h"
#include "support/ScriptedServices.h"
#include "support/TempDir.h"
#include "ui/DictionaryLoader.h"
#include "ui/FileDialog.h"

namespace lexor {
namespace {

TEST(DictionaryLoader, CancelledDialogChangesNothing)
{
    test::ScriptedServices services;
    QWidget window;
    ui::FileDialog dialog(services, &window);
    WordList target;
    target.AddItem("casa");
    bool prepared = false;
    services.QueueCancel();
    auto result = ui::LoadDictionary(
        services, &window, dialog, target, [&](const QString&) { prepared = true; }, QStringLiteral("LEXOR"));
    EXPECT_FALSE(result.has_value());
    EXPECT_FALSE(prepared);
    EXPECT_EQ(target.ListCount(), 1u);
    EXPECT_TRUE(services.boxes.empty());
}

TEST(DictionaryLoader, NoWordsShowsTheCallersTitle)
{
    test::TempDir dir;
    test::WriteBytes(dir / "vuoto.lexor", "Lexor Dictionary Volume\r\n0\r\n");
    test::ScriptedServices services;
    QWidget window;
    ui::FileDialog dialog(services, &window);
    WordList target;
    services.QueueFile(QString::fromStdU16String((dir / "vuoto.lexor").u16string()));
    ui::LoadDictionary(
        services, &window, dialog, target, [&](const QString&) { target.Clear(); }, QStringLiteral("LEXOR"));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, QStringLiteral("Errore: nessuna parola nel dizionario!"));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
}

// What each reading of a chosen file leaves in the target and shows: the
// preparation has run in every case, and only a cut-short file or one that
// cannot be read adds a box to the no-words one.
struct LoadCase {
    const char* name;
    std::string bytes; // empty: no file at all
    std::size_t words;
    QString text; // the one box, or none
};

TEST(DictionaryLoader, WhatEachFileLeavesAndShows)
{
    const std::string header = "Lexor Dictionary Volume\r\n";
    const std::vector<LoadCase> cases = {
        {"loaded", header + "2\r\nmare\r\ncasa\r\n", 2, {}},
        {"bad header", "lexor dictionary volume\r\n1\r\ncasa\r\n", 0, {}},
        {"truncated", header + "5\r\nmare\r\ncasa\r\n", 2,
         QStringLiteral("Attenzione: il dizionario dichiara 5 parole ma ne contiene solo 2.")},
        {"count without words", header + "1000000000000", 0,
         QStringLiteral("Attenzione: il dizionario dichiara 1000000000000 parole ma ne contiene solo 0.")},
    };
    for (const LoadCase& c : cases) {
        test::TempDir dir;
        test::WriteBytes(dir / "d.lexor", c.bytes);
        test::ScriptedServices services;
        QWidget window;
        ui::FileDialog dialog(services, &window);
        WordList target;
        target.AddItem("vecchia");
        QString shown;
        const QString path = QString::fromStdU16String((dir / "d.lexor").u16string());
        services.QueueFile(path);
        ui::LoadDictionary(
            services, &window, dialog, target,
            [&](const QString& p) {
                target.Clear();
                shown = p;
            },
            QStringLiteral("LEXOR"));
        EXPECT_EQ(shown, path) << c.name;
        EXPECT_EQ(target.ListCount(), c.words) << c.name;
        if (c.text.isEmpty()) {
            EXPECT_TRUE(services.boxes.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(services.boxes.size(), 1u) << c.name;
        EXPECT_EQ(services.boxes[0].text, c.text) << c.name;
        EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR Tools")) << c.name;
    }
}

TEST(DictionaryLoader, UnreadableFileShowsPathAndReason)
{
    test::TempDir dir;
    const QString path = QString::fromStdU16String((dir / "assente.lexor").u16string());
    test::ScriptedServices services;
    QWidget window;
    ui::FileDialog dialog(services, &window);
    WordList target;
    services.QueueFile(path);
    const auto result = ui::LoadDictionary(
        services, &window, dialog, target, [&](const QString&) { target.Clear(); }, QStringLiteral("LEXOR"));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->status, ReadResult::Status::ReadError);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text,
              QStringLiteral("Impossibile leggere il file:\n%1\nil file o la cartella non esiste").arg(path));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR Tools"));
    EXPECT_EQ(target.ListCount(), 0u);
}

#ifndef _WIN32
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
    auto load = [&](const QString& path) {
        services.QueueFile(path);
        return ui::LoadDictionary(
            services, &window, dialog, target, [&](const QString&) { target.Clear(); }, QStringLiteral("LEXOR"));
    };
    const auto failed = load(hugePath);
    const bool told = services.boxes.size() == 1 && services.boxes[0].title == QStringLiteral("LEXOR Tools") &&
                      services.boxes[0].text ==
                          QStringLiteral("Impossibile leggere il file:\n%1\nmemoria insufficiente").arg(hugePath);
    const bool empty = failed && failed->status == ReadResult::Status::ReadError && target.ListCount() == 0;
    const auto loaded = load(goodPath);
    const bool works = loaded && loaded->status == ReadResult::Status::Loaded && target.ListCount() == 1;
    std::_Exit(told && empty && works ? 0 : 1);
}
#endif

// The load of a file too big for the memory at hand is told in a box and
// leaves the target empty; the next load works. The file holds one word of
// 1 GiB.
TEST(DictionaryLoader, PosixOnly_OutOfMemoryIsToldAndTheNextLoadWorks)
{
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "needs an address-space limit, which AddressSanitizer cannot run under";
#else
    test::TempDir dir;
    const auto huge = dir / "enorme.lexor";
    test::WriteBytes(huge, "Lexor Dictionary Volume\r\n1\r\n");
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 30); // the rest reads as zeros
    test::WriteBytes(dir / "buono.lexor", "Lexor Dictionary Volume\r\n1\r\ncasa\r\n");
    EXPECT_EXIT(LoadWithLittleMemory(QString::fromStdString(huge.string()),
                                     QString::fromStdString((dir / "buono.lexor").string())),
                testing::ExitedWithCode(0), "");
#endif
}

} // namespace
} // namespace lexor

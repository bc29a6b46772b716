#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <QLineEdit>
#include <QWidget>

#include "words/WordList.h"
#include "support/WindowTest.h"
#include "kit/Conversions.h"
#include "services/DictionaryFiles.h"
#include "services/FileDialog.h"

namespace lexor {
namespace {

class DictionaryFiles : public test::WindowTest {
protected:
    // Loads whatever the dialog answers into target; the preparation empties
    // the target and keeps the path it is given.
    std::optional<ui::LoadedFile> Load()
    {
        const ui::Loader loader{&window,
                                &dialog,
                                &target,
                                &box,
                                [this](const QString& path) {
                                    target.Clear();
                                    prepared = path;
                                    box.setText(path);
                                },
                                QStringLiteral("LEXOR"),
                                savedOver};
        return ui::LoadDictionary(services, loader);
    }

    QWidget window;
    QLineEdit box{&window};
    ui::FileDialog dialog{services, &window};
    WordList target;
    std::optional<QString> prepared;
    bool savedOver = false;
};

TEST_F(DictionaryFiles, CancelledDialogChangesNothing)
{
    target.AddItem("casa");
    services.QueueCancel();
    EXPECT_FALSE(Load().has_value());
    EXPECT_FALSE(prepared.has_value());
    EXPECT_EQ(target.ListCount(), 1u);
    EXPECT_TRUE(services.boxes.empty());
}

TEST_F(DictionaryFiles, NoWordsShowsTheCallersTitle)
{
    Choose(Write("vuoto.lexor", "Lexor Dictionary Volume\r\n0\r\n"));
    Load();
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, QStringLiteral("Errore: nessuna parola nel dizionario!"));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
}

// What each reading of a chosen file leaves in the target and shows: the
// preparation has run in every case, every file that is not loaded as it
// declares itself is told in a box, and the path stays in its box only when
// words came with it.
struct LoadCase {
    const char* name;
    std::string bytes;
    std::size_t words;
    QString text; // the one box, or none
};

TEST_F(DictionaryFiles, WhatEachFileLeavesAndShows)
{
    const std::string header = "Lexor Dictionary Volume\r\n";
    const std::vector<LoadCase> cases = {
        {"loaded", header + "2\r\nmare\r\ncasa\r\n", 2, {}},
        {"bad header", "lexor dictionary volume\r\n1\r\ncasa\r\n", 0,
         QStringLiteral(
             "Il file non è un dizionario LEXOR:\n%1\nla prima riga è \"lexor dictionary volume\", invece di "
             "\"Lexor Dictionary Volume\".")},
        {"first line quoted up to 40 characters", "\xEF\xBB\xBFQuesto è l'elenco delle parole che uso per giocare\r\n",
         0,
         QStringLiteral(
             "Il file non è un dizionario LEXOR:\n%1\nla prima riga è \"Questo è l'elenco delle parole che uso "
             "p…\", invece di \"Lexor Dictionary Volume\".")},
        {"empty first line", "\r\nLexor Dictionary Volume\r\n", 0,
         QStringLiteral("Il file non è un dizionario LEXOR:\n%1\nla prima riga è vuota, invece di "
                        "\"Lexor Dictionary Volume\".")},
        {"empty file", "", 0, QStringLiteral("Il file non è un dizionario LEXOR:\n%1\nil file è vuoto (0 byte).")},
        {"binary file", std::string("\x89PNG\r\n\x1A\n\0\0", 10), 0,
         QStringLiteral(
             "Il file non è un dizionario LEXOR:\n%1\nè un file binario, non un testo (contiene byte nulli).")},
        {"characters the game cannot hold", "\xEF\xBB\xBF" + header + "3\r\nmare\r\nżółw\nkoń\r\n", 0,
         QStringLiteral(
             "Impossibile caricare il dizionario:\n%1\nqueste righe hanno caratteri che il gioco non può usare "
             "(mancano in Windows-1252):\nriga 4: żółw\nriga 5: koń")},
        {"editor's form and count in one box",
         "\xEF\xBB\xBF"
         "Lexor Dictionary Volume\ncittà\nmare\n",
         2,
         QStringLiteral("Il dizionario non è nella forma letta dal gioco (UTF-8 con BOM, a capo LF, conteggio "
                        "mancante):\n%1\nSono state lette 2 parole, come le mostra l'editor di testo.")},
        {"count disagreeing in an editor's form", "Lexor Dictionary Volume \r\n3\r\nmare\r\n", 1,
         QStringLiteral("Il dizionario non è nella forma letta dal gioco (spazi dopo l'intestazione):\n%1\nSono "
                        "state lette 1 parole, come le mostra l'editor di testo.\nAttenzione: il dizionario dichiara 3 "
                        "parole ma ne contiene solo 1.")},
        {"truncated", header + "5\r\nmare\r\ncasa\r\n", 2,
         QStringLiteral("Attenzione: il dizionario dichiara 5 parole ma ne contiene solo 2.")},
        {"count without words", header + "1000000000000", 0,
         QStringLiteral("Attenzione: il dizionario dichiara 1000000000000 parole ma ne contiene solo 0.")},
        {"count beyond 64 bits", header + "123456789012345678901234567890\r\ncasa\r\n", 1,
         QStringLiteral(
             "Attenzione: il dizionario dichiara 123456789012345678901234567890 parole ma ne contiene solo 1.")},
        {"words after the counted ones", header + "1\r\nmare\r\ncasa\r\n", 2,
         QStringLiteral("Attenzione: il dizionario dichiara 1 parole ma ne contiene 2.\n"
                        "Sono state caricate tutte le 2 parole.")},
        {"thousands dots", header + "1.002\r\nmare\r\n", 1,
         QStringLiteral("Attenzione: il dizionario dichiara 1.002 parole ma ne contiene solo 1.")},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        services.boxes.clear();
        target.AddItem("vecchia");
        const auto file = Write("d.lexor", c.bytes);
        Choose(file);
        Load();
        EXPECT_EQ(prepared, ui::FromPath(file));
        EXPECT_EQ(target.ListCount(), c.words);
        EXPECT_EQ(box.text(), c.words > 0 ? ui::FromPath(file) : QString());
        if (c.text.isEmpty()) {
            EXPECT_TRUE(services.boxes.empty());
            continue;
        }
        ASSERT_EQ(services.boxes.size(), 1u);
        EXPECT_EQ(services.boxes[0].text,
                  c.text.contains(QLatin1String("%1")) ? c.text.arg(ui::FromPath(file)) : c.text);
        EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    }
}

TEST_F(DictionaryFiles, UnreadableFileShowsPathAndReason)
{
    const QString path = ui::FromPath(game / "assente.lexor");
    services.QueueFile(path);
    const auto result = Load();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->result.status, ReadResult::Status::ReadError);
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text,
              QStringLiteral("Impossibile leggere il file:\n%1\nil file o la cartella non esiste").arg(path));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
    EXPECT_EQ(target.ListCount(), 0u);
}

// A name that is no valid UTF-8 is shown with U+FFFD in its place, as the
// file dialog would return it, and must still reach the file it names.
TEST_F(DictionaryFiles, PosixOnly_NameThatIsNoValidTextIsLoadedThroughItsShownForm)
{
    if (sizeof(std::filesystem::path::value_type) != 1)
        GTEST_SKIP() << "file names are UTF-16 here";
    const std::filesystem::path folder = game / "cartell\xE0";
    std::filesystem::create_directory(folder);
    const auto file = folder / "caff\xE8.lexor";
    test::WriteBytes(file, "Lexor Dictionary Volume\r\n1\r\ncaff\xE8\r\n");
    // Another name that shows alike cannot be told apart and is left alone.
    test::WriteBytes(folder / "t\xE8.lexor", "x");
    test::WriteBytes(folder / "t\xE9.lexor", "x");
    const QString shown = ui::FromPath(file);
    ASSERT_TRUE(shown.contains(QChar::ReplacementCharacter));
    services.QueueFile(shown);
    const auto loaded = Load();
    ASSERT_EQ(loaded->result.status, ReadResult::Status::Loaded);
    EXPECT_EQ(loaded->path, file);
    EXPECT_EQ(prepared, shown);
    ASSERT_EQ(target.ListCount(), 1u);
    EXPECT_EQ(target.List(0), "caff\xE8");
    EXPECT_EQ(ui::ToPath(shown), file);
    EXPECT_EQ(ui::ToPath(ui::FromPath(folder / "t\xE8.lexor")), ui::ToPath(ui::FromPath(folder / "t\xE9.lexor")));
    EXPECT_FALSE(std::filesystem::exists(ui::ToPath(ui::FromPath(folder / "t\xE8.lexor"))));
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
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
TEST(DictionaryFilesMemory, PosixOnly_OutOfMemoryIsToldAndTheNextLoadWorks)
{
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
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

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <QLineEdit>
#include <QWidget>

#include "kit/Conversions.h"
#include "services/DictionaryFiles.h"
#include "services/FileDialog.h"
#include "support/WindowTest.h"
#include "words/WordList.h"

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

} // namespace
} // namespace lexor

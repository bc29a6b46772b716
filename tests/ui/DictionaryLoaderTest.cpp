#include <gtest/gtest.h>

#include <system_error>

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

} // namespace
} // namespace lexor

#include <gtest/gtest.h>

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
    auto result = ui::LoadDictionary(services, &window, dialog, target, [&](const QString&) { prepared = true; },
                                     QStringLiteral("LEXOR"));
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
    ui::LoadDictionary(services, &window, dialog, target, [&](const QString&) { target.Clear(); },
                       QStringLiteral("LEXOR"));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].text, QStringLiteral("Errore: nessuna parola nel dizionario!"));
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("LEXOR"));
}

} // namespace
} // namespace lexor

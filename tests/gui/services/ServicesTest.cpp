#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QWidget>

#include "kit/Conversions.h"
#include "services/FileDialog.h"
#include "services/QtServices.h"
#include "support/ModalCloser.h"
#include "support/ScriptedServices.h"
#include "support/TempDir.h"

namespace lexor {
namespace {

TEST(QtServices, QuestionBoxHasNoIconAndEnterAnswersYes)
{
    const QString text = QStringLiteral("Sovrascrivere il file?\n<b>C:\\Giochi\\a.lexor</b>");
    const ui::Answer answer =
        test::ShowBox(text, QStringLiteral("LEXOR Tools"), ui::Buttons::YesNo, [&](QMessageBox& box) {
            EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box.windowTitle(), QStringLiteral("LEXOR Tools"));
            EXPECT_EQ(box.text(), text);
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
            test::PressOn(box, Qt::Key_Return);
        });
    EXPECT_EQ(answer, ui::Answer::Yes);
    EXPECT_EQ(test::ShowBox(text, QStringLiteral("LEXOR Tools"), ui::Buttons::YesNo,
                            [](QMessageBox& box) { test::PressOn(box, Qt::Key_Escape); }),
              ui::Answer::No);
}

// The program speaks Italian on any desktop: the toolkit's own button texts
// come from the translation built into it.
TEST(QtServices, BoxButtonsSpeakItalian)
{
    test::ShowBox(QStringLiteral("Proseguire?"), QStringLiteral("LEXOR Tools"), ui::Buttons::YesNo,
                  [](QMessageBox& box) {
                      EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Sì"));
                      EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("No"));
                  });
    EXPECT_EQ(QLocale().language(), QLocale::Italian);
}

TEST(QtServices, InformationBoxHasOnlyOk)
{
    QAbstractButton* pressed = nullptr;
    QAbstractButton* ok = nullptr;
    test::ShowBox(QStringLiteral("File salvato!"), QStringLiteral("LEXOR Tools"), ui::Buttons::Ok,
                  [&](QMessageBox& box) {
                      EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
                      EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
                      ok = box.button(QMessageBox::Ok);
                      test::PressOn(box, Qt::Key_Return);
                      pressed = box.clickedButton();
                  });
    EXPECT_EQ(pressed, ok);
}

// A box or a file dialog gives the keyboard back to the window that opened
// it, on the control that had it; the dialog carries the title it is given.
TEST(QtServices, TheKeyboardComesBackToTheControlThatHadIt)
{
    QWidget window;
    auto* first = new QPushButton(QStringLiteral("primo"), &window);
    auto* second = new QPushButton(QStringLiteral("secondo"), &window);
    second->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ui::QtServices services;

    second->setFocus();
    {
        test::ModalCloser closer;
        services.Message(first, QStringLiteral("File salvato!"), QStringLiteral("LEXOR Tools"), ui::Buttons::Ok);
    }
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), second);

    first->setFocus();
    {
        test::ModalCloser closer;
        EXPECT_TRUE(services
                        .OpenFile(second, QStringLiteral("Scegli il dizionario originale"), QDir::tempPath(),
                                  QStringLiteral("Dizionari LEXOR (*.lexor)"))
                        .isEmpty());
        EXPECT_EQ(closer.title, QStringLiteral("Scegli il dizionario originale"));
    }
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), first);
}

// A window manager draws the title bold and centred, with the box's icon
// on one side and its buttons on the other: even a box of a few words
// leaves it room.
TEST(QtServices, ABoxIsAsWideAsItsTitleNeeds)
{
    const QString title = QStringLiteral("LEXOR Tools");
    test::ShowBox(QStringLiteral("File salvato!"), title, ui::Buttons::Ok, [&](QMessageBox& box) {
        QFont titleFace = QApplication::font("QMdiSubWindowTitleBar");
        titleFace.setBold(true);
        const int button = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
        EXPECT_GE(box.width(), QFontMetrics(titleFace).horizontalAdvance(title) + 2 * 3 * button);
    });
}

// A path longer than a box can be is broken into lines, after a separator
// where it can be: every character shows, none is cut off at the edge.
TEST(QtServices, ALongPathIsBrokenIntoLinesAndNothingIsCutOff)
{
    const QString path =
        QStringLiteral("C:\\Giochi\\LEXOR\\") + QString(208, QLatin1Char('x')) + QStringLiteral("\\Dizionario.lexor");
    const QString text = QStringLiteral("Impossibile salvare il file:\n") + path + QStringLiteral("\nAccesso negato.");
    test::ShowBox(text, QStringLiteral("LEXOR Tools"), ui::Buttons::Ok, [&](QMessageBox& box) {
        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        const QStringList lines = box.text().split(QLatin1Char('\n'));
        EXPECT_EQ(box.text().remove(QLatin1Char('\n')), QString(text).remove(QLatin1Char('\n')));
        ASSERT_GT(lines.size(), 4);
        EXPECT_EQ(lines[1], QStringLiteral("C:\\Giochi\\LEXOR\\"));
        const QFontMetrics metrics(label->font());
        for (const QString& line : lines)
            for (const QString& run : line.split(QLatin1Char(' ')))
                EXPECT_LE(metrics.horizontalAdvance(run), label->contentsRect().width()) << run.toStdString();
    });
}

// The file dialog opens in its folder, or the nearest one above it that
// exists, with nothing typed in as the name, and tells sizes, kinds and
// dates in Italian whatever the system's language.
TEST(QtServices, TheDialogOpensInTheNearestFolderThatExistsWithNoNameAndSpeaksItalian)
{
    test::TempDir game;
    const auto file = game / "prova.lexor";
    test::WriteBytes(file, std::string(3000, 'a'));
    std::filesystem::create_directory(game / "Vecchi");
    QWidget window;
    ui::QtServices services;
    QString folder, name, size, kind, date, folderKind;
    test::ModalCloser closer([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        folder = dialog->directory().absolutePath();
        name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        const auto* details =
            qobject_cast<QAbstractProxyModel*>(dialog->findChild<QTreeView*>(QStringLiteral("treeView"))->model());
        ASSERT_NE(details, nullptr);
        auto* files = qobject_cast<QFileSystemModel*>(details->sourceModel());
        ASSERT_NE(files, nullptr);
        auto shown = [&](const std::filesystem::path& path, int column) {
            return details->mapFromSource(files->index(ui::FromPath(path), column)).data().toString();
        };
        size = shown(file, 1);
        kind = shown(game / "Vecchi", 2);
        date = shown(file, 3);
    });
    services.OpenFile(&window, QStringLiteral("Scegli il dizionario da attivare"), ui::FromPath(game / "Dizionari"),
                      QStringLiteral("Dizionari LEXOR (*.lexor)"));
    EXPECT_EQ(folder, QDir(ui::FromPath(game.path())).absolutePath());
    EXPECT_EQ(name, QString());
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(size, italian.formattedDataSize(3000));
    EXPECT_EQ(kind, QStringLiteral("Cartella"));
    EXPECT_EQ(date, italian.toString(QFileInfo(ui::FromPath(file)).lastModified(), QLocale::ShortFormat));
}

// Nothing is kept between runs: the dialog neither starts from what the
// toolkit's dialog of an earlier run left in the user's settings nor leaves
// anything there; and each opening starts afresh, with no name typed in.
TEST(QtServices, TheDialogNeitherReadsNorWritesTheUsersSettings)
{
    test::TempDir game, elsewhere, settingsFolder;
    // Where Linux keeps them; Windows keeps them in the registry.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ui::FromPath(settingsFolder.path()));
    const QString earlier = QUrl::fromLocalFile(ui::FromPath(elsewhere.path())).toString();
    QSettings kept(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QtProject"));
    kept.remove(QStringLiteral("FileDialog"));
    kept.setValue(QStringLiteral("FileDialog/history"), QStringList{earlier});
    kept.setValue(QStringLiteral("FileDialog/lastVisited"), earlier);
    kept.setValue(QStringLiteral("FileDialog/shortcuts"), QStringList{earlier});
    kept.sync();
    const QStringList keys = kept.allKeys();

    QWidget window;
    ui::QtServices services;
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        QStringList history;
        QList<QUrl> shortcuts;
        QString folder, name;
        {
            test::ModalCloser closer([&](QWidget* modal) {
                auto* dialog = static_cast<QFileDialog*>(modal);
                history = dialog->history();
                shortcuts = dialog->sidebarUrls();
                folder = dialog->directory().absolutePath();
                auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                name = nameBox->text();
                nameBox->setText(QStringLiteral("scritto.lexor"));
            });
            services.OpenFile(&window, QStringLiteral("Scegli il dizionario originale"), ui::FromPath(game.path()),
                              QStringLiteral("Dizionari LEXOR (*.lexor)"));
        }
        EXPECT_FALSE(history.contains(ui::FromPath(elsewhere.path())));
        EXPECT_FALSE(shortcuts.contains(QUrl(earlier)));
        EXPECT_EQ(folder, QDir(ui::FromPath(game.path())).absolutePath());
        EXPECT_EQ(name, QString());
    }
    kept.sync();
    EXPECT_EQ(kept.allKeys(), keys);
    EXPECT_EQ(kept.value(QStringLiteral("FileDialog/lastVisited")).toString(), earlier);
    kept.remove(QStringLiteral("FileDialog"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

TEST(QtServices, QuestionThatKeepsByDefaultAnswersNoToEnter)
{
    const ui::Answer answer = test::ShowBox(QStringLiteral("Sovrascrivere comunque?"), QStringLiteral("LEXOR Tools"),
                                            ui::Buttons::YesNoDefaultNo, [](QMessageBox& box) {
                                                EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
                                                test::PressOn(box, Qt::Key_Return);
                                            });
    EXPECT_EQ(answer, ui::Answer::No);
}

TEST(QtServices, ApplicationFolderIsTheExecutablesWithoutTrailingSeparator)
{
    ui::QtServices services;
    const std::filesystem::path folder = services.AppFolder();
    EXPECT_TRUE(std::filesystem::equivalent(folder, ui::ToPath(QCoreApplication::applicationDirPath())));
    EXPECT_TRUE(folder.has_filename());
    EXPECT_EQ(services.AppPath("LEXOR.lexor"), folder / "LEXOR.lexor");
}

TEST(Services, FixedNamesAreJoinedWithOneSeparatorAndNowhereWithoutAFolder)
{
    test::ScriptedServices services(std::filesystem::path("gioco"));
    for (const char* name : {"Dizionari", "LEXOR.lexor", "Aggiunte.ldv", "Mancanti.ldv"})
        EXPECT_EQ(services.AppPath(name), std::filesystem::path("gioco") / name);
    services.SetAppFolder({});
    EXPECT_TRUE(services.AppPath("LEXOR.lexor").empty());
}

TEST(FileDialog, ChoosingClearsTheNameAndReportsCancel)
{
    test::ScriptedServices services;
    QWidget owner;
    ui::FileDialog dialog(services, &owner);
    dialog.InitDir = QStringLiteral("cartella");
    dialog.FileName = QStringLiteral("vecchio.lexor");

    services.QueueCancel();
    EXPECT_FALSE(dialog.Choose());
    EXPECT_TRUE(dialog.FileName.isEmpty());

    services.QueueFile(QStringLiteral("nuovo.lexor"));
    EXPECT_TRUE(dialog.Choose());
    EXPECT_EQ(dialog.FileName, QStringLiteral("nuovo.lexor"));

    ASSERT_EQ(services.dialogs.size(), 2u);
    EXPECT_EQ(services.dialogs[1].initialDir, QStringLiteral("cartella"));
    EXPECT_EQ(services.dialogs[1].filter, QStringLiteral("Dizionari LEXOR (*.lexor)"));
}

} // namespace
} // namespace lexor

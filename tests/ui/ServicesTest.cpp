#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "support/ScriptedServices.h"
#include "ui/Conversions.h"
#include "ui/FileDialog.h"
#include "ui/QtServices.h"

namespace lexor {
namespace {

// The key goes where the desktop sends it: to the box's focused control.
QAbstractButton* PressOn(QMessageBox& box, Qt::Key key)
{
    box.show();
    box.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    QWidget* target = box.focusWidget() ? box.focusWidget() : &box;
    QTest::keyClick(target, key);
    return box.clickedButton();
}

TEST(QtServices, QuestionBoxHasNoIconAndEnterAnswersYes)
{
    const QString text = QStringLiteral("Sovrascrivere il file?\n<b>C:\\Giochi\\a.lexor</b>");
    const auto box = ui::QtServices::MakeBox(nullptr, text, QStringLiteral("LEXOR Tools"), ui::Buttons::YesNo);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("LEXOR Tools"));
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    EXPECT_EQ(PressOn(*box, Qt::Key_Return), box->button(QMessageBox::Yes));

    const auto again = ui::QtServices::MakeBox(nullptr, text, QStringLiteral("LEXOR Tools"), ui::Buttons::YesNo);
    EXPECT_EQ(PressOn(*again, Qt::Key_Escape), again->button(QMessageBox::No));
}

// The program speaks Italian on any desktop: the toolkit's own button texts
// come from the translation built into it.
TEST(QtServices, BoxButtonsSpeakItalian)
{
    const auto question = ui::QtServices::MakeBox(nullptr, QStringLiteral("Proseguire?"), QStringLiteral("LEXOR Tools"),
                                                  ui::Buttons::YesNo);
    EXPECT_EQ(question->button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Sì"));
    EXPECT_EQ(question->button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("No"));
    EXPECT_EQ(QLocale().language(), QLocale::Italian);
}

TEST(QtServices, InformationBoxHasOnlyOk)
{
    const auto box = ui::QtServices::MakeBox(nullptr, QStringLiteral("File salvato!"), QStringLiteral("LEXOR Tools"),
                                             ui::Buttons::Ok);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(PressOn(*box, Qt::Key_Return), box->button(QMessageBox::Ok));
}

// Closes whatever modal window opens next, once it is open, and keeps its title.
class ModalCloser : public QObject {
public:
    ModalCloser()
    {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                title = modal->windowTitle();
                modal->close();
                timer_.stop();
            }
        });
        timer_.start();
    }
    QString title;

private:
    QTimer timer_;
};

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
        ModalCloser closer;
        services.Message(first, QStringLiteral("File salvato!"), QStringLiteral("LEXOR Tools"), ui::Buttons::Ok);
    }
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), second);

    first->setFocus();
    {
        ModalCloser closer;
        EXPECT_TRUE(services
                        .OpenFile(second, QStringLiteral("Scegli il dizionario originale"), QDir::tempPath(),
                                  QStringLiteral("Dizionari LEXOR (*.lexor)"))
                        .isEmpty());
        EXPECT_EQ(closer.title, QStringLiteral("Scegli il dizionario originale"));
    }
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), first);
}

TEST(QtServices, QuestionThatKeepsByDefaultAnswersNoToEnter)
{
    const auto box = ui::QtServices::MakeBox(nullptr, QStringLiteral("Sovrascrivere comunque?"),
                                             QStringLiteral("LEXOR Tools"), ui::Buttons::YesNoDefaultNo);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    EXPECT_EQ(PressOn(*box, Qt::Key_Return), box->button(QMessageBox::No));
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

#include "ui/QtServices.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>

#include "dictionary/ProgramFolder.h"
#include "ui/Design.h"

namespace lexor::ui {

namespace {

// A box without an icon still keeps an empty column for one, which pushes
// the text off centre: the text takes the whole width instead.
void DropIconColumn(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    const int index = grid && label ? grid->indexOf(label) : -1;
    if (index < 0)
        return;
    for (int i = grid->count() - 1; i >= 0; --i) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        if (column == 0 && grid->itemAt(i)->spacerItem())
            delete grid->takeAt(i);
    }
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(label), &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(label);
    grid->addWidget(label, row, 0, rowSpan, grid->columnCount());
}

// Where no window manager hands the keyboard back, it would stay with the
// closed box or dialog: the window that opened it takes it again.
void GiveFocusBack(QWidget* parent)
{
    QWidget* window = parent ? parent->window() : nullptr;
    if (window && window->isVisible())
        window->activateWindow();
}

} // namespace

std::filesystem::path Services::AppPath(std::string_view name) const
{
    const std::filesystem::path folder = AppFolder();
    return folder.empty() ? folder : folder / name;
}

std::unique_ptr<QMessageBox> QtServices::MakeBox(QWidget* parent, const QString& text, const QString& title,
                                                 Buttons buttons)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    // Paths and system reasons are shown as they are, never as markup.
    box->setTextFormat(Qt::PlainText);
    // The windows' own regular text.
    box->setFont(DesignFont(8.25, false));
    if (buttons != Buttons::Ok) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    DropIconColumn(*box);
    // Nor pictures on the buttons, which some styles add.
    for (QAbstractButton* button : box->buttons())
        button->setIcon(QIcon());
    return box;
}

Answer QtServices::Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons)
{
    const auto box = MakeBox(parent, text, title, buttons);
    const int pressed = box->exec();
    GiveFocusBack(parent);
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtServices::OpenFile(QWidget* parent, const QString& initialDir, const QString& filter)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initialDir, filter);
    GiveFocusBack(parent);
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}

std::filesystem::path QtServices::AppFolder() const
{
    return ProgramFolder();
}

} // namespace lexor::ui

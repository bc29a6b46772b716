#include "ui/QtServices.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>

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

// The control that has the keyboard in parent's window, before a box or
// dialog takes it.
QPointer<QWidget> FocusOf(QWidget* parent)
{
    QWidget* window = parent ? parent->window() : nullptr;
    return window ? window->focusWidget() : nullptr;
}

// Whether or not a window manager hands the keyboard back, the window that
// opened the box or dialog takes it again, on the control that had it.
void GiveFocusBack(QWidget* parent, const QPointer<QWidget>& focus)
{
    QWidget* window = parent ? parent->window() : nullptr;
    if (!window || !window->isVisible())
        return;
    window->raise();
    window->activateWindow();
    if (focus && focus->window() == window && focus->isEnabled())
        focus->setFocus(Qt::ActiveWindowFocusReason);
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
    const QPointer<QWidget> focus = FocusOf(parent);
    const auto box = MakeBox(parent, text, title, buttons);
    const int pressed = box->exec();
    GiveFocusBack(parent, focus);
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtServices::OpenFile(QWidget* parent, const QString& title, const QString& initialDir, const QString& filter)
{
    const QPointer<QWidget> focus = FocusOf(parent);
    // The toolkit's own dialog, not the system's: it speaks Italian on any
    // system, and it hands the keyboard back when it closes, which Windows'
    // own dialog under Wine with a window manager does not.
    const QString chosen =
        QFileDialog::getOpenFileName(parent, title, initialDir, filter, nullptr, QFileDialog::DontUseNativeDialog);
    GiveFocusBack(parent, focus);
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}

std::filesystem::path QtServices::AppFolder() const
{
    return ProgramFolder();
}

} // namespace lexor::ui

#include "services/QtServices.h"

#include <algorithm>
#include <memory>
#include <system_error>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QUrl>

#include "files/ProgramFolder.h"
#include "kit/Conversions.h"
#include "kit/Design.h"
#include "services/SettingsTrace.h"

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

// A window manager draws a title in a face of its own, bold as a rule,
// centred between the window's icon on one side and up to three buttons on
// the other, each about a title bar high: the width that needs, so the
// title is not cut short.
int TitleBarWidth(const QString& title, const QWidget& window)
{
    QFont face = QApplication::font("QMdiSubWindowTitleBar");
    face.setBold(true);
    const int button = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(face).horizontalAdvance(title) + 2 * 3 * button;
}

// Where a piece of a run of text without blanks ends when at most width
// pixels of it fit on a line: after the last path separator that fits, or
// after the last character that fits; never inside a character.
qsizetype PieceEnd(const QString& run, const QFontMetrics& metrics, int width)
{
    qsizetype fit = 1;
    while (fit < run.size() && metrics.horizontalAdvance(run.left(fit + 1)) <= width)
        ++fit;
    if (fit < run.size() && run[fit].isLowSurrogate())
        fit += fit > 1 ? -1 : 1;
    const qsizetype separator =
        std::max(run.lastIndexOf(QLatin1Char('\\'), fit - 1), run.lastIndexOf(QLatin1Char('/'), fit - 1));
    return separator > 0 ? separator + 1 : std::max<qsizetype>(fit, 1);
}

// A box breaks its lines only at blanks, so a run of text without one (a
// path, a long folder name) wider than the box would be cut off at its
// edge: such a run is broken into lines of at most width pixels.
QString BreakLongRuns(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList runs = line.split(QLatin1Char(' '));
        for (QString& run : runs) {
            QStringList pieces;
            while (metrics.horizontalAdvance(run) > width) {
                const qsizetype end = PieceEnd(run, metrics, width);
                pieces.push_back(run.left(end));
                run.remove(0, end);
            }
            pieces.push_back(run);
            run = pieces.join(QLatin1Char('\n'));
        }
        line = runs.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

// The nearest folder that exists on the way up from folder: a dialog asked
// to open in a missing folder would open in its parent with the missing
// folder's name typed in as the file to open.
QString ExistingFolder(const QString& folder)
{
    std::filesystem::path path = ToPath(folder);
    std::error_code error;
    while (!path.empty() && !std::filesystem::is_directory(path, error) && path.has_relative_path())
        path = path.parent_path();
    return FromPath(path);
}

// The details the file dialog shows of each file, in Italian whatever the
// system's language: the toolkit writes sizes and dates in the system's
// and has no Italian for a folder's kind.
class ItalianDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        const QLocale italian;
        switch (index.column()) {
        case 1:
            return files->isDir(file) ? QString() : italian.formattedDataSize(files->size(file));
        case 2:
            if (files->fileInfo(file).isRoot())
                return QStringLiteral("Unità");
            if (files->isDir(file))
                return QStringLiteral("Cartella");
            break;
        case 3:
            return italian.toString(files->lastModified(file), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// The program's one file dialog: the toolkit's own, not the system's, as it
// speaks Italian on any system and hands the keyboard back when it closes,
// which Windows' own dialog under Wine with a window manager does not. It is
// made on first use and never destroyed: the toolkit's dialog writes its
// history, last folder and layout into the user's settings (the registry on
// Windows) as it is destroyed, and the program stores nothing between runs.
// What it reads from there as it is made is put back to the toolkit's
// defaults.
QFileDialog& TheFileDialog()
{
    static QPointer<QFileDialog> dialog;
    if (!dialog) {
        const SettingsTrace trace;
        dialog = new QFileDialog;
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setViewMode(QFileDialog::Detail);
        dialog->setSidebarUrls({QUrl(QStringLiteral("file:")), QUrl::fromLocalFile(QDir::homePath())});
        dialog->setProxyModel(new ItalianDetails(dialog));
    }
    return *dialog;
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

// The box Message shows, ready to run: no icon, the text as plain text, Yes
// or No as the default (Enter) as buttons says, and No for Escape; at least
// as wide as its title needs, with any run of text without blanks too wide
// for it (a long path) broken into lines instead of cut off.
std::unique_ptr<QMessageBox> MakeBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons)
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
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (grid && label) {
        const QMargins margins = grid->contentsMargins();
        const int sides = margins.left() + margins.right();
        // As wide as its title needs: an empty row of that width.
        grid->addItem(new QSpacerItem(TitleBarWidth(title, *box) - sides, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
        // No run of its text cut off: the box grows to the widest run, up to
        // the width at which it starts breaking lines at blanks (half the
        // screen, at most 500 pixels), with a pixel to spare either side.
        const int screenWidth = box->screen()->availableGeometry().width();
        box->setText(BreakLongRuns(text, QFontMetrics(label->font()), std::min(screenWidth / 2, 500) - sides - 2));
    }
    // Nor pictures on the buttons, which some styles add.
    for (QAbstractButton* button : box->buttons())
        button->setIcon(QIcon());
    return box;
}

} // namespace

std::filesystem::path Services::AppPath(std::string_view name) const
{
    const std::filesystem::path folder = AppFolder();
    return folder.empty() ? folder : folder / name;
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
    QFileDialog& dialog = TheFileDialog();
    const Qt::WindowFlags flags = dialog.windowFlags();
    // Over the window that opens it, and let go before that window goes.
    dialog.setParent(parent ? parent->window() : nullptr, flags);
    dialog.setWindowTitle(title);
    // The one dialog is seen again under another title: a screen reader
    // hears of a new name only as an accessible name's change, which a new
    // window title alone does not announce.
    dialog.setAccessibleName(title);
    dialog.setNameFilter(filter);
    dialog.setDirectory(ExistingFolder(initialDir));
    dialog.setHistory({});
    // The name typed in at its last opening goes too; the dialog has no call for that.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->clear();
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString file = chosen ? QDir::toNativeSeparators(dialog.selectedFiles().constFirst()) : QString();
    // A list of completions the name box has open outlives the dialog's
    // closing, and would catch the next click.
    if (QWidget* completions = QApplication::activePopupWidget())
        completions->close();
    dialog.setParent(nullptr, flags);
    GiveFocusBack(parent, focus);
    return file;
}

std::filesystem::path QtServices::AppFolder() const
{
    return ProgramFolder();
}

} // namespace lexor::ui

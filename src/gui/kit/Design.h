#pragma once

#include <optional>

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPalette>
#include <QRect>
#include <QString>

class QAbstractItemModel;
class QLabel;
class QListView;
class QPushButton;
class QWidget;

namespace lexor::ui {

// The program's name: the menu's caption, the start of every tool's caption
// and the title of the message boxes.
inline const QString kTitle = QStringLiteral("LEXOR Tools");

// The colours the windows are designed in.
inline const QColor kTeal{0, 128, 128};
inline const QColor kYellow{255, 255, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kGreen{0, 255, 0};
inline const QColor kNavy{0, 0, 128};
inline const QColor kDarkBlue{0, 0, 192};
inline const QColor kDarkRed{192, 0, 0};

// The design's type faces; Fonts.h names stand-ins where they are missing.
inline const QString kSansSerif = QStringLiteral("MS Sans Serif");
inline const QString kSerif = QStringLiteral("Times New Roman");

QFont DesignFont(qreal points, bool bold, const QString& family = kSansSerif);

// The title bar of the program's windows, all of a fixed size: the system
// menu, minimise and close, and on Windows a border that cannot be dragged.
// No maximise: a maximised window would only stand in a corner of an empty
// screen.
inline constexpr Qt::WindowFlags kFixedWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// Gives a tool window its name, its caption ("LEXOR Tools - " and caption),
// its title bar (kFixedWindow), its fixed width and its teal, with the keyboard focus outline and selected
// text drawn in yellow, which shows on teal where the toolkit's blue does not;
// and has it delete itself when closed, by its close button or by the close
// box alike.
void SetUpToolWindow(QWidget* window, const char* name, const QString& caption, int widthTwips);

// A control of the design, found by its name and placed in its container's
// pixels (see Twips.h).
template <class Control> Control* MakeControl(QWidget* parent, const char* name, QRect geometry)
{
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A transparent label: what lies under it shows through. Without a font it
// keeps its container's.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QColor& colour,
                  Qt::Alignment alignment, const std::optional<QFont>& font = std::nullopt);

// A label without text that paints its whole box in background.
QLabel* MakeFilledLabel(QWidget* parent, const char* name, QRect geometry, const QColor& background);

// A PushButton: Return and Enter press it only while it has the focus.
// Without a font it keeps its container's.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect geometry,
                        const std::optional<QFont>& font = std::nullopt);

// A frame with a sunken box border.
template <class Frame = QFrame> Frame* MakeFrame(QWidget* parent, const char* name, QRect geometry)
{
    auto* frame = MakeControl<Frame>(parent, name, geometry);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    return frame;
}

// A word list in the design's look (green bold text on navy) showing model,
// every word whole, words selectable and copied with Ctrl+C or "Copia" (see
// WordListView). One row per word with the same height, so a million words
// cost no more than a screenful.
QListView* MakeWordList(QWidget* parent, const char* name, QAbstractItemModel* model, QRect geometry);

} // namespace lexor::ui

#pragma once

#include <QWidget>

namespace lexor::ui {

// The part of a tool window that only its expanded height shows: a
// transparent layer over the window's client area down to height pixels,
// under the window's other controls, so the controls made in it keep their
// design places in the window. SetOuterHeightTwips (Twips.h) shows it only
// while the window is tall enough for everything in it that is shown; while
// it is hidden nothing in it takes the keyboard or the pointer, and screen
// readers do not report it as showing.
class ResultsArea : public QWidget {
    Q_OBJECT
public:
    ResultsArea(QWidget* window, int height);
};

} // namespace lexor::ui

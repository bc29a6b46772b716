#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace lexor::ui {

// Where a window whose frame (title bar and borders included) is frame goes
// on a screen whose free area is available: unmoved when it lies within it;
// moved only as far as needed to lie within it where it fits; and where it
// is too wide or too tall, against the area's left or top edge, so the
// title bar, by which it can be moved, stays on the screen.
QPoint OnScreen(const QRect& frame, const QRect& available);

// Moves window where OnScreen puts it on the screen it is on.
void KeepOnScreen(QWidget* window);

} // namespace lexor::ui

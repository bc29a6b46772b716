#include "kit/ScreenPlacement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

namespace lexor::ui {
namespace {

// One axis: start within [low, low + room), length long.
int Within(int start, int length, int low, int room)
{
    return std::max(low, std::min(start, low + room - length));
}

} // namespace

QPoint OnScreen(const QRect& frame, const QRect& available)
{
    return {Within(frame.x(), frame.width(), available.x(), available.width()),
            Within(frame.y(), frame.height(), available.y(), available.height())};
}

void KeepOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect frame = window->frameGeometry();
    const QPoint place = OnScreen(frame, screen->availableGeometry());
    if (place != frame.topLeft())
        window->move(place);
}

} // namespace lexor::ui

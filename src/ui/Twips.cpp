#include "ui/Twips.h"

#include <QWidget>

#include "ui/ScreenPlacement.h"

namespace lexor::ui {

void SetOuterHeightTwips(QWidget* window, int outerTwips, int allowanceTwips)
{
    const int height = ClientHeight(outerTwips, allowanceTwips);
    window->setFixedHeight(height);
    if (window->isVisible())
        KeepOnScreen(window);
    const QRect shown(0, 0, window->width(), height);
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->setEnabled(shown.contains(control->geometry()));
    }
}

void FocusFirstControl(QWidget* window)
{
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (w->isEnabled() && w->isVisibleTo(window) && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace lexor::ui

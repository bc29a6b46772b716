#include "kit/Twips.h"

#include <QWidget>

#include "kit/ResultsArea.h"
#include "kit/ScreenPlacement.h"

namespace lexor::ui {

void SetOuterHeightTwips(QWidget* window, int outerTwips, int allowanceTwips)
{
    const int height = ClientHeight(outerTwips, allowanceTwips);
    window->setFixedHeight(height);
    if (window->isVisible())
        KeepOnScreen(window);
    const QRect shown(0, 0, window->width(), height);
    // An area lies at the window's corner: its controls' places are the window's.
    QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (ResultsArea* area : window->findChildren<ResultsArea*>(Qt::FindDirectChildrenOnly)) {
        area->setVisible(shown.contains(area->childrenRect()));
        controls += area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    }
    for (QWidget* control : controls) {
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

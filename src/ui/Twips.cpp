#include "ui/Twips.h"

#include <QVariant>
#include <QWidget>

namespace lexor::ui {

void SetOuterHeightTwips(QWidget* window, int outerTwips, int allowanceTwips)
{
    window->setFixedHeight(Px(outerTwips - allowanceTwips));
    window->setProperty("outerHeightTwips", outerTwips);
}

int OuterHeightTwips(const QWidget* window)
{
    return window->property("outerHeightTwips").toInt();
}

} // namespace lexor::ui

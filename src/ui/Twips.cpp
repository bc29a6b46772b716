#include "ui/Twips.h"

#include <QWidget>

namespace lexor::ui {

void SetOuterHeightTwips(QWidget* window, int outerTwips, int allowanceTwips)
{
    window->setFixedHeight(ClientHeight(outerTwips, allowanceTwips));
}

} // namespace lexor::ui

#include "kit/ResultsArea.h"

namespace lexor::ui {

ResultsArea::ResultsArea(QWidget* window, int height) : QWidget(window)
{
    setGeometry(0, 0, window->width(), height);
    // The controls above the edge lie over it and take their clicks first.
    lower();
}

} // namespace lexor::ui

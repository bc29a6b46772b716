#include "kit/ProgressFrame.h"

#include <QAccessible>

namespace lexor::ui {

ProgressFrame::ProgressFrame(QWidget* parent) : QFrame(parent)
{
}

void ProgressFrame::SetPercent(int percent)
{
    if (percent == percent_)
        return;
    percent_ = percent;
    QAccessibleValueChangeEvent event(this, percent);
    QAccessible::updateAccessibility(&event);
}

} // namespace lexor::ui

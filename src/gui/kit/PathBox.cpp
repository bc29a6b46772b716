#include "kit/PathBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "kit/Design.h"

namespace lexor::ui {

PathBox::PathBox(QWidget* parent) : QLineEdit(parent)
{
    setFont(DesignFont(8.25, false));
    setReadOnly(true);
}

void PathBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Base);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.rect = rect().adjusted(frame, frame, -frame, -frame);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace lexor::ui

#include "kit/PushButton.h"

#include <QKeyEvent>

namespace lexor::ui {

PushButton::PushButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
}

namespace {

bool IsEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

void PushButton::keyPressEvent(QKeyEvent* event)
{
    if (!IsEnter(event)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() && enterHeld_)
        return;
    enterHeld_ = true;
    click();
}

void PushButton::keyReleaseEvent(QKeyEvent* event)
{
    if (IsEnter(event) && !event->isAutoRepeat())
        enterHeld_ = false;
    QPushButton::keyReleaseEvent(event);
}

void PushButton::focusOutEvent(QFocusEvent* event)
{
    enterHeld_ = false;
    QPushButton::focusOutEvent(event);
}

} // namespace lexor::ui

#include "kit/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace lexor::ui {

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace lexor::ui

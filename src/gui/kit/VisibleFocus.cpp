#include "kit/VisibleFocus.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace lexor::ui {
namespace {

class FocusShownOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The toolkit clears the state as it shows a window, before this event.
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow())
                widget->setAttribute(Qt::WA_KeyboardFocusChange);
        }
        return false;
    }
};

} // namespace

void InstallVisibleFocus()
{
    QCoreApplication::instance()->installEventFilter(new FocusShownOnShow(QCoreApplication::instance()));
}

} // namespace lexor::ui

#include "ui/Accessibility.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QFrame>

#include "ui/ProgressFrame.h"

namespace lexor::ui {
namespace {

// The frame's child widgets that a reader sees, in reading order.
QList<QWidget*> InReadingOrder(const QWidget* frame)
{
    QList<QWidget*> children = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    children.removeIf([](const QWidget* w) { return w->isWindow() || w->isHidden(); });
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    return children;
}

class FrameInReadingOrder : public QAccessibleWidget {
public:
    explicit FrameInReadingOrder(QWidget* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    int childCount() const override { return static_cast<int>(InReadingOrder(widget()).size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = InReadingOrder(widget());
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(InReadingOrder(widget()).indexOf(child->object())) : -1;
    }
};

class ProgressBarOfFrame : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressBarOfFrame(ProgressFrame* frame) : QAccessibleWidget(frame, QAccessible::ProgressBar) {}

    // The labels that draw the bar are not parts of their own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(Frame()->Percent()) + QLatin1Char('%');
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return Frame()->Percent(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    ProgressFrame* Frame() const { return static_cast<ProgressFrame*>(widget()); }
};

QAccessibleInterface* Interface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (auto* progress = qobject_cast<ProgressFrame*>(object))
        return new ProgressBarOfFrame(progress);
    if (className == QLatin1String("QFrame"))
        return new FrameInReadingOrder(widget);
    // The toolkit's own windows (dialogs, message boxes) have interfaces of
    // their own; the program's windows are plain widgets, which would reach
    // readers as a nameless filler.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    QAccessible::installFactory(Interface);
}

} // namespace lexor::ui

#include "kit/Accessibility.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QFrame>

#include "kit/ProgressFrame.h"
#include "kit/ResultsArea.h"

namespace lexor::ui {
namespace {

// Where a reader meets a child widget: where it stands, or, for a results
// area, which spans the whole window under the other controls, where the
// controls it shows stand.
QRect ReadingPlace(const QWidget* child)
{
    if (qobject_cast<const ResultsArea*>(child) && !child->childrenRect().isEmpty())
        return child->childrenRect();
    return child->geometry();
}

// The child widgets of parent that a reader meets, row by row from the top,
// each row left to right; hidden ones too unless shownOnly. A row is the
// highest child left and those whose middle lies beside it, as a label
// beside its box.
QList<QWidget*> InReadingOrder(const QWidget* parent, bool shownOnly)
{
    QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    children.removeIf([shownOnly](const QWidget* w) { return w->isWindow() || (shownOnly && w->isHidden()); });
    std::stable_sort(children.begin(), children.end(),
                     [](const QWidget* a, const QWidget* b) { return ReadingPlace(a).top() < ReadingPlace(b).top(); });
    for (auto row = children.begin(); row != children.end();) {
        const QRect first = ReadingPlace(*row);
        const auto end = std::find_if(row, children.end(), [&first](const QWidget* w) {
            const int middle = ReadingPlace(w).center().y();
            return middle < first.top() || middle > first.bottom();
        });
        std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) {
            return ReadingPlace(a).left() < ReadingPlace(b).left();
        });
        row = end;
    }
    return children;
}

class ChildrenInReadingOrder : public QAccessibleWidget {
public:
    ChildrenInReadingOrder(QWidget* widget, QAccessible::Role role, bool shownOnly)
        : QAccessibleWidget(widget, role), shownOnly_(shownOnly)
    {
    }

    int childCount() const override { return static_cast<int>(InReadingOrder(widget(), shownOnly_).size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = InReadingOrder(widget(), shownOnly_);
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(InReadingOrder(widget(), shownOnly_).indexOf(child->object())) : -1;
    }

private:
    bool shownOnly_;
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
    if (className == QLatin1String("QFrame") || qobject_cast<ResultsArea*>(object))
        return new ChildrenInReadingOrder(widget, QAccessible::Grouping, true);
    // The toolkit's own windows (dialogs, message boxes) have interfaces of
    // their own; the program's windows are plain widgets, which would reach
    // readers as a nameless filler.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new ChildrenInReadingOrder(widget, QAccessible::Window, false);
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    QAccessible::installFactory(Interface);
}

} // namespace lexor::ui

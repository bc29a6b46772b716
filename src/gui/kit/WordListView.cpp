#include "kit/WordListView.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>

#include "kit/FitWordDelegate.h"

namespace lexor::ui {
namespace {

// Far enough outside any viewport to stand for "out of sight" in a QRect,
// and near enough that a viewport's coordinates can still be added to it.
constexpr qint64 kFarAway = qint64{1} << 30;

} // namespace

WordListView::WordListView(QWidget* parent) : QListView(parent)
{
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new FitWordDelegate(this));

    copy_ = new QAction(QStringLiteral("Copia"), this);
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetShortcut);
    connect(copy_, &QAction::triggered, this, &WordListView::CopySelection);
    addAction(copy_);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

QString WordListView::SelectedText() const
{
    if (!model() || !selectionModel())
        return {};
    // Ranges, not one index per word: a whole list can be selected.
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());

    QString text;
    int next = 0;
    bool first = true;
    for (const auto& [top, bottom] : ranges) {
        for (int row = std::max(top, next); row <= bottom; ++row) {
            if (!first)
                text += QLatin1Char('\n');
            first = false;
            text += model()->index(row, modelColumn()).data(Qt::DisplayRole).toString();
        }
        next = std::max(next, bottom + 1);
    }
    return text;
}

void WordListView::CopySelection() const
{
    if (selectionModel() && selectionModel()->hasSelection())
        QGuiApplication::clipboard()->setText(SelectedText());
}

int WordListView::Rows() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

// As the list box measures its rows when they all have one size: the delegate's
// height for the last row, or the font's height while there is none.
int WordListView::RowHeight() const
{
    if (rowHeight_ == 0) {
        const int rows = Rows();
        int height = fontMetrics().height();
        if (rows > 0) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            const QModelIndex last = Row(rows - 1);
            height = itemDelegateForIndex(last)->sizeHint(option, last).height();
        }
        rowHeight_ = std::max(1, height);
    }
    return rowHeight_;
}

int WordListView::RowsInSight() const
{
    return std::max(1, viewport()->height() / RowHeight());
}

int WordListView::TopRow() const
{
    return verticalScrollBar()->value();
}

QModelIndex WordListView::Row(int row) const
{
    return model()->index(row, modelColumn(), rootIndex());
}

int WordListView::RowTop(int row) const
{
    const qint64 y = (qint64{row} - TopRow()) * RowHeight();
    return static_cast<int>(std::clamp(y, -kFarAway, kFarAway));
}

qint64 WordListView::RowAt(int y) const
{
    const int height = RowHeight();
    // Rounded down, also above the viewport.
    const qint64 rows = y >= 0 ? y / height : -((-qint64{y} + height - 1) / height);
    return TopRow() + rows;
}

QRect WordListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.parent() != rootIndex() || index.column() != modelColumn() || index.row() >= Rows())
        return {};
    return QRect(0, RowTop(index.row()), viewport()->width(), RowHeight());
}

QModelIndex WordListView::indexAt(const QPoint& point) const
{
    const qint64 row = RowAt(point.y());
    if (!model() || row < 0 || row >= Rows())
        return {};
    return Row(static_cast<int>(row));
}

void WordListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.parent() != rootIndex() || index.row() >= Rows())
        return;
    const int row = index.row();
    const int inSight = RowsInSight();
    QScrollBar* bar = verticalScrollBar();
    switch (hint) {
    case EnsureVisible:
        if (row < TopRow())
            bar->setValue(row);
        else if (row >= TopRow() + inSight)
            bar->setValue(row - inSight + 1);
        break;
    case PositionAtTop:
        bar->setValue(row);
        break;
    case PositionAtBottom:
        bar->setValue(row - inSight + 1);
        break;
    case PositionAtCenter:
        bar->setValue(row - inSight / 2);
        break;
    }
}

// Skips the list box's own layout, which visits every row.
void WordListView::doItemsLayout()
{
    rowHeight_ = 0;
    QAbstractItemView::doItemsLayout();
}

void WordListView::reset()
{
    rowHeight_ = 0;
    QListView::reset();
}

void WordListView::updateGeometries()
{
    const int rows = Rows();
    const int inSight = RowsInSight();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(inSight);
    verticalScrollBar()->setRange(0, std::max(0, rows - inSight));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

// The scroll bars count rows; the viewport moves by pixels.
void WordListView::scrollContentsBy(int dx, int dy)
{
    (void)dx;
    if (std::abs(dy) > RowsInSight())
        viewport()->update();
    else
        QAbstractItemView::scrollContentsBy(0, dy * RowHeight());
}

int WordListView::horizontalOffset() const
{
    return 0;
}

int WordListView::verticalOffset() const
{
    return static_cast<int>(std::min<qint64>(qint64{TopRow()} * RowHeight(), std::numeric_limits<int>::max()));
}

QModelIndex WordListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    (void)modifiers;
    const int rows = Rows();
    if (rows == 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return Row(0);
    int row = current.row();
    // A page keeps the row left in sight, as the list box's does.
    const int page = std::max(1, RowsInSight() - 1);
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= page;
        break;
    case MovePageDown:
        row += page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return Row(std::clamp(row, 0, rows - 1));
}

// A band dragged with the mouse selects every row it touches; a click, or a
// range from the anchor to a row, selects nothing unless both ends are rows.
void WordListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel())
        return;
    const QRect area = rect.normalized();
    qint64 first = RowAt(area.top());
    qint64 last = RowAt(area.bottom());
    if (state() == DragSelectingState && area.size() != QSize(1, 1)) {
        first = std::max<qint64>(first, 0);
        last = std::min<qint64>(last, Rows() - 1);
    }
    QItemSelection selection;
    if (first >= 0 && first <= last && last < Rows())
        selection.select(Row(static_cast<int>(first)), Row(static_cast<int>(last)));
    selectionModel()->select(selection, command);
}

QRegion WordListView::visualRegionForSelection(const QItemSelection& selection) const
{
    const qint64 top = TopRow();
    const qint64 bottom = top + RowsInSight();
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != rootIndex() || range.left() > modelColumn() || range.right() < modelColumn())
            continue;
        const qint64 first = std::max<qint64>(range.top(), top);
        const qint64 last = std::min<qint64>(range.bottom(), bottom);
        if (first <= last) {
            const int y = RowTop(static_cast<int>(first));
            region += QRect(0, y, viewport()->width(), static_cast<int>(last - first + 1) * RowHeight());
        }
    }
    return region;
}

bool WordListView::isIndexHidden(const QModelIndex& index) const
{
    (void)index;
    return false;
}

void WordListView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const int rows = Rows();
    if (rows > 0 && itemDelegate()) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QStyle::State state = option.state;
        const bool enabled = state & QStyle::State_Enabled;
        const QModelIndex current = currentIndex();
        const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
        const qint64 first = std::max<qint64>(RowAt(event->rect().top()), 0);
        const qint64 last = std::min<qint64>(RowAt(event->rect().bottom()), rows - 1);
        for (qint64 row = first; row <= last; ++row) {
            const QModelIndex index = Row(static_cast<int>(row));
            option.rect = visualRect(index);
            option.state = state;
            if (selectionModel() && selectionModel()->isSelected(index))
                option.state |= QStyle::State_Selected;
            if (enabled) {
                const bool itemEnabled = model()->flags(index) & Qt::ItemIsEnabled;
                option.state.setFlag(QStyle::State_Enabled, itemEnabled);
                option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal : QPalette::Disabled);
            }
            if (focus && index == current)
                option.state |= QStyle::State_HasFocus;
            itemDelegateForIndex(index)->paint(&painter, option, index);
        }
    }
    // The focused row carries the focus outline; a list without rows has
    // none, so it goes round the whole list.
    if (hasFocus() && isActiveWindow() && rows == 0) {
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
}

void WordListView::keyPressEvent(QKeyEvent* event)
{
    // The list's own Ctrl+C would copy only the current word.
    if (event == QKeySequence::Copy) {
        CopySelection();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace lexor::ui

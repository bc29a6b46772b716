#include "ui/WordListView.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>

#include "ui/FitWordDelegate.h"

namespace lexor::ui {

WordListView::WordListView(QWidget* parent) : QListView(parent)
{
    setUniformItemSizes(true);
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

void WordListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    // The focused row carries the focus outline; a list without rows has
    // none, so it goes round the whole list.
    if (hasFocus() && isActiveWindow() && (!model() || model()->rowCount() == 0)) {
        QPainter painter(viewport());
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

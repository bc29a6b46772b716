#pragma once

#include <QStyledItemDelegate>

namespace lexor::ui {

// Paints one word a row in the list's own font and colours, whole: a word
// wider than its row is narrowed to fit instead of being cut or elided, so
// it reads the same in every list whatever the list's size. Rows all have
// the same size and nothing is measured beyond the rows being painted.
// A selected row swaps the list's text and background colours; the current
// row of a focused list carries a dotted outline in the text colour.
class FitWordDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace lexor::ui

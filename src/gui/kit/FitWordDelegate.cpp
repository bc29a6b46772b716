#include "kit/FitWordDelegate.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

namespace lexor::ui {
namespace {

// Room left and right of the word, as the toolkit leaves in its own lists.
constexpr int kTextMargin = 3;

} // namespace

void FitWordDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor background = option.palette.color(group, QPalette::Base);
    const QColor text = option.palette.color(group, QPalette::Text);

    painter->save();
    if (selected)
        painter->fillRect(option.rect, text);

    const QString word = index.data(Qt::DisplayRole).toString();
    const QRectF room = QRectF(option.rect).adjusted(kTextMargin, 0, -kTextMargin, 0);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter->setPen(selected ? background : text);
    painter->setFont(option.font);
    const qreal width = QFontMetricsF(option.font).horizontalAdvance(word);
    // A word wider than its row is squeezed evenly as it is drawn: every
    // letter stays, in the same face and height. A narrowed font would do the
    // same where the face has narrow cuts, but Windows narrows any face by
    // its hinting, which at these sizes runs the letters together.
    if (width <= room.width()) {
        painter->drawText(room, flags, word);
    } else {
        painter->translate(room.left(), 0);
        painter->scale(room.width() / width, 1.0);
        painter->drawText(QRectF(0, room.top(), width, room.height()), flags, word);
    }
    painter->restore();

    if ((option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_Active)) {
        painter->save();
        painter->setPen(QPen(selected ? background : text, 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

QSize FitWordDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // As wide as nothing: a row never asks for more than the list gives it,
    // so no list scrolls sideways.
    return QSize(0, QStyledItemDelegate::sizeHint(option, index).height());
}

} // namespace lexor::ui

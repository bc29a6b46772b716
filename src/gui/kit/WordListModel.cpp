#include "kit/WordListModel.h"

#include <limits>

#include "format/Cp1252.h"

namespace lexor::ui {

WordListModel::WordListModel(const WordList& words, QObject* parent) : QAbstractListModel(parent), words_(words)
{
}

int WordListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    constexpr auto kMaxRows = static_cast<WordList::size_type>(std::numeric_limits<int>::max());
    return static_cast<int>(std::min(words_.ListCount(), kMaxRows));
}

QVariant WordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || role != Qt::DisplayRole)
        return {};
    const auto row = static_cast<WordList::size_type>(index.row());
    if (row >= words_.ListCount())
        return {};
    return QString::fromStdU16String(Cp1252ToUtf16(words_.List(row)));
}

void WordListModel::Refresh()
{
    beginResetModel();
    endResetModel();
}

} // namespace lexor::ui

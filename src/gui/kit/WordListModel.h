#pragma once

#include <QAbstractListModel>

#include "words/WordList.h"

namespace lexor::ui {

// Shows a WordList in a QListView without one item object per word. The
// words are decoded from Windows-1252 as they are painted. Call Refresh()
// after the list has changed.
class WordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit WordListModel(const WordList& words, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void Refresh();

private:
    const WordList& words_;
};

} // namespace lexor::ui

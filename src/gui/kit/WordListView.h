#pragma once

#include <QListView>

class QAction;

namespace lexor::ui {

// A list of words as every window shows them: each word readable in full,
// rows of one size, no sideways scrolling. Words can be selected (click,
// Shift, Ctrl) and copied with Ctrl+C or the context menu's "Copia", one
// word a line as shown. Selecting changes nothing else in the window.
//
// A list box to the windows, but its rows are placed by arithmetic: row r
// lies r row heights below the first, the same height for every row, taken
// from one row as the list box takes it. The list box's own layout visits
// every row after each change of the list; here layout, painting, hit
// tests and selection cost what the rows in sight cost, whatever the length
// of the list. It scrolls by whole rows.
class WordListView : public QListView {
    Q_OBJECT
public:
    explicit WordListView(QWidget* parent = nullptr);

    // The selected words, in list order, one a line.
    QString SelectedText() const;

    void CopySelection() const;

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void doItemsLayout() override;
    void reset() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    bool isIndexHidden(const QModelIndex& index) const override;

private:
    int Rows() const;
    int RowHeight() const;
    // Rows that fit whole in the viewport, at least one.
    int RowsInSight() const;
    int TopRow() const;
    QModelIndex Row(int row) const;
    // The viewport's y of a row's top, clamped far outside when it is far
    // out of sight.
    int RowTop(int row) const;
    // The row under the viewport's y, which may be beyond either end.
    qint64 RowAt(int y) const;

    QAction* copy_ = nullptr;
    mutable int rowHeight_ = 0; // 0 until measured again
};

} // namespace lexor::ui

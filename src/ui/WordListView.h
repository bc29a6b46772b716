#pragma once

#include <QListView>

class QAction;

namespace lexor::ui {

// A list of words as every window shows them: each word readable in full,
// rows of one size, no sideways scrolling. Words can be selected (click,
// Shift, Ctrl) and copied with Ctrl+C or the context menu's "Copia", one
// word a line as shown. Selecting changes nothing else in the window.
class WordListView : public QListView {
    Q_OBJECT
public:
    explicit WordListView(QWidget* parent = nullptr);

    // The selected words, in list order, one a line.
    QString SelectedText() const;

    void CopySelection() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QAction* copy_ = nullptr;
};

} // namespace lexor::ui

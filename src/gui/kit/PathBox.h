#pragma once

#include <QLineEdit>

namespace lexor::ui {

// A path box of the design: one line in the windows' regular 8.25 pt, filled
// only by the program (the file dialog or a drop), never by typing. A box
// that takes no typing shows no text cursor, and some styles (Windows') draw
// no other sign of the focus on it: it draws the style's focus frame inside
// its border while it has the keyboard focus.
class PathBox : public QLineEdit {
    Q_OBJECT
public:
    explicit PathBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lexor::ui

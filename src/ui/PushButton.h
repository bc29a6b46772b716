#pragma once

#include <QPushButton>

namespace lexor::ui {

// A button of the design. As on Windows, Return and the keypad's Enter press
// it while it has the keyboard focus, as the space bar does; it is never a
// window's default button, so neither key presses it from anywhere else.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    explicit PushButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace lexor::ui

#pragma once

#include <QPushButton>

namespace lexor::ui {

// A button of the design. As on Windows, Return and the keypad's Enter press
// it while it has the keyboard focus, as the space bar does; it is never a
// window's default button, so neither key presses it from anywhere else.
// Holding the key down presses it once. A press that the system reports as
// a repeat of a key this button never saw go down still counts: under Wine
// with a window manager, the Return that closes a box comes up while the box
// goes, unseen, so the next Return looks like a repeat of it.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    explicit PushButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Return or Enter went down on this button and has not come up.
    bool enterHeld_ = false;
};

} // namespace lexor::ui

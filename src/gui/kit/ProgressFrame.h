#pragma once

#include <QFrame>

namespace lexor::ui {

// A frame that shows a piece of work's progress with labels of its own
// (a track, a bar, a percentage). To screen readers it is one progress bar,
// named by its accessible name, whose value is the percentage (see
// Accessibility.h).
class ProgressFrame : public QFrame {
    Q_OBJECT
public:
    explicit ProgressFrame(QWidget* parent = nullptr);

    int Percent() const noexcept { return percent_; }
    // Tells a screen reader that the value changed.
    void SetPercent(int percent);

private:
    int percent_ = 0;
};

} // namespace lexor::ui

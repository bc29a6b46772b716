#pragma once

#include <QWidget>

namespace lexor::ui {
class Services;
}

namespace lexor {

// The optimiser window. Deletes itself when closed; whoever opened it
// watches destroyed() to come back.
class Tool2 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCompactHeight = 1470;
    static constexpr int kExpandedHeight = 4365;
    static constexpr int kNonClientAllowance = 375;

    explicit Tool2(ui::Services& services, QWidget* parent = nullptr);

    void Form_Load();
    void Command5_Click();

private:
    ui::Services& services_;
};

} // namespace lexor

#pragma once

#include <QWidget>

namespace lexor::ui {
class Services;
}

namespace lexor {

// The comparison window. Deletes itself when closed; whoever opened it
// watches destroyed() to come back.
class Tool1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCompactHeight = 2550;
    static constexpr int kExpandedHeight = 4815;
    static constexpr int kNonClientAllowance = 435;

    explicit Tool1(ui::Services& services, QWidget* parent = nullptr);

    void Form_Load();
    void Command3_Click();

private:
    ui::Services& services_;
};

} // namespace lexor

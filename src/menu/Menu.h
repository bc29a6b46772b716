#pragma once

#include <QWidget>

namespace lexor::ui {
class Services;
}

namespace lexor {

// The main menu: the program's hub, from which the tools are opened.
class Menu : public QWidget {
    Q_OBJECT
public:
    explicit Menu(ui::Services& services, QWidget* parent = nullptr);

private:
    ui::Services& services_;
};

} // namespace lexor

#include "menu/Menu.h"

#include "ui/Services.h"

namespace lexor {

Menu::Menu(ui::Services& services, QWidget* parent) : QWidget(parent), services_(services)
{
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(QStringLiteral("LEXOR Tools"));
}

} // namespace lexor

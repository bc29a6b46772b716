#include <QApplication>

#include "menu/Menu.h"
#include "ui/QtServices.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LEXOR Tools"));
    QApplication::setApplicationVersion(QStringLiteral("1.50"));

    lexor::ui::QtServices services;
    lexor::Menu menu(services);
    menu.show();
    return app.exec();
}

#include <QApplication>
#include <QIcon>

#include "menu/Menu.h"
#include "ui/Accessibility.h"
#include "ui/Design.h"
#include "ui/Fonts.h"
#include "ui/ItalianTranslation.h"
#include "ui/QtServices.h"
#include "ui/VisibleFocus.h"

int main(int argc, char* argv[])
{
    lexor::ui::ChooseTextRenderer();
    QApplication app(argc, argv);
    QApplication::setApplicationName(lexor::ui::kTitle);
    QApplication::setApplicationVersion(QStringLiteral(LEXOR_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("lexor-tools"));
    lexor::ui::InstallFontSubstitutes();
    lexor::ui::InstallItalianTranslation();
    lexor::ui::InstallAccessibility();
    lexor::ui::InstallVisibleFocus();

    lexor::ui::QtServices services;
    lexor::Menu menu(services);
    QApplication::setWindowIcon(menu.windowIcon());
    menu.show();
    return app.exec();
}

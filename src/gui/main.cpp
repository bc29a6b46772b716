#include <QApplication>
#include <QIcon>

#include "kit/Accessibility.h"
#include "kit/Design.h"
#include "kit/Fonts.h"
#include "kit/ItalianTranslation.h"
#include "kit/VisibleFocus.h"
#include "services/QtServices.h"
#include "windows/Menu.h"

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

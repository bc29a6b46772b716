#include "kit/ItalianTranslation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

// The translation lives in the static GUI library; naming its initialiser
// keeps the linker from dropping it.
static void InitTranslationResources()
{
    Q_INIT_RESOURCE(translations);
}

namespace lexor::ui {

bool InstallItalianTranslation()
{
    InitTranslationResources();
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/translations/qtbase_it.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace lexor::ui

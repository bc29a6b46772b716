#include "kit/Fonts.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QStringList>

#include "kit/Design.h"

namespace lexor::ui {

void ChooseTextRenderer()
{
#ifdef Q_OS_WIN
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "windows")
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

void InstallFontSubstitutes()
{
    // Windows' own "MS Sans Serif" is a bitmap face drawn at a few fixed
    // pixel sizes: at the status line's size it takes 13 px and the credit
    // line overflows its label; its outline twin, Microsoft Sans Serif, is
    // made to the same widths. Every font of the program is therefore an
    // outline font, so each size is drawn as designed, and "MS Sans Serif"
    // is drawn in Arial, which every Windows carries and in which every
    // caption fits (Liberation Sans has Arial's widths, for Wine). Most
    // controls take the strategy from the application's font; those whose
    // class has a font of its own (lists, message boxes) do not, and get it
    // from the design's fonts (DesignFont), which carry it themselves. Set
    // as the application's font, it also replaces the fonts the system names
    // for kinds of controls (item views, tooltips, message boxes).
    QFont application = QApplication::font();
    application.setFamily(kSansSerif);
    application.setStyleStrategy(QFont::ForceOutline);
    QApplication::setFont(application);

#ifdef Q_OS_WIN
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
#else
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")});
#endif
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman")});
}

} // namespace lexor::ui

#include "ui/Fonts.h"

#include <QFont>
#include <QGuiApplication>
#include <QStringList>

namespace lexor::ui {

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
    // from the design's fonts (DesignFont), which carry it themselves.
    QFont application = QGuiApplication::font();
    application.setStyleStrategy(QFont::ForceOutline);
    QGuiApplication::setFont(application);

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

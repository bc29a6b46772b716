#include <QApplication>

#include <gtest/gtest.h>

#include "kit/Accessibility.h"
#include "kit/Fonts.h"
#include "kit/ItalianTranslation.h"
#include "kit/VisibleFocus.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // On a real display, the program's text renderer.
    lexor::ui::ChooseTextRenderer();
    QApplication app(argc, argv);
    // Tests see the texts a user sees.
    lexor::ui::InstallItalianTranslation();
    lexor::ui::InstallAccessibility();
    lexor::ui::InstallVisibleFocus();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

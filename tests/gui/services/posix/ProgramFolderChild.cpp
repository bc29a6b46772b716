// The windows run from wherever this executable lies, with the application
// folder found as the program finds it:
//   lexor_program_folder_child ORIGINAL MODIFIED
// compares ORIGINAL with MODIFIED and saves the added words, then installs
// MODIFIED as the game's dictionary. Prints every box and exits 0 when each
// step said it succeeded.
#include <cstdio>
#include <filesystem>

#include <QApplication>

#include "kit/Conversions.h"
#include "services/QtServices.h"
#include "support/ScriptedServices.h"
#include "windows/Menu.h"
#include "windows/Tool1.h"

int main(int argc, char** argv)
{
    using namespace lexor;
    if (argc != 3)
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString original = ui::FromPath(std::filesystem::path(argv[1]));
    const QString modified = ui::FromPath(std::filesystem::path(argv[2]));

    const ui::QtServices desktop;
    test::ScriptedServices services(desktop.AppFolder());
    Tool1 tool(services);
    services.QueueFile(original);
    tool.Command1_Click();
    services.QueueFile(modified);
    tool.Command2_Click();
    tool.Command5_Click();
    tool.Command4_Click();

    Menu menu(services);
    services.QueueAnswer(ui::Answer::Yes);
    services.QueueFile(modified);
    menu.Command3_Click();

    for (const auto& box : services.boxes)
        std::printf("%s\n", box.text.toLocal8Bit().constData());
    const bool saved =
        services.boxes.size() == 2 && services.boxes[0].text == QStringLiteral("File Aggiunte.ldv salvato!");
    return saved ? 0 : 1;
}

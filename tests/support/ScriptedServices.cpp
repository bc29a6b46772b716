#include "support/ScriptedServices.h"

namespace lexor::test {

ScriptedServices::ScriptedServices(std::filesystem::path appFolder) : appFolder_(std::move(appFolder))
{
}

ui::Answer ScriptedServices::Message(QWidget*, const QString& text, const QString& title, ui::Buttons buttons)
{
    boxes.push_back({text, title, buttons});
    if (!answers_.empty()) {
        const auto answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    switch (buttons) {
    case ui::Buttons::YesNo:
        return ui::Answer::Yes;
    case ui::Buttons::YesNoDefaultNo:
        return ui::Answer::No;
    case ui::Buttons::Ok:
        break;
    }
    return ui::Answer::Ok;
}

QString ScriptedServices::OpenFile(QWidget*, const QString& title, const QString& initialDir, const QString& filter)
{
    dialogs.push_back({title, initialDir, filter});
    if (files_.empty())
        return QString();
    QString path = files_.front();
    files_.pop_front();
    return path;
}

} // namespace lexor::test

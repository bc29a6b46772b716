#include "support/ScriptedServices.h"

namespace lexor::test {

ScriptedServices::ScriptedServices(QString appFolder) : appFolder_(std::move(appFolder))
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
    return buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
}

QString ScriptedServices::OpenFile(QWidget*, const QString& initialDir, const QString& filter)
{
    dialogs.push_back({initialDir, filter});
    if (files_.empty())
        return QString();
    QString path = files_.front();
    files_.pop_front();
    return path;
}

} // namespace lexor::test

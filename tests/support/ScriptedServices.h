#pragma once

#include <deque>
#include <filesystem>
#include <vector>

#include <QString>

#include "services/Services.h"

namespace lexor::test {

// Stands in for the desktop in GUI tests: records every message box and
// file dialog, answers from queues, never blocks. An unqueued message gets
// its default answer (OK, or the box's default button); an unqueued dialog is
// cancelled.
class ScriptedServices : public ui::Services {
public:
    struct Box {
        QString text;
        QString title;
        ui::Buttons buttons;
    };
    struct DialogCall {
        QString title;
        QString initialDir;
        QString filter;
    };

    explicit ScriptedServices(std::filesystem::path appFolder = {});

    ui::Answer Message(QWidget* parent, const QString& text, const QString& title, ui::Buttons buttons) override;
    QString OpenFile(QWidget* parent, const QString& title, const QString& initialDir, const QString& filter) override;
    std::filesystem::path AppFolder() const override { return appFolder_; }

    void SetAppFolder(std::filesystem::path folder) { appFolder_ = std::move(folder); }
    void QueueAnswer(ui::Answer answer) { answers_.push_back(answer); }
    void QueueFile(const QString& path) { files_.push_back(path); }
    void QueueCancel() { files_.push_back(QString()); }

    std::vector<Box> boxes;
    std::vector<DialogCall> dialogs;

private:
    std::filesystem::path appFolder_;
    std::deque<ui::Answer> answers_;
    std::deque<QString> files_;
};

} // namespace lexor::test

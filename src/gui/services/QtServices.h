#pragma once

#include <memory>

#include "services/Services.h"

class QMessageBox;

namespace lexor::ui {

// The real desktop: QMessageBox, the toolkit's own QFileDialog, Italian in
// every detail and keeping nothing between runs, and the executable's folder
// as the system gives it.
class QtServices : public Services {
public:
    Answer Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons) override;
    QString OpenFile(QWidget* parent, const QString& title, const QString& initialDir, const QString& filter) override;
    std::filesystem::path AppFolder() const override;

    // The box Message shows, ready to run: no icon, the text as plain text,
    // Yes or No as the default (Enter) as buttons says, and No for Escape; at
    // least as wide as its title needs, with any run of text without blanks
    // too wide for it (a long path) broken into lines instead of cut off.
    static std::unique_ptr<QMessageBox> MakeBox(QWidget* parent, const QString& text, const QString& title,
                                                Buttons buttons);
};

} // namespace lexor::ui

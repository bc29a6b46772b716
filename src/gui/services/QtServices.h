#pragma once

#include "services/Services.h"

namespace lexor::ui {

// The real desktop: QMessageBox, the toolkit's own QFileDialog, Italian in
// every detail and keeping nothing between runs, and the executable's folder
// as the system gives it.
class QtServices : public Services {
public:
    Answer Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons) override;
    QString OpenFile(QWidget* parent, const QString& title, const QString& initialDir, const QString& filter) override;
    std::filesystem::path AppFolder() const override;
};

} // namespace lexor::ui

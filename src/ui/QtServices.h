#pragma once

#include "ui/Services.h"

namespace lexor::ui {

// The real desktop: QMessageBox, QFileDialog and the executable's folder.
class QtServices : public Services {
public:
    Answer Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons) override;
    QString OpenFile(QWidget* parent, const QString& initialDir, const QString& filter) override;
    QString AppFolder() const override;

    // "Dizionari LEXOR|*.lexor" -> "Dizionari LEXOR (*.lexor)"; pairs beyond
    // the first become further filters.
    static QString ToQtFilter(const QString& filter);
};

} // namespace lexor::ui

#pragma once

#include <QString>

class QWidget;

namespace lexor::ui {

enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// Everything a window needs from the desktop that would block or depend on
// where the program runs: modal message boxes, the modal file-open dialog
// and the application folder. Windows receive it; tests hand them a scripted
// double so nothing blocks.
class Services {
public:
    virtual ~Services() = default;

    // Modal box without icon; for YesNo, Yes is the default button.
    virtual Answer Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons) = 0;

    // Modal file-open dialog. filter is in the toolkit's "Description (*.ext)" form.
    // Returns the full path of the chosen file, or an empty string when cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& initialDir, const QString& filter) = 0;

    // The folder of the executable, without a trailing separator.
    virtual QString AppFolder() const = 0;

    // AppFolder() joined with name by the platform's separator.
    QString AppPath(const QString& name) const;
};

} // namespace lexor::ui

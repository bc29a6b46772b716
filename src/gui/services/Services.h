#pragma once

#include <filesystem>
#include <string_view>

#include <QString>

class QWidget;

namespace lexor::ui {

// Ok alone, or Yes and No with Yes or No as the button that Enter presses.
enum class Buttons { Ok, YesNo, YesNoDefaultNo };
enum class Answer { Ok, Yes, No };

// Everything a window needs from the desktop that would block or depend on
// where the program runs: modal message boxes, the modal file-open dialog
// and the application folder. Windows receive it; tests hand them a scripted
// double so nothing blocks.
class Services {
public:
    virtual ~Services() = default;

    // Modal box without icon. Escape answers No.
    virtual Answer Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons) = 0;

    // Modal file-open dialog titled title, open in initialDir, or in the
    // nearest folder above it that exists, with no file name typed in.
    // filter is in the toolkit's "Description (*.ext)" form. Returns the full
    // path of the chosen file, or an empty string when cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& title, const QString& initialDir,
                             const QString& filter) = 0;

    // The folder of the executable as the file system names it, or an empty
    // path when the system cannot tell: then nothing may be written there.
    virtual std::filesystem::path AppFolder() const = 0;

    // A file or folder of the application folder; empty when AppFolder is.
    std::filesystem::path AppPath(std::string_view name) const;
};

} // namespace lexor::ui

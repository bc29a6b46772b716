#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include <QString>

#include "dictionary/DictionaryReader.h"
#include "dictionary/WordList.h"

class QLineEdit;
class QWidget;

namespace lexor::ui {

class FileDialog;
class Services;

// The one procedure by which every window loads a dictionary: choose a file
// with the window's dialog, run the window's preparation (clear the target,
// fix the height, show the path in pathBox), read the file into target and
// tell the user what went wrong or what does not add up: a file that is no
// dictionary, one without words, a count line that disagrees with the words.
// A load that leaves the target empty empties pathBox again, so it never
// shows a file whose words are not there. The box for a dictionary without
// words carries noWordsTitle; every other box is titled "LEXOR Tools".
// A file dropped on the window (dropped, when not empty) takes the dialog's
// place: it is the dialog's answer and everything else is the same.
// The window is repainted before the file is read, so no trace of the dialog
// stays on it while a large file loads, and the pointer shows the work.
// Returns the file read, as the file system names it, with the reader's
// result, or nothing when the dialog was cancelled.
struct LoadedFile {
    std::filesystem::path path;
    ReadResult read;
};
std::optional<LoadedFile> LoadDictionary(Services& services, QWidget* window, FileDialog& dialog, WordList& target,
                                         QLineEdit* pathBox, const std::function<void(const QString& path)>& prepare,
                                         const QString& noWordsTitle, const QString& dropped = QString());

// The one procedure by which every window saves words: writes them to path
// with the dictionary writer. On failure tells the user why and returns
// false; the old file is left as it was.
bool SaveWordList(Services& services, QWidget* window, const std::filesystem::path& path, const WordList& words);

} // namespace lexor::ui

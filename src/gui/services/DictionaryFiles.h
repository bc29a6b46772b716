#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include <QString>

#include "files/FileReplace.h"
#include "format/DictionaryReader.h"
#include "words/WordList.h"

class QLineEdit;
class QWidget;

namespace lexor::ui {

class FileDialog;
class Services;

// What a window hands the one load procedure.
struct Loader {
    QWidget* window = nullptr;
    FileDialog* dialog = nullptr;
    WordList* target = nullptr;
    // Shows the chosen file, and is emptied again when no word came with it.
    QLineEdit* pathBox = nullptr;
    // The window's preparation, run with the chosen path before the read:
    // clear the target, fix the height, show the path.
    std::function<void(const QString& path)> prepare;
    // The title of every box the load shows.
    QString title;
    // The window saves the words over the file they came from, and says so
    // when the file is not in the game's form.
    bool savedOver = false;
};

// The file a load read, as the file system names it, and what the reader
// found in it.
struct LoadedFile {
    std::filesystem::path path;
    ReadResult result;
};

// The one procedure by which every window loads a dictionary: choose a file
// with the window's dialog, run the window's preparation, read the file into
// the target and tell the user, in one box, what went wrong or what does not
// add up: a file that is no dictionary or cannot be read, one without words,
// one in another form than the game's, a count that disagrees with the
// words. A file dropped on the window (dropped, when not empty) takes the
// dialog's place: it is the dialog's answer and everything else is the same.
// The window is repainted before the file is read, so no trace of the dialog
// stays on it while a large file loads, and the pointer shows the work.
// Returns nothing when the dialog was cancelled.
std::optional<LoadedFile> LoadDictionary(Services& services, const Loader& loader, const QString& dropped = QString());

// Whether a save keeps the file it replaces: the optimiser's save over a
// dictionary does; the comparison's lists, made anew each time, do not.
enum class Replaced { Discarded, Kept };

// The one procedure by which every window saves words: writes them to path
// with the dictionary writer, keeping the file it replaces as asked (see
// ReplaceKeepingOld). On failure tells the user why and returns false; the
// old file is left as it was.
bool SaveWordList(Services& services, QWidget* window, const std::filesystem::path& path, const WordList& words,
                  Replaced replaced = Replaced::Discarded);

// Runs replace(options), which replaces target, keeping the file it replaces
// in the system's trash under a name that says what it was and when, where
// target's folder has one (the question before said otherwise). Should it
// not be kept after all, the user is asked whether to replace it anyway, and
// replace runs again without keeping it; should the trash turn it away, the
// user is told where it stays. Returns what the last replace returned.
WriteResult ReplaceKeepingOld(Services& services, QWidget* window, const std::filesystem::path& target,
                              const std::function<WriteResult(const ReplaceOptions&)>& replace);

} // namespace lexor::ui

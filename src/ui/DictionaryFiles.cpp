#include "ui/DictionaryFiles.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>

#include "dictionary/DictionaryWriter.h"
#include "ui/BusyCursor.h"
#include "ui/Conversions.h"
#include "ui/Design.h"
#include "ui/FileDialog.h"
#include "ui/FileMessages.h"
#include "ui/Services.h"

namespace lexor::ui {

std::optional<LoadedFile> LoadDictionary(Services& services, const Loader& loader, const QString& dropped)
{
    FileDialog& dialog = *loader.dialog;
    if (dropped.isEmpty()) {
        if (!dialog.Choose())
            return std::nullopt;
        // Let the window system tell the window what the closed dialog
        // uncovered; user input waits until the load is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        dialog.FileName = dropped;
    }
    const QString path = dialog.FileName;
    loader.prepare(path);
    loader.window->repaint();
    LoadedFile loaded{ToPath(path), {}};
    {
        const BusyCursor busy;
        loaded.result = ReadDictionary(loaded.path, *loader.target);
    }
    const ReadResult& result = loaded.result;
    QString told;
    switch (result.status) {
    case ReadResult::Status::NoWords:
        told = NoWords();
        break;
    case ReadResult::Status::EmptyFile:
    case ReadResult::Status::NotText:
    case ReadResult::Status::BadHeader:
    case ReadResult::Status::Unmappable:
    case ReadResult::Status::ReadError:
        told = NotLoaded(path, result);
        break;
    default:
        told = FormFound(path, result, loader.savedOver);
        break;
    }
    if (!told.isEmpty())
        services.Message(loader.window, told, loader.title, Buttons::Ok);
    // The box shows a file only once its words are in the list.
    if (loader.target->ListCount() == 0)
        loader.pathBox->clear();
    return loaded;
}

bool SaveWordList(Services& services, QWidget* window, const std::filesystem::path& path, const WordList& words)
{
    WriteResult result;
    {
        const BusyCursor busy;
        result = SaveDictionary(path, words);
    }
    if (!result)
        services.Message(window, SaveFailure(FromPath(path), result.error), kTitle, Buttons::Ok);
    return result.ok;
}

} // namespace lexor::ui

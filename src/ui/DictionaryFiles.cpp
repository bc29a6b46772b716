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

std::optional<LoadedFile> LoadDictionary(Services& services, QWidget* window, FileDialog& dialog, WordList& target,
                                         QLineEdit* pathBox, const std::function<void(const QString& path)>& prepare,
                                         const QString& noWordsTitle, const QString& dropped)
{
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
    prepare(path);
    window->repaint();
    LoadedFile loaded{ToPath(path), {}};
    {
        const BusyCursor busy;
        loaded.read = ReadDictionary(loaded.path, target);
    }
    const ReadResult& result = loaded.read;
    switch (result.status) {
    case ReadResult::Status::Loaded:
        break;
    case ReadResult::Status::BadHeader:
        services.Message(window, NotADictionary(path), kTitle, Buttons::Ok);
        break;
    case ReadResult::Status::NoWords:
        services.Message(window, NoWords(), noWordsTitle, Buttons::Ok);
        break;
    case ReadResult::Status::Truncated:
        services.Message(window, FewerWordsThanDeclared(result.declaredText, result.read), kTitle, Buttons::Ok);
        break;
    case ReadResult::Status::MoreThanDeclared:
        services.Message(window, MoreWordsThanDeclared(result.declaredText, result.read), kTitle, Buttons::Ok);
        break;
    case ReadResult::Status::ReadError:
        services.Message(window, ReadFailure(path, result.error), kTitle, Buttons::Ok);
        break;
    }
    // The box shows a file only once its words are in the list.
    if (target.ListCount() == 0)
        pathBox->clear();
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

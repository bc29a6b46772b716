#include "services/DictionaryFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLineEdit>
#include <QWidget>

#include "format/DictionaryWriter.h"
#include "kit/BusyCursor.h"
#include "kit/Conversions.h"
#include "kit/Design.h"
#include "services/FileDialog.h"
#include "services/FileMessages.h"
#include "services/Services.h"

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

bool SaveWordList(Services& services, QWidget* window, const std::filesystem::path& path, const WordList& words,
                  Replaced replaced)
{
    const auto save = [&](const ReplaceOptions& options) {
        const BusyCursor busy;
        return SaveDictionary(path, words, options);
    };
    const WriteResult result = replaced == Replaced::Kept ? ReplaceKeepingOld(services, window, path, save) : save({});
    if (!result && result.error != FileErrc::NotKept)
        services.Message(window, SaveFailure(FromPath(path), result.error), kTitle, Buttons::Ok);
    return result.ok;
}

WriteResult ReplaceKeepingOld(Services& services, QWidget* window, const std::filesystem::path& target,
                              const std::function<WriteResult(const ReplaceOptions&)>& replace)
{
    if (!CanKeepReplacedFile(target))
        return replace({});
    WriteResult result = replace({ReplacedName(target, QDateTime::currentDateTime())});
    if (result.error == FileErrc::NotKept &&
        services.Message(window, ReplaceWithoutKeeping(FromPath(target), result.cause), kTitle,
                         Buttons::YesNoDefaultNo) == Answer::Yes)
        result = replace({});
    if (result.kept == WriteResult::Kept::BesideTarget)
        services.Message(window, KeptBeside(FromPath(result.keptAs)), kTitle, Buttons::Ok);
    return result;
}

} // namespace lexor::ui

#include "ui/DictionaryLoader.h"

#include <QCoreApplication>
#include <QWidget>

#include "dictionary/DictionaryWriter.h"
#include "ui/BusyCursor.h"
#include "ui/Conversions.h"
#include "ui/Design.h"
#include "ui/FileDialog.h"
#include "ui/FileReason.h"
#include "ui/Services.h"

namespace lexor::ui {

void ShowReadError(Services& services, QWidget* window, const QString& path, const std::error_code& error)
{
    services.Message(window, QStringLiteral("Impossibile leggere il file:\n%1\n%2").arg(path, Reason(error)), kTitle,
                     Buttons::Ok);
}

std::optional<ReadResult> LoadDictionary(Services& services, QWidget* window, FileDialog& dialog, WordList& target,
                                         const std::function<void(const QString& path)>& prepare,
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
    ReadResult result;
    {
        const BusyCursor busy;
        result = ReadDictionary(ToPath(path), target);
    }
    switch (result.status) {
    case ReadResult::Status::Loaded:
    case ReadResult::Status::BadHeader:
        break;
    case ReadResult::Status::NoWords:
        services.Message(window, QStringLiteral("Errore: nessuna parola nel dizionario!"), noWordsTitle, Buttons::Ok);
        break;
    case ReadResult::Status::Truncated:
        services.Message(window,
                         QStringLiteral("Attenzione: il dizionario dichiara %1 parole ma ne contiene solo %2.")
                             .arg(result.declared)
                             .arg(result.read),
                         kTitle, Buttons::Ok);
        break;
    case ReadResult::Status::ReadError:
        ShowReadError(services, window, path, result.error);
        break;
    }
    return result;
}

bool SaveWordList(Services& services, QWidget* window, const QString& path, const WordList& words)
{
    WriteResult result;
    {
        const BusyCursor busy;
        result = SaveDictionary(ToPath(path), words);
    }
    if (!result)
        services.Message(window, QStringLiteral("Impossibile salvare il file:\n%1\n%2").arg(path, Reason(result.error)),
                         kTitle, Buttons::Ok);
    return result.ok;
}

} // namespace lexor::ui

#include "ui/DictionaryLoader.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>

#include "dictionary/DictionaryFormat.h"
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

void ShowNoAppFolder(Services& services, QWidget* window)
{
    services.Message(window,
                     QStringLiteral("Impossibile trovare la cartella del programma: nessun file è stato cambiato."),
                     kTitle, Buttons::Ok);
}

std::optional<ReadResult> LoadDictionary(Services& services, QWidget* window, FileDialog& dialog, WordList& target,
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
    ReadResult result;
    {
        const BusyCursor busy;
        result = ReadDictionary(ToPath(path), target);
    }
    switch (result.status) {
    case ReadResult::Status::Loaded:
        break;
    case ReadResult::Status::BadHeader:
        services.Message(window,
                         QStringLiteral("Il file non è un dizionario LEXOR:\n%1\nla prima riga non è \"%2\".")
                             .arg(path, FromCoreText(kDictionaryHeader)),
                         kTitle, Buttons::Ok);
        break;
    case ReadResult::Status::NoWords:
        services.Message(window, QStringLiteral("Errore: nessuna parola nel dizionario!"), noWordsTitle, Buttons::Ok);
        break;
    case ReadResult::Status::Truncated:
        services.Message(window,
                         QStringLiteral("Attenzione: il dizionario dichiara %1 parole ma ne contiene solo %2.")
                             .arg(FromCoreText(result.declaredText))
                             .arg(result.read),
                         kTitle, Buttons::Ok);
        break;
    case ReadResult::Status::MoreThanDeclared:
        services.Message(window,
                         QStringLiteral("Attenzione: il dizionario dichiara %1 parole ma ne contiene %2.\n"
                                        "Sono state caricate tutte le %2 parole.")
                             .arg(FromCoreText(result.declaredText))
                             .arg(result.read),
                         kTitle, Buttons::Ok);
        break;
    case ReadResult::Status::ReadError:
        ShowReadError(services, window, path, result.error);
        break;
    }
    // The box shows a file only once its words are in the list.
    if (target.ListCount() == 0)
        pathBox->clear();
    return result;
}

bool SaveWordList(Services& services, QWidget* window, const std::filesystem::path& path, const WordList& words)
{
    WriteResult result;
    {
        const BusyCursor busy;
        result = SaveDictionary(path, words);
    }
    if (!result)
        services.Message(
            window, QStringLiteral("Impossibile salvare il file:\n%1\n%2").arg(FromPath(path), Reason(result.error)),
            kTitle, Buttons::Ok);
    return result.ok;
}

} // namespace lexor::ui

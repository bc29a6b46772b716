#include "ui/FileMessages.h"

#include "dictionary/FileError.h"
#include "ui/Conversions.h"

namespace lexor::ui {

QString Reason(const std::error_code& error)
{
    if (error.category() == FileCategory()) {
        switch (static_cast<FileErrc>(error.value())) {
        case FileErrc::NotAFile:
            return QStringLiteral("il percorso non indica un file");
        case FileErrc::WriteProtected:
            return QStringLiteral("il file è di sola lettura");
        case FileErrc::HeldOpen:
            return QStringLiteral("il file è in uso da parte di un altro programma");
        case FileErrc::LineTooLong:
            return QStringLiteral("il file contiene una riga troppo lunga");
        }
    }
    using std::errc;
    struct Wording {
        errc condition;
        const char16_t* text;
    };
    static const Wording kWordings[] = {
        {errc::no_such_file_or_directory, u"il file o la cartella non esiste"},
        {errc::permission_denied, u"accesso negato"},
        {errc::operation_not_permitted, u"operazione non consentita"},
        {errc::read_only_file_system, u"il disco è di sola lettura"},
        {errc::no_space_on_device, u"spazio su disco esaurito"},
        {errc::is_a_directory, u"il percorso indica una cartella"},
        {errc::not_a_directory, u"il percorso non indica una cartella"},
        {errc::filename_too_long, u"il nome del file è troppo lungo"},
        {errc::file_too_large, u"il file è troppo grande"},
        {errc::not_enough_memory, u"memoria insufficiente"},
        {errc::io_error, u"errore di lettura o scrittura sul disco"},
        {errc::text_file_busy, u"il file è in uso"},
        {errc::device_or_resource_busy, u"il file è in uso"},
        {errc::too_many_files_open, u"troppi file aperti"},
        {errc::too_many_symbolic_link_levels, u"troppi collegamenti simbolici"},
    };
    for (const Wording& wording : kWordings) {
        if (error == wording.condition)
            return QString::fromUtf16(wording.text);
    }
    return QStringLiteral("errore di sistema %1").arg(error.value());
}

QString ReadFailure(const QString& path, const std::error_code& error)
{
    return QStringLiteral("Impossibile leggere il file:\n%1\n%2").arg(path, Reason(error));
}

QString SaveFailure(const QString& path, const std::error_code& error)
{
    return QStringLiteral("Impossibile salvare il file:\n%1\n%2").arg(path, Reason(error));
}

QString InstallFailure(const QString& activePath, const std::error_code& error)
{
    QString text = QStringLiteral("Impossibile installare il dizionario:\n%1\n%2").arg(activePath, Reason(error));
    if (error == FileErrc::HeldOpen)
        text += QStringLiteral("\nChiudere il gioco e riprovare.");
    return text;
}

QString NotADictionary(const QString& path)
{
    return QStringLiteral("Il file non è un dizionario LEXOR:\n%1\nla prima riga non è \"Lexor Dictionary Volume\".")
        .arg(path);
}

QString FewerWordsThanDeclared(std::string_view declared, std::size_t read)
{
    return QStringLiteral("Attenzione: il dizionario dichiara %1 parole ma ne contiene solo %2.")
        .arg(FromCoreText(declared))
        .arg(read);
}

QString MoreWordsThanDeclared(std::string_view declared, std::size_t read)
{
    return QStringLiteral("Attenzione: il dizionario dichiara %1 parole ma ne contiene %2.\n"
                          "Sono state caricate tutte le %2 parole.")
        .arg(FromCoreText(declared))
        .arg(read);
}

QString NoWords()
{
    return QStringLiteral("Errore: nessuna parola nel dizionario!");
}

namespace {

QString NotActivatedBecause(const QString& chosen, const QString& why)
{
    return QStringLiteral("Il dizionario non è stato attivato, nessun file è stato cambiato:\n%1\n%2").arg(chosen, why);
}

} // namespace

QString NotActivated(const QString& chosen, Refusal why)
{
    switch (why) {
    case Refusal::NotADictionary:
        return NotActivatedBecause(chosen, QStringLiteral("il file non è un dizionario LEXOR"));
    case Refusal::EmptyFile:
        return NotActivatedBecause(chosen, QStringLiteral("il file è vuoto"));
    case Refusal::AlreadyActive:
        break;
    }
    return NotActivatedBecause(chosen, QStringLiteral("è già il dizionario attivo del gioco"));
}

QString NotActivated(const QString& chosen, const std::error_code& error)
{
    return NotActivatedBecause(chosen, Reason(error));
}

QString NoAppFolder()
{
    return QStringLiteral("Impossibile trovare la cartella del programma: nessun file è stato cambiato.");
}

} // namespace lexor::ui

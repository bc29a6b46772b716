#include "services/FileMessages.h"

#include <QStringList>

#include "files/FileError.h"
#include "kit/Conversions.h"

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
        case FileErrc::NotKept:
            return QStringLiteral("la versione attuale non può essere conservata nel Cestino");
        case FileErrc::FolderWriteProtected:
            return QStringLiteral("la cartella è protetta da scrittura: non vi si possono creare file");
        case FileErrc::SourceChanged:
            return QStringLiteral("il file è cambiato mentre veniva copiato");
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

namespace {

const QString kGamesForm = QStringLiteral("Windows-1252, a capo CR LF");
// How much of a first line that is not the header is quoted.
constexpr qsizetype kQuotedFirstLine = 40;

// A line of the file as it can be quoted: control characters, which a box
// would not show, as U+FFFD.
QString Quoted(const std::u16string& line)
{
    QString text = FromUtf16(line);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    }
    return text;
}

// Why the reader refused a file, as a clause.
QString Why(const ReadResult& read)
{
    using Status = ReadResult::Status;
    switch (read.status) {
    case Status::EmptyFile:
        return QStringLiteral("il file è vuoto (0 byte)");
    case Status::NotText:
        return QStringLiteral("è un file binario, non un testo (contiene byte nulli)");
    case Status::BadHeader: {
        if (read.firstLine.empty())
            return QStringLiteral("la prima riga è vuota, invece di \"Lexor Dictionary Volume\"");
        QString line = Quoted(read.firstLine);
        if (line.size() > kQuotedFirstLine)
            line = line.left(kQuotedFirstLine) + QChar(0x2026);
        return QStringLiteral("la prima riga è \"%1\", invece di \"Lexor Dictionary Volume\"").arg(line);
    }
    case Status::Unmappable: {
        QString text = QStringLiteral("queste righe hanno caratteri che il gioco non può usare "
                                      "(mancano in Windows-1252):");
        for (const UnmappableLine& line : read.unmappable)
            text += QStringLiteral("\nriga %1: %2").arg(line.number).arg(Quoted(line.text));
        const auto more = read.unmappableLines - read.unmappable.size();
        if (more == 1)
            text += QStringLiteral("\ne un'altra riga.");
        else if (more > 1)
            text += QStringLiteral("\ne altre %1 righe.").arg(more);
        return text;
    }
    case Status::ReadError:
        return Reason(read.error);
    default:
        break;
    }
    return QString();
}

// What sets the file apart from the game's form.
QStringList Findings(const FileForm& form)
{
    QStringList findings;
    switch (form.encoding) {
    case TextEncoding::Utf8:
        findings << QStringLiteral("UTF-8");
        break;
    case TextEncoding::Utf8Bom:
        findings << QStringLiteral("UTF-8 con BOM");
        break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        findings << QStringLiteral("UTF-16");
        break;
    case TextEncoding::Cp1252:
        break;
    }
    if (form.lfLineEnds)
        findings << QStringLiteral("a capo LF");
    if (form.paddedHeader)
        findings << QStringLiteral("spazi dopo l'intestazione");
    if (form.count == FileForm::Count::Missing)
        findings << QStringLiteral("conteggio mancante");
    else if (form.count == FileForm::Count::NotANumber)
        findings << QStringLiteral("conteggio non valido");
    return findings;
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

QString NotActivatedBecause(const QString& chosen, const QString& why)
{
    return QStringLiteral("Il dizionario non è stato attivato, nessun file è stato cambiato:\n%1\n%2").arg(chosen, why);
}

} // namespace

QString NotLoaded(const QString& path, const ReadResult& read)
{
    if (read.status == ReadResult::Status::Unmappable)
        return QStringLiteral("Impossibile caricare il dizionario:\n%1\n%2").arg(path, Why(read));
    if (read.status == ReadResult::Status::ReadError)
        return ReadFailure(path, read.error);
    return QStringLiteral("Il file non è un dizionario LEXOR:\n%1\n%2.").arg(path, Why(read));
}

QString FormFound(const QString& path, const ReadResult& read, bool savedOver)
{
    QStringList told;
    const QStringList findings = Findings(read.form);
    if (!findings.isEmpty())
        told << QStringLiteral("Il dizionario non è nella forma letta dal gioco (%1):\n%2\n"
                               "Sono state lette %3 parole, come le mostra l'editor di testo.")
                    .arg(findings.join(QStringLiteral(", ")), path)
                    .arg(read.wordsRead);
    if (read.status == ReadResult::Status::Truncated)
        told << FewerWordsThanDeclared(read.declaredText, read.wordsRead);
    else if (read.status == ReadResult::Status::MoreThanDeclared)
        told << MoreWordsThanDeclared(read.declaredText, read.wordsRead);
    if (!told.isEmpty() && savedOver)
        told << QStringLiteral("SALVA OTTIMIZZATO lo scriverà nella forma letta dal gioco (%1, conteggio esatto).")
                    .arg(kGamesForm);
    return told.join(QLatin1Char('\n'));
}

QString FormChange(const FileForm& form)
{
    const QStringList findings = Findings(form);
    if (findings.isEmpty())
        return QString();
    return QStringLiteral("La forma del file cambierà: da quella attuale (%1) a quella letta dal gioco (%2).")
        .arg(findings.join(QStringLiteral(", ")), kGamesForm);
}

QString NoWords()
{
    return QStringLiteral("Errore: nessuna parola nel dizionario!");
}

QString NotActivated(const QString& chosen, const ReadResult& read)
{
    return NotActivatedBecause(chosen, Why(read));
}

QString NotActivated(const QString& chosen, const std::error_code& error)
{
    return NotActivatedBecause(chosen, Reason(error));
}

QString AlreadyActive(const QString& chosen)
{
    return NotActivatedBecause(chosen, QStringLiteral("è già il dizionario attivo del gioco"));
}

QString ChangedWhileInstalled(const QString& chosen)
{
    return NotActivatedBecause(chosen, QStringLiteral("il file è cambiato mentre veniva installato; riprovare"));
}

QString InstalledInGamesForm(const QString& chosen, const ReadResult& read)
{
    QStringList findings = Findings(read.form);
    if (read.status == ReadResult::Status::Truncated || read.status == ReadResult::Status::MoreThanDeclared)
        findings << QStringLiteral("%1 parole dichiarate").arg(FromCoreText(read.declaredText));
    return QStringLiteral("Il dizionario è stato installato nella forma letta dal gioco (%1, %2 parole):\n%3\n"
                          "Il file scelto, in un'altra forma (%4), resta com'era.")
        .arg(kGamesForm)
        .arg(read.wordsRead)
        .arg(chosen, findings.join(QStringLiteral(", ")));
}

std::filesystem::path ReplacedName(const std::filesystem::path& target, const QDateTime& when)
{
    const QString stem = FromPath(target.stem());
    const QString extension = FromPath(target.extension());
    return ToPath(QStringLiteral("%1 (sostituito il %2)%3")
                      .arg(stem, when.toString(QStringLiteral("d-M-yyyy HH.mm")), extension));
}

QString NotRecoverable()
{
    return QStringLiteral("Questa cartella non ha un Cestino: il file sostituito non potrà essere recuperato.");
}

QString ReplaceWithoutKeeping(const QString& target, const std::error_code& cause)
{
    return QStringLiteral("Impossibile conservare nel Cestino la versione attuale del file:\n%1\n%2.\n"
                          "Sostituirla comunque? Non potrà essere recuperata.")
        .arg(target, Reason(cause));
}

QString KeptBeside(const QString& kept)
{
    return QStringLiteral("Il Cestino non ha accettato la versione precedente, che resta accanto al file come:\n%1")
        .arg(kept);
}

QString NoAppFolder()
{
    return QStringLiteral("Impossibile trovare la cartella del programma: nessun file è stato cambiato.");
}

} // namespace lexor::ui

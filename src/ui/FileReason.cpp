#include "ui/FileReason.h"

#include "dictionary/FileError.h"

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

} // namespace lexor::ui

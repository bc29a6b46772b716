#include <gtest/gtest.h>

#include <system_error>

#include "files/FileError.h"
#include "services/FileMessages.h"

namespace lexor {
namespace {

TEST(FileMessages, InstallFailureGivesTheFileTheReasonAndAdviceForAFileInUse)
{
    const QString path = QStringLiteral("C:/LEXOR/LEXOR.lexor");
    EXPECT_EQ(ui::InstallFailure(path, std::make_error_code(std::errc::permission_denied)),
              QStringLiteral("Impossibile installare il dizionario:\nC:/LEXOR/LEXOR.lexor\naccesso negato"));
    EXPECT_EQ(ui::InstallFailure(path, FileErrc::HeldOpen),
              QStringLiteral("Impossibile installare il dizionario:\nC:/LEXOR/LEXOR.lexor\nil file è in uso da parte "
                             "di un altro programma\nChiudere il gioco e riprovare."));
}

// A save the folder refuses names the folder, not the file.
TEST(FileMessages, SaveFailureNamesTheFolderWhenItIsTheFolderThatRefuses)
{
    EXPECT_EQ(ui::SaveFailure(QStringLiteral("/giochi/Aggiunte.ldv"), FileErrc::FolderWriteProtected),
              QStringLiteral("Impossibile salvare il file:\n/giochi/Aggiunte.ldv\nla cartella è protetta da scrittura: "
                             "non vi si possono creare file"));
}

} // namespace
} // namespace lexor

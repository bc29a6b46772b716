#include <gtest/gtest.h>

#include <system_error>

#include "dictionary/FileError.h"
#include "ui/FileMessages.h"

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

} // namespace
} // namespace lexor

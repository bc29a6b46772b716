#include "services/FileDialog.h"

#include "services/Services.h"

namespace lexor::ui {

FileDialog::FileDialog(Services& services, QWidget* owner) : services_(services), owner_(owner)
{
}

bool FileDialog::Choose()
{
    // The name is what the dialog answers: empty when it is cancelled.
    FileName = services_.OpenFile(owner_, DialogTitle, InitDir, kDictionaryFilter);
    return !FileName.isEmpty();
}

} // namespace lexor::ui

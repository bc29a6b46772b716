#pragma once

#include <QString>

class QWidget;

namespace lexor::ui {

class Services;

// A window's own file-open dialog (Dialog1): the file name, initial folder and
// title it keeps between uses, shown through the services. It offers
// dictionaries, "Dizionari LEXOR|*.lexor" in the toolkit's way of writing a
// filter. The title says what is being chosen.
class FileDialog {
public:
    static inline const QString kDictionaryFilter = QStringLiteral("Dizionari LEXOR (*.lexor)");

    explicit FileDialog(Services& services, QWidget* owner);

    QString FileName;
    QString InitDir;
    QString DialogTitle;

    // Clears FileName, shows the dialog modally, keeps its answer in FileName.
    // Returns false when the user cancelled (the name is empty).
    bool Choose();

private:
    Services& services_;
    QWidget* owner_;
};

} // namespace lexor::ui

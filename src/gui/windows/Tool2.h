#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>

#include <QWidget>

#include "files/FileStamp.h"
#include "format/DictionaryReader.h"
#include "services/FileDialog.h"
#include "words/WordList.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace lexor::ui {
class Services;
class WordListModel;
} // namespace lexor::ui

namespace lexor {

// The optimiser window: loads one dictionary (sorted as it loads), takes its
// repeats out and writes it back over the file it came from, and only there:
// the path box shows that file and takes no typing. The save asks first, and
// asks again when another program has changed the file since it was loaded.
// Deletes itself when closed, by CHIUDI or by the close box alike; whoever
// opened it watches destroyed() to come back.
class Tool2 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCompactHeight = 1470;
    static constexpr int kExpandedHeight = 4365;
    static constexpr int kNonClientAllowance = 375;

    explicit Tool2(ui::Services& services, QWidget* parent = nullptr);
    ~Tool2() override;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();

private:
    void CreateControls();
    // The load of "..." (dropped empty) and of a file dropped on the row.
    void LoadFile(const QString& dropped);
    void SetTabOrder();
    void RefreshLists();
    // Shows value in the count label parole_ or doppie_, and has screen
    // readers read it with its heading.
    void ShowCount(QLabel* count, const QString& heading, std::size_t value);
    // Whether the loaded file may be written over: yes when it is as it was
    // loaded, otherwise as the user answers.
    bool MayOverwrite();

    ui::Services& services_;
    WordList list1Words_;
    WordList list2Words_;
    ui::FileDialog dialog1_;
    // The file whose words List1 holds: as it was when they were read, and
    // the form it was written in.
    struct Loaded {
        std::filesystem::path file;
        std::optional<FileStamp> stamp;
        FileForm form;
    };
    std::optional<Loaded> loaded_;
    // Declared after the lists they show, so they go first.
    std::unique_ptr<ui::WordListModel> list1Model_;
    std::unique_ptr<ui::WordListModel> list2Model_;

    QLabel* label1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command5_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* parole_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* doppie_ = nullptr;
    QListView* list1_ = nullptr;
    QListView* list2_ = nullptr;
    QLabel* label3_ = nullptr;
    QPushButton* command3_ = nullptr;
};

} // namespace lexor

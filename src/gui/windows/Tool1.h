#pragma once

#include <memory>
#include <string_view>

#include <QWidget>

#include "services/FileDialog.h"
#include "words/WordList.h"

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace lexor::ui {
class ProgressFrame;
class Services;
class WordListModel;
} // namespace lexor::ui

namespace lexor {

// The comparison window: loads an original and a modified dictionary,
// compares them and shows, and saves, the words the modified one adds and
// those it lacks. All its state lives in its controls and lists. Deletes
// itself when closed, by CHIUDI or by the close box alike; whoever opened it
// watches destroyed() to come back.
class Tool1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCompactHeight = 2550;
    static constexpr int kExpandedHeight = 4815;
    static constexpr int kNonClientAllowance = 435;

    explicit Tool1(ui::Services& services, QWidget* parent = nullptr);
    ~Tool1() override;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

private:
    void CreateControls();
    // The loads of "..." (dropped empty) and of a file dropped on the row.
    void LoadOriginal(const QString& dropped);
    void LoadModified(const QString& dropped);
    void SetProgress(int percent, int barPixels);
    // The count a result list shows when the pointer rests on it, which
    // screen readers read with the list.
    void SetResultTip(QListView* list, const QString& tip);
    void ClearResultTooltips();
    void SaveResult(const WordList& words, std::string_view fileName, const QString& emptyMessage);

    ui::Services& services_;
    // The original's words, and after a comparison the missing ones (List1,
    // under "MANCANTI"); the modified dictionary's, never shown (List2); the
    // added words a comparison finds (List3, under "AGGIUNTE").
    WordList list1Words_;
    WordList list2Words_;
    WordList list3Words_;
    ui::FileDialog dialog1_;
    // Declared after the lists they show, so they go first.
    std::unique_ptr<ui::WordListModel> list1Model_;
    std::unique_ptr<ui::WordListModel> list2Model_;
    std::unique_ptr<ui::WordListModel> list3Model_;

    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    ui::ProgressFrame* frame1_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label7_ = nullptr;
    QListView* list1_ = nullptr;
    QListView* list2_ = nullptr;
    QListView* list3_ = nullptr;
};

} // namespace lexor

#include "windows/Tool1.h"

#include <cmath>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "compare/CompareEngine.h"
#include "format/DictionaryFormat.h"
#include "kit/BusyCursor.h"
#include "kit/Conversions.h"
#include "kit/Design.h"
#include "kit/PathBox.h"
#include "kit/PathDrop.h"
#include "kit/ProgressFrame.h"
#include "kit/ResultsArea.h"
#include "kit/Twips.h"
#include "kit/WordListModel.h"
#include "services/DictionaryFiles.h"
#include "services/FileMessages.h"
#include "services/Services.h"

namespace lexor {
namespace {

// Width of the progress track (Label6), in twips.
constexpr int kTrackWidth = 6855;
// Width of the progress bar (Label5) before a run, in twips.
constexpr int kBarStartWidth = 15;

// The bar's width in whole pixels for a percentage: percent times a
// hundredth of the track, both steps in single precision as the design's
// arithmetic was (50% of 6855 twips is 3427.500244, not 3427.5).
int BarPixels(int percent)
{
    const float hundredth = static_cast<float>(kTrackWidth) / 100.0f;
    const float twips = static_cast<float>(percent) * hundredth;
    return static_cast<int>(std::lround(twips / static_cast<float>(ui::kTwipsPerPixel)));
}

// What each "..." chooses: the dialog's title and the button's name for
// screen readers.
const QString kChooseOriginal = QStringLiteral("Scegli il dizionario originale");
const QString kChooseModified = QStringLiteral("Scegli il dizionario modificato");

QString Parole(WordList::size_type count)
{
    return QString::number(count) + QStringLiteral(" parole");
}

} // namespace

Tool1::Tool1(ui::Services& services, QWidget* parent)
    : QWidget(parent), services_(services), dialog1_(services, this),
      list1Model_(std::make_unique<ui::WordListModel>(list1Words_)),
      list2Model_(std::make_unique<ui::WordListModel>(list2Words_)),
      list3Model_(std::make_unique<ui::WordListModel>(list3Words_))
{
    ui::SetUpToolWindow(this, "Tool1", QStringLiteral("Confrontatore di Dizionari"), 7425);

    CreateControls();
    Form_Load();
    ui::FocusFirstControl(this);
}

Tool1::~Tool1() = default;

void Tool1::CreateControls()
{
    const auto left = Qt::AlignLeft | Qt::AlignTop;
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    const QFont small = ui::DesignFont(8.25, false);
    const QFont label = ui::DesignFont(8.25, true);
    const QFont large = ui::DesignFont(13.5, true);
    auto* label1 = ui::MakeLabel(this, "Label1", QStringLiteral("Originale:"), ui::TwipsRect(240, 165, 1095, 255),
                                 ui::kYellow, left, label);
    text1_ = ui::MakeControl<ui::PathBox>(this, "Text1", ui::TwipsRect(1320, 120, 5415, 285));
    auto* command1 = ui::MakeButton(this, "Command1", QStringLiteral("..."), ui::TwipsRect(6720, 120, 495, 300), small);
    auto* label2 = ui::MakeLabel(this, "Label2", QStringLiteral("Modificato:"), ui::TwipsRect(240, 525, 1095, 255),
                                 ui::kYellow, left, label);
    text2_ = ui::MakeControl<ui::PathBox>(this, "Text2", ui::TwipsRect(1320, 480, 5415, 285));
    auto* command2 = ui::MakeButton(this, "Command2", QStringLiteral("..."), ui::TwipsRect(6720, 480, 495, 300), small);
    const QFont buttons = ui::DesignFont(12, true);
    auto* command5 =
        ui::MakeButton(this, "Command5", QStringLiteral("CONFRONTA"), ui::TwipsRect(120, 840, 3495, 495), buttons);
    auto* command3 =
        ui::MakeButton(this, "Command3", QStringLiteral("CHIUDI"), ui::TwipsRect(3720, 840, 3495, 495), buttons);

    frame1_ = ui::MakeFrame<ui::ProgressFrame>(this, "Frame1", ui::TwipsRect(120, 1320, 7095, 735));
    frame1_->setAccessibleName(QStringLiteral("Avanzamento del confronto"));
    frame1_->setAutoFillBackground(true);
    ui::SetColour(frame1_, QPalette::Window, ui::kTeal);
    // Created bottom to top: track, bar, percentage.
    ui::MakeFilledLabel(frame1_, "Label6", ui::TwipsRect(120, 240, kTrackWidth, 375), ui::kRed);
    label5_ = ui::MakeFilledLabel(frame1_, "Label5", ui::TwipsRect(120, 240, kBarStartWidth, 375), ui::kGreen);
    label7_ = ui::MakeLabel(frame1_, "Label7", QStringLiteral("0%"), ui::TwipsRect(120, 240, kTrackWidth, 375),
                            ui::kDarkBlue, centred, large);

    // Everything from the headings down shows only in the expanded window.
    auto* results = new ui::ResultsArea(this, ui::ClientHeight(kExpandedHeight, kNonClientAllowance));
    ui::MakeLabel(results, "Label4", QStringLiteral("AGGIUNTE"), ui::TwipsRect(240, 2220, 1935, 375), ui::kGreen,
                  centred, large);
    list3_ = ui::MakeWordList(results, "List3", list3Model_.get(), ui::TwipsRect(240, 2640, 1935, 1560));
    ui::MakeLabel(results, "Label3", QStringLiteral("MANCANTI"), ui::TwipsRect(2400, 2220, 1935, 375), ui::kGreen,
                  centred, large);
    list1_ = ui::MakeWordList(results, "List1", list1Model_.get(), ui::TwipsRect(2400, 2640, 1935, 1560));
    auto* command4 = ui::MakeButton(results, "Command4", QStringLiteral("SALVA AGGIUNTE"),
                                    ui::TwipsRect(4560, 2260, 2535, 975), large);
    auto* command6 = ui::MakeButton(results, "Command6", QStringLiteral("SALVA MANCANTI"),
                                    ui::TwipsRect(4560, 3240, 2535, 975), large);
    list2_ = ui::MakeWordList(results, "List2", list2Model_.get(), ui::TwipsRect(4560, 2640, 1935, 1560));
    list2_->setVisible(false);

    // Screen readers name each control by the caption beside it, or by what
    // it chooses.
    text1_->setAccessibleName(QStringLiteral("Originale"));
    text2_->setAccessibleName(QStringLiteral("Modificato"));
    command1->setAccessibleName(kChooseOriginal);
    command2->setAccessibleName(kChooseModified);
    list3_->setAccessibleName(QStringLiteral("Aggiunte"));
    list1_->setAccessibleName(QStringLiteral("Mancanti"));

    // A file dropped on a path row loads as if chosen with its "...".
    auto* originalRow = new ui::PathDrop(this, [this](const QString& path) { LoadOriginal(path); });
    auto* modifiedRow = new ui::PathDrop(this, [this](const QString& path) { LoadModified(path); });
    originalRow->Watch({label1, text1_, command1});
    modifiedRow->Watch({label2, text2_, command2});

    connect(command1, &QPushButton::clicked, this, &Tool1::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &Tool1::Command2_Click);
    connect(command3, &QPushButton::clicked, this, &Tool1::Command3_Click);
    connect(command4, &QPushButton::clicked, this, &Tool1::Command4_Click);
    connect(command5, &QPushButton::clicked, this, &Tool1::Command5_Click);
    connect(command6, &QPushButton::clicked, this, &Tool1::Command6_Click);
}

void Tool1::SetProgress(int percent, int barPixels)
{
    label5_->resize(barPixels, label5_->height());
    label7_->setText(QString::number(percent) + QLatin1Char('%'));
    frame1_->SetPercent(percent);
}

void Tool1::SetResultTip(QListView* list, const QString& tip)
{
    list->setToolTip(tip);
    // A list's reader reads its description, not its tooltip.
    list->setAccessibleDescription(tip);
}

void Tool1::ClearResultTooltips()
{
    SetResultTip(list3_, QString());
    SetResultTip(list1_, QString());
}

void Tool1::Form_Load()
{
    dialog1_.InitDir = ui::FromPath(services_.AppFolder());
    ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
}

void Tool1::Command1_Click()
{
    LoadOriginal(QString());
}

void Tool1::Command2_Click()
{
    LoadModified(QString());
}

void Tool1::LoadOriginal(const QString& dropped)
{
    dialog1_.DialogTitle = kChooseOriginal;
    ui::Loader loader{this,
                      &dialog1_,
                      &list1Words_,
                      text1_,
                      [this](const QString& path) {
                          list1Words_.Clear();
                          list1Model_->Refresh();
                          ClearResultTooltips();
                          ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
                          text1_->setText(path);
                      },
                      QStringLiteral("LEXOR")};
    ui::LoadDictionary(services_, loader, dropped);
    list1Model_->Refresh();
}

void Tool1::LoadModified(const QString& dropped)
{
    dialog1_.DialogTitle = kChooseModified;
    ui::Loader loader{this,
                      &dialog1_,
                      &list2Words_,
                      text2_,
                      [this](const QString& path) {
                          text2_->setText(path);
                          list2Words_.Clear();
                          list2Model_->Refresh();
                          ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
                          ClearResultTooltips();
                      },
                      ui::kTitle};
    ui::LoadDictionary(services_, loader, dropped);
    list2Model_->Refresh();
}

void Tool1::Command5_Click()
{
    // All four conditions are looked at, none changes anything.
    const bool modifiedPath = !text2_->text().isEmpty();
    const bool originalPath = !text1_->text().isEmpty();
    const bool modifiedWords = list2Words_.ListCount() >= 1;
    const bool originalWords = list1Words_.ListCount() >= 1;
    if (!(modifiedPath && originalPath && modifiedWords && originalWords)) {
        services_.Message(this, QStringLiteral("Selezionare prima due dizionari validi!"), ui::kTitle, ui::Buttons::Ok);
        return;
    }

    const ui::BusyCursor busy;
    SetProgress(0, ui::Px(kBarStartWidth));
    frame1_->repaint();
    // The same percent gives the same bar and text: paint only on a change.
    int shown = -1;
    CompareDictionaries(list1Words_, list2Words_, list3Words_, [this, &shown](int percent) {
        if (percent == shown)
            return;
        shown = percent;
        SetProgress(percent, BarPixels(percent));
        frame1_->repaint();
    });
    SetProgress(100, ui::Px(kTrackWidth));
    list1Model_->Refresh();
    list3Model_->Refresh();

    ui::SetOuterHeightTwips(this, kExpandedHeight, kNonClientAllowance);
    list2Words_.Clear();
    list2Model_->Refresh();
    text1_->clear();
    text2_->clear();
    SetResultTip(list3_, Parole(list3Words_.ListCount()));
    SetResultTip(list1_, Parole(list1Words_.ListCount()));
}

void Tool1::SaveResult(const WordList& words, std::string_view fileName, const QString& emptyMessage)
{
    if (words.ListCount() < 1) {
        services_.Message(this, emptyMessage, ui::kTitle, ui::Buttons::Ok);
        return;
    }
    const std::filesystem::path target = services_.AppPath(fileName);
    if (target.empty()) {
        services_.Message(this, ui::NoAppFolder(), ui::kTitle, ui::Buttons::Ok);
        return;
    }
    if (!ui::SaveWordList(services_, this, target, words))
        return;
    services_.Message(this, QStringLiteral("File %1 salvato!").arg(ui::FromCoreText(fileName)), ui::kTitle,
                      ui::Buttons::Ok);
}

void Tool1::Command4_Click()
{
    SaveResult(list3Words_, kAddedWordsFile, QStringLiteral("Nessuna parola aggiunta!"));
}

void Tool1::Command6_Click()
{
    SaveResult(list1Words_, kMissingWordsFile, QStringLiteral("Nessuna parola mancante!"));
}

void Tool1::Command3_Click()
{
    close();
}

} // namespace lexor

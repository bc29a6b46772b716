#include "windows/Tool2.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStyle>

#include "files/FileReplace.h"
#include "kit/BusyCursor.h"
#include "kit/Conversions.h"
#include "kit/Design.h"
#include "kit/PathBox.h"
#include "kit/PathDrop.h"
#include "kit/ResultsArea.h"
#include "kit/Twips.h"
#include "kit/WordListModel.h"
#include "optimise/DuplicateRemoval.h"
#include "services/DictionaryFiles.h"
#include "services/FileMessages.h"
#include "services/Services.h"

namespace lexor {
namespace {

// What "..." chooses: the dialog's title and the button's name for screen
// readers.
const QString kChooseDictionary = QStringLiteral("Scegli il dizionario da ottimizzare");
// The headings screen readers read the two counts with.
const QString kWordsHeading = QStringLiteral("Parole");
const QString kCopiesHeading = QStringLiteral("Doppie");

// The window's labels: yellow, bold, broken into lines where they are too
// long for their box.
QLabel* YellowLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, qreal points,
                    Qt::Alignment alignment = Qt::AlignHCenter | Qt::AlignTop)
{
    QLabel* label = ui::MakeLabel(parent, name, text, geometry, ui::kYellow, alignment, ui::DesignFont(points, true));
    label->setWordWrap(true);
    return label;
}

// A caption too wide for its button breaks at its blank, as the design's
// buttons did.
void WrapCaption(QPushButton* button)
{
    const QFontMetrics metrics(button->font());
    const int room = button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    if (metrics.horizontalAdvance(button->text()) > room)
        button->setText(button->text().replace(QLatin1Char(' '), QLatin1Char('\n')));
}

} // namespace

Tool2::Tool2(ui::Services& services, QWidget* parent)
    : QWidget(parent), services_(services), dialog1_(services, this),
      list1Model_(std::make_unique<ui::WordListModel>(list1Words_)),
      list2Model_(std::make_unique<ui::WordListModel>(list2Words_))
{
    ui::SetUpToolWindow(this, "Tool2", QStringLiteral("Ottimizzatore"), 7110);

    CreateControls();
    SetTabOrder();
    Form_Load();
    // The work starts with choosing a dictionary: the focus starts on "...",
    // not where the design's tab order begins (CHIUDI, which Return would press).
    command1_->setFocus();
}

Tool2::~Tool2() = default;

void Tool2::CreateControls()
{
    label1_ = YellowLabel(this, "Label1", QStringLiteral("Da ottimizzare:"), ui::TwipsRect(120, 165, 1455, 255), 8.25,
                          Qt::AlignLeft | Qt::AlignTop);
    // The save goes where the words came from: only the program fills the box.
    text1_ = ui::MakeControl<ui::PathBox>(this, "Text1", ui::TwipsRect(1560, 120, 4935, 285));
    // "..." in the path box's regular 8.25 pt, as the comparison's.
    command1_ = ui::MakeButton(this, "Command1", QStringLiteral("..."), ui::TwipsRect(6480, 120, 495, 300),
                               ui::DesignFont(8.25, false));
    // A file dropped on the path row loads as if chosen with "...".
    auto* row = new ui::PathDrop(this, [this](const QString& path) { LoadFile(path); });
    row->Watch({label1_, text1_, command1_});
    const QFont buttons = ui::DesignFont(12, true);
    command2_ =
        ui::MakeButton(this, "Command2", QStringLiteral("OTTIMIZZA"), ui::TwipsRect(120, 480, 3375, 495), buttons);
    command5_ =
        ui::MakeButton(this, "Command5", QStringLiteral("CHIUDI"), ui::TwipsRect(3600, 480, 3375, 495), buttons);
    // Everything from the counts down shows only in the expanded window.
    auto* results = new ui::ResultsArea(this, ui::ClientHeight(kExpandedHeight, kNonClientAllowance));
    label2_ = YellowLabel(results, "Label2", QStringLiteral("PAROLE"), ui::TwipsRect(240, 1080, 1935, 255), 9.75);
    parole_ = YellowLabel(results, "parole", QStringLiteral("0"), ui::TwipsRect(240, 1320, 1935, 375), 13.5);
    label4_ = YellowLabel(results, "Label4", QStringLiteral("DOPPIE"), ui::TwipsRect(4920, 1080, 1935, 255), 9.75);
    label4_->hide();
    doppie_ = YellowLabel(results, "doppie", QStringLiteral("0"), ui::TwipsRect(4920, 1320, 1935, 375), 13.5);
    doppie_->hide();
    list1_ = ui::MakeWordList(results, "List1", list1Model_.get(), ui::TwipsRect(240, 1680, 1935, 2160));
    list2_ = ui::MakeWordList(results, "List2", list2Model_.get(), ui::TwipsRect(4920, 1680, 1935, 2160));
    label3_ = YellowLabel(
        results, "Label3",
        QStringLiteral("Il dizionario è stato riordinato alfabeticamente e sono state rimosse le parole doppie."),
        ui::TwipsRect(2520, 1200, 2055, 1335), 9.75);
    command3_ = ui::MakeButton(results, "Command3", QStringLiteral("SALVA OTTIMIZZATO"),
                               ui::TwipsRect(2520, 2520, 2055, 1335), ui::DesignFont(9.75, true));
    WrapCaption(command3_);

    // Screen readers name each control by the caption beside it, or by what
    // it chooses; the counts are read with their headings.
    text1_->setAccessibleName(QStringLiteral("Da ottimizzare"));
    command1_->setAccessibleName(kChooseDictionary);
    command3_->setAccessibleName(QStringLiteral("SALVA OTTIMIZZATO"));
    list1_->setAccessibleName(QStringLiteral("Parole"));
    list2_->setAccessibleName(QStringLiteral("Doppie"));
    ShowCount(parole_, kWordsHeading, 0);
    ShowCount(doppie_, kCopiesHeading, 0);

    connect(command1_, &QPushButton::clicked, this, &Tool2::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Tool2::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Tool2::Command3_Click);
    connect(command5_, &QPushButton::clicked, this, &Tool2::Command5_Click);
}

// Tab indices 0..12; the labels among them take no focus and are skipped.
void Tool2::SetTabOrder()
{
    QWidget* const byTabIndex[] = {list1_,  parole_, command5_, text1_, command1_, label1_, command2_,
                                   label2_, doppie_, label4_,   list2_, command3_, label3_};
    QWidget* previous = nullptr;
    for (QWidget* widget : byTabIndex) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void Tool2::ShowCount(QLabel* count, const QString& heading, std::size_t value)
{
    count->setText(QString::number(value));
    count->setAccessibleName(heading + QLatin1Char(' ') + count->text());
}

void Tool2::RefreshLists()
{
    list1Model_->Refresh();
    list2Model_->Refresh();
}

void Tool2::Form_Load()
{
    ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
    dialog1_.InitDir = ui::FromPath(services_.AppFolder());
    dialog1_.DialogTitle = kChooseDictionary;
}

void Tool2::Command1_Click()
{
    LoadFile(QString());
}

void Tool2::LoadFile(const QString& dropped)
{
    ui::Loader loader{this,
                      &dialog1_,
                      &list1Words_,
                      text1_,
                      [this](const QString& path) {
                          ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
                          list1Words_.Clear();
                          list1Model_->Refresh();
                          text1_->setText(path);
                          loaded_.reset();
                      },
                      QStringLiteral("LEXOR"),
                      true};
    auto loaded = ui::LoadDictionary(services_, loader, dropped);
    list1Model_->Refresh();
    if (loaded && list1Words_.ListCount() > 0)
        loaded_ = Loaded{std::move(loaded->path), loaded->result.stamp, loaded->result.form};
}

void Tool2::Command2_Click()
{
    if (text1_->text().isEmpty() || list1Words_.ListCount() == 0)
        return;
    const ui::BusyCursor busy;
    ShowCount(doppie_, kCopiesHeading, 0);
    const auto removed = RemoveDuplicates(list1Words_, list2Words_);
    RefreshLists();
    ShowCount(doppie_, kCopiesHeading, removed);
    ShowCount(parole_, kWordsHeading, list1Words_.ListCount());
    doppie_->show();
    label4_->show();
    ui::SetOuterHeightTwips(this, kExpandedHeight, kNonClientAllowance);
}

bool Tool2::MayOverwrite()
{
    if (loaded_->stamp && StampOf(loaded_->file) == loaded_->stamp)
        return true;
    return services_.Message(this,
                             QStringLiteral("Il file è cambiato sul disco dopo il caricamento:\n%1\n"
                                            "Sovrascrivendolo, le modifiche fatte nel frattempo andranno perse. "
                                            "Sovrascrivere comunque?")
                                 .arg(ui::FromPath(loaded_->file)),
                             ui::kTitle, ui::Buttons::YesNoDefaultNo) == ui::Answer::Yes;
}

void Tool2::Command3_Click()
{
    if (list1Words_.ListCount() == 0 || !loaded_)
        return;
    QString question = QStringLiteral("Sovrascrivere il file?\n%1").arg(ui::FromPath(loaded_->file));
    if (const QString change = ui::FormChange(loaded_->form); !change.isEmpty())
        question += QLatin1Char('\n') + change;
    if (!CanKeepReplacedFile(loaded_->file))
        question += QLatin1Char('\n') + ui::NotRecoverable();
    if (services_.Message(this, question, ui::kTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
        return;
    if (!MayOverwrite())
        return;
    if (!ui::SaveWordList(services_, this, loaded_->file, list1Words_, ui::Replaced::Kept))
        return;
    // What the file holds now is what was saved, in the game's form.
    loaded_->stamp = StampOf(loaded_->file);
    loaded_->form = FileForm{};
    services_.Message(this, QStringLiteral("File salvato!"), ui::kTitle, ui::Buttons::Ok);
}

void Tool2::Command5_Click()
{
    close();
}

} // namespace lexor

#include "compare/Tool1.h"

#include <cmath>

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "compare/CompareEngine.h"
#include "dictionary/DictionaryFormat.h"
#include "ui/DictionaryLoader.h"
#include "ui/Services.h"
#include "ui/Twips.h"
#include "ui/WordListModel.h"

namespace lexor {
namespace {

const QString kTitle = QStringLiteral("LEXOR Tools");

const QColor kTeal(0, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kNavy(0, 0, 128);
const QColor kDarkBlue(0, 0, 192);

QFont DesignFont(qreal points, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(role, color);
    widget->setPalette(pal);
}

// A label without background shows what lies under it; one with a background
// paints it over its whole box.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QLabel* MakeFilledLabel(QWidget* parent, const char* name, QRect geometry, const QColor& background)
{
    QLabel* label = MakeLabel(parent, name, QString(), geometry);
    label->setAutoFillBackground(true);
    SetColor(label, QPalette::Window, background);
    return label;
}

QLabel* MakeTextLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QColor& color,
                      qreal points, Qt::Alignment alignment)
{
    QLabel* label = MakeLabel(parent, name, text, geometry);
    label->setFont(DesignFont(points, true));
    label->setAlignment(alignment);
    SetColor(label, QPalette::WindowText, color);
    return label;
}

QPushButton* MakeButton(QWidget* window, const char* name, const QString& text, QRect geometry, qreal points, bool bold)
{
    auto* button = new QPushButton(text, window);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setFont(DesignFont(points, bold));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakePathBox(QWidget* window, const char* name, QRect geometry)
{
    auto* box = new QLineEdit(window);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setFont(DesignFont(8.25, false));
    // Only the file dialog fills it: a typed path would never be read.
    box->setReadOnly(true);
    return box;
}

// One row per word with the same height, so a million words cost no more
// than a screenful.
QListView* MakeList(QWidget* window, const char* name, QAbstractItemModel* model, QRect geometry)
{
    auto* view = new QListView(window);
    view->setObjectName(QLatin1String(name));
    view->setGeometry(geometry);
    view->setFont(DesignFont(12, true));
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, kNavy);
    pal.setColor(QPalette::Text, kGreen);
    view->setPalette(pal);
    view->setModel(model);
    return view;
}

int BarPixels(float twips)
{
    return static_cast<int>(std::lround(twips / static_cast<float>(ui::kTwipsPerPixel)));
}

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
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Tool1"));
    setWindowTitle(QStringLiteral("LEXOR Tools - Confrontatore di Dizionari"));
    setFixedWidth(ui::Px(7425));
    setAutoFillBackground(true);
    SetColor(this, QPalette::Window, kTeal);

    CreateControls();
    Form_Load();
}

Tool1::~Tool1() = default;

void Tool1::CreateControls()
{
    const auto left = Qt::AlignLeft | Qt::AlignTop;
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    MakeTextLabel(this, "Label1", QStringLiteral("Originale:"), ui::TwipsRect(240, 165, 1095, 255), kYellow, 8.25,
                  left);
    text1_ = MakePathBox(this, "Text1", ui::TwipsRect(1320, 120, 5415, 285));
    auto* command1 =
        MakeButton(this, "Command1", QStringLiteral("..."), ui::TwipsRect(6720, 120, 495, 300), 8.25, false);
    MakeTextLabel(this, "Label2", QStringLiteral("Modificato:"), ui::TwipsRect(240, 525, 1095, 255), kYellow, 8.25,
                  left);
    text2_ = MakePathBox(this, "Text2", ui::TwipsRect(1320, 480, 5415, 285));
    auto* command2 =
        MakeButton(this, "Command2", QStringLiteral("..."), ui::TwipsRect(6720, 480, 495, 300), 8.25, false);
    auto* command5 =
        MakeButton(this, "Command5", QStringLiteral("CONFRONTA"), ui::TwipsRect(120, 840, 3495, 495), 12, true);
    auto* command3 =
        MakeButton(this, "Command3", QStringLiteral("CHIUDI"), ui::TwipsRect(3720, 840, 3495, 495), 12, true);

    frame1_ = new QFrame(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(ui::TwipsRect(120, 1320, 7095, 735));
    frame1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame1_->setAutoFillBackground(true);
    SetColor(frame1_, QPalette::Window, kTeal);
    // Created bottom to top: track, bar, percentage.
    MakeFilledLabel(frame1_, "Label6", ui::TwipsRect(120, 240, kTrackWidth, 375), kRed);
    label5_ = MakeFilledLabel(frame1_, "Label5", ui::TwipsRect(120, 240, kBarStartWidth, 375), kGreen);
    label7_ = MakeTextLabel(frame1_, "Label7", QStringLiteral("0%"), ui::TwipsRect(120, 240, kTrackWidth, 375),
                            kDarkBlue, 13.5, Qt::AlignCenter);

    MakeTextLabel(this, "Label4", QStringLiteral("AGGIUNTE"), ui::TwipsRect(240, 2220, 1935, 375), kGreen, 13.5,
                  centred);
    list3_ = MakeList(this, "List3", list3Model_.get(), ui::TwipsRect(240, 2640, 1935, 1560));
    MakeTextLabel(this, "Label3", QStringLiteral("MANCANTI"), ui::TwipsRect(2400, 2220, 1935, 375), kGreen, 13.5,
                  centred);
    list1_ = MakeList(this, "List1", list1Model_.get(), ui::TwipsRect(2400, 2640, 1935, 1560));
    auto* command4 = MakeButton(this, "Command4", QStringLiteral("SALVA AGGIUNTE"),
                                ui::TwipsRect(4560, 2260, 2535, 975), 13.5, true);
    auto* command6 = MakeButton(this, "Command6", QStringLiteral("SALVA MANCANTI"),
                                ui::TwipsRect(4560, 3240, 2535, 975), 13.5, true);
    list2_ = MakeList(this, "List2", list2Model_.get(), ui::TwipsRect(4560, 2640, 1935, 1560));
    list2_->setVisible(false);

    connect(command1, &QPushButton::clicked, this, &Tool1::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &Tool1::Command2_Click);
    connect(command3, &QPushButton::clicked, this, &Tool1::Command3_Click);
    connect(command4, &QPushButton::clicked, this, &Tool1::Command4_Click);
    connect(command5, &QPushButton::clicked, this, &Tool1::Command5_Click);
    connect(command6, &QPushButton::clicked, this, &Tool1::Command6_Click);
}

void Tool1::SetProgress(int percent, float barWidth)
{
    barWidth_ = barWidth;
    label5_->resize(BarPixels(barWidth), label5_->height());
    label7_->setText(QString::number(percent) + QLatin1Char('%'));
}

void Tool1::ClearResultTooltips()
{
    list3_->setToolTip(QString());
    list1_->setToolTip(QString());
}

void Tool1::Form_Load()
{
    dialog1_.InitDir = services_.AppFolder();
    ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
}

void Tool1::Command1_Click()
{
    ui::LoadDictionary(
        services_, this, dialog1_, list1Words_,
        [this](const QString& path) {
            list1Words_.Clear();
            list1Model_->Refresh();
            ClearResultTooltips();
            ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
            text1_->setText(path);
        },
        QStringLiteral("LEXOR"));
    list1Model_->Refresh();
}

void Tool1::Command2_Click()
{
    ui::LoadDictionary(
        services_, this, dialog1_, list2Words_,
        [this](const QString& path) {
            text2_->setText(path);
            list2Words_.Clear();
            list2Model_->Refresh();
            ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
            ClearResultTooltips();
        },
        kTitle);
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
        services_.Message(this, QStringLiteral("Selezionare prima due dizionari validi!"), kTitle, ui::Buttons::Ok);
        return;
    }

    SetProgress(0, kBarStartWidth);
    frame1_->repaint();
    // The same percent gives the same bar and text: paint only on a change.
    int shown = -1;
    CompareDictionaries(list1Words_, list2Words_, list3Words_, [this, &shown](int percent) {
        if (percent == shown)
            return;
        shown = percent;
        SetProgress(percent, ProgressBarWidth(percent, static_cast<float>(kTrackWidth)));
        frame1_->repaint();
    });
    SetProgress(100, static_cast<float>(kTrackWidth));
    list1Model_->Refresh();
    list3Model_->Refresh();

    ui::SetOuterHeightTwips(this, kExpandedHeight, kNonClientAllowance);
    list2Words_.Clear();
    list2Model_->Refresh();
    text1_->clear();
    text2_->clear();
    list3_->setToolTip(Parole(list3Words_.ListCount()));
    list1_->setToolTip(Parole(list1Words_.ListCount()));
}

void Tool1::SaveResult(const WordList& words, const QString& fileName, const QString& emptyMessage)
{
    if (words.ListCount() < 1) {
        services_.Message(this, emptyMessage, kTitle, ui::Buttons::Ok);
        return;
    }
    if (!ui::SaveWordList(services_, this, services_.AppPath(fileName), words))
        return;
    services_.Message(this, QStringLiteral("File %1 salvato!").arg(fileName), kTitle, ui::Buttons::Ok);
}

void Tool1::Command4_Click()
{
    SaveResult(list3Words_, QString::fromLatin1(kAddedWordsFile), QStringLiteral("Nessuna parola aggiunta!"));
}

void Tool1::Command6_Click()
{
    SaveResult(list1Words_, QString::fromLatin1(kMissingWordsFile), QStringLiteral("Nessuna parola mancante!"));
}

void Tool1::Command3_Click()
{
    close();
}

} // namespace lexor

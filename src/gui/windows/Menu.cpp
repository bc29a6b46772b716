#include "windows/Menu.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "activation/Activation.h"
#include "files/FileReplace.h"
#include "format/DictionaryFormat.h"
#include "kit/BusyCursor.h"
#include "kit/Conversions.h"
#include "kit/Design.h"
#include "kit/ScreenPlacement.h"
#include "kit/Twips.h"
#include "services/DictionaryFiles.h"
#include "services/FileMessages.h"
#include "services/Services.h"
#include "windows/Tool1.h"
#include "windows/Tool2.h"

// The pictures live in the static GUI library; naming its initialiser keeps
// the linker from dropping them.
static void InitResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace lexor {
namespace {

constexpr int kClientWidth = 6795;
constexpr int kClientHeight = 5220;

// What the status line says of each button while the pointer is over it;
// screen readers read it as the button's description.
const QString kDescribeCompare =
    QStringLiteral("Confronta due Dizionari mostrando le parole aggiunte e quelle mancanti");
const QString kDescribeOptimise = QStringLiteral("Riordina alfabeticamente un Dizionario ed elimina eventuali doppie");
const QString kDescribeActivate = QStringLiteral("Cambia il Dizionario attualmente in uso nel gioco");
const QString kDescribeExit = QStringLiteral("Esci da LEXOR Tools");

const QString kActivationWarning = QStringLiteral(
    "Attenzione! Il dizionario attualmente installato verrà sovrascritto: si consiglia pertanto di effettuarne un "
    "backup prima di questa operazione. Proseguire?");

// A label has no mouse-move handler: over it the status line keeps its text,
// so the move must not climb to the container and restore it.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, const QColor& colour,
                 Qt::Alignment alignment, const std::optional<QFont>& font = std::nullopt)
{
    QLabel* label = ui::MakeLabel(parent, name, caption, geometry, colour, alignment, font);
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

} // namespace

Menu::Menu(ui::Services& services, QWidget* parent)
    : QWidget(parent, ui::kFixedWindow), services_(services), dialog1_(services, this)
{
    InitResources();
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(ui::kTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    setFixedSize(ui::Px(kClientWidth), ui::Px(kClientHeight));
    QFont windowFont = font();
    windowFont.setFamily(ui::kSansSerif);
    windowFont.setBold(false);
    setFont(windowFont);
    setMouseTracking(true);
    banner_.load(QStringLiteral(":/banner.jpg"));

    frame1_ = ui::MakeFrame(this, "Frame1", ui::TwipsRect(0, 2520, 6800, 2700));
    // Opaque, as a frame is: the banner's last rows end under it.
    frame1_->setAutoFillBackground(true);
    label1_ = AddLabel(this, "Label1", QStringLiteral("v" LEXOR_SHOWN_VERSION), ui::TwipsRect(5760, 1920, 975, 495),
                       ui::kDarkRed, Qt::AlignCenter, ui::DesignFont(24, true, ui::kSerif));
    command1_ = AddButton("Command1", QStringLiteral("Confronta due Dizionari"), kDescribeCompare, 240);
    frame2_ = ui::MakeFrame(frame1_, "Frame2", ui::TwipsRect(120, 2160, 6555, 420));
    label2_ = AddLabel(frame2_, "Label2", kCreditLine, ui::TwipsRect(80, 140, 6375, 255), ui::kNavy,
                       Qt::AlignHCenter | Qt::AlignTop);
    label2_->setAutoFillBackground(true);

    command2_ = AddButton("Command2", QStringLiteral("Ottimizza Dizionario"), kDescribeOptimise, 720);
    command3_ = AddButton("Command3", QStringLiteral("Attiva Dizionario"), kDescribeActivate, 1200);
    command4_ = AddButton("Command4", QStringLiteral("Esci"), kDescribeExit, 1680);
    setTabOrder(command1_, command2_);
    setTabOrder(command2_, command3_);
    setTabOrder(command3_, command4_);

    for (QWidget* surface : {static_cast<QWidget*>(frame1_), static_cast<QWidget*>(frame2_)}) {
        surface->setMouseTracking(true);
        surface->setAttribute(Qt::WA_NoMousePropagation);
        surface->installEventFilter(this);
    }
    connect(command1_, &QPushButton::clicked, this, &Menu::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Menu::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Menu::Command3_Click);
    connect(command4_, &QPushButton::clicked, this, &Menu::Command4_Click);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
    command1_->setFocus();

    Form_Load();
}

QPushButton* Menu::AddButton(const char* name, const QString& caption, const QString& description, int top)
{
    QPushButton* button =
        ui::MakeButton(frame1_, name, caption, ui::TwipsRect(120, top, 6540, 495), ui::DesignFont(12, true));
    button->setAccessibleDescription(description);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setMouseTracking(true);
    button->setAttribute(Qt::WA_NoMousePropagation);
    button->installEventFilter(this);
    return button;
}

void Menu::Form_Load()
{
    dialog1_.InitDir = ui::FromPath(services_.AppPath(kDictionariesFolder));
    dialog1_.DialogTitle = QStringLiteral("Scegli il dizionario da attivare");
}

template <class Tool> void Menu::OpenTool()
{
    // The tool takes the menu's place: centred on it, title bar and borders
    // counted as the menu's.
    const QRect menuFrame = frameGeometry();
    const QSize borders = menuFrame.size() - size();
    hide();
    auto* tool = new Tool(services_);
    const QSize toolFrame = tool->size() + borders;
    tool->move(menuFrame.x() + (menuFrame.width() - toolFrame.width()) / 2,
               menuFrame.y() + (menuFrame.height() - toolFrame.height()) / 2);
    // The menu is only hidden, so closing the tool must not end the program.
    tool->setAttribute(Qt::WA_QuitOnClose, false);
    connect(tool, &QObject::destroyed, this, &QWidget::show);
    tool->show();
    ui::KeepOnScreen(tool);
    tool->activateWindow();
}

void Menu::Command1_Click()
{
    OpenTool<Tool1>();
}

void Menu::Command2_Click()
{
    OpenTool<Tool2>();
}

void Menu::Command3_Click()
{
    const std::filesystem::path active = services_.AppPath(kActiveDictionary);
    QString warning = kActivationWarning;
    std::error_code error;
    if (!active.empty() && std::filesystem::exists(active, error) && !CanKeepReplacedFile(active))
        warning += QLatin1Char('\n') + ui::NotRecoverable();
    if (services_.Message(this, warning, ui::kTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
        return;
    if (active.empty()) {
        services_.Message(this, ui::NoAppFolder(), ui::kTitle, ui::Buttons::Ok);
        return;
    }
    if (!dialog1_.Choose())
        return;
    ActivationResult result;
    ui::ReplaceKeepingOld(services_, this, active, [&](const ReplaceOptions& options) {
        const ui::BusyCursor busy;
        result = ActivateDictionary(ui::ToPath(dialog1_.FileName), active, options);
        return result.written;
    });
    // The user chose to keep the old dictionary rather than lose it.
    if (result.error == FileErrc::NotKept)
        return;
    const QString& chosen = dialog1_.FileName;
    QString told;
    switch (result.outcome) {
    case ActivationResult::Outcome::Installed:
        return;
    case ActivationResult::Outcome::Converted:
        told = ui::InstalledInGamesForm(chosen, result.read);
        break;
    case ActivationResult::Outcome::Refused:
        told = ui::NotActivated(chosen, result.read);
        break;
    case ActivationResult::Outcome::SameFile:
        told = ui::AlreadyActive(chosen);
        break;
    case ActivationResult::Outcome::CouldNotRead:
        told = ui::NotActivated(chosen, result.error);
        break;
    case ActivationResult::Outcome::Changed:
        told = ui::ChangedWhileInstalled(chosen);
        break;
    case ActivationResult::Outcome::CouldNotCopy:
    case ActivationResult::Outcome::HeldOpen:
        told = ui::InstallFailure(ui::FromPath(active), result.error);
        break;
    }
    services_.Message(this, told, ui::kTitle, ui::Buttons::Ok);
}

void Menu::Command4_Click()
{
    // Every handler closes the files it opens, so none is open here.
    QCoreApplication::exit(0);
}

void Menu::Command1_MouseMove()
{
    label2_->setText(kDescribeCompare);
}

void Menu::Command2_MouseMove()
{
    label2_->setText(kDescribeOptimise);
}

void Menu::Command3_MouseMove()
{
    label2_->setText(kDescribeActivate);
}

void Menu::Command4_MouseMove()
{
    label2_->setText(kDescribeExit);
}

void Menu::Form_MouseMove()
{
    label2_->setText(kCreditLine);
}

void Menu::Frame1_MouseMove()
{
    label2_->setText(kCreditLine);
}

void Menu::Frame2_MouseMove()
{
    label2_->setText(kCreditLine);
}

void Menu::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), banner_);
}

void Menu::showEvent(QShowEvent* event)
{
    // Back from a tool, the screen may have changed.
    ui::KeepOnScreen(this);
    // Also where no window manager hands out the keyboard: the menu takes it
    // whenever it appears, at start and back from a tool.
    activateWindow();
    QWidget::showEvent(event);
}

void Menu::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    event->accept();
}

bool Menu::eventFilter(QObject* watched, QEvent* event)
{
    // The buttons overlap by a pixel row: the focused one goes on top, so its
    // focus outline shows whole.
    if (event->type() == QEvent::FocusIn && qobject_cast<QPushButton*>(watched))
        static_cast<QWidget*>(watched)->raise();
    if (event->type() != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    if (watched == command1_)
        Command1_MouseMove();
    else if (watched == command2_)
        Command2_MouseMove();
    else if (watched == command3_)
        Command3_MouseMove();
    else if (watched == command4_)
        Command4_MouseMove();
    else if (watched == frame1_)
        Frame1_MouseMove();
    else if (watched == frame2_)
        Frame2_MouseMove();
    // The control still sees the move (a pressed button follows the pointer).
    return false;
}

} // namespace lexor

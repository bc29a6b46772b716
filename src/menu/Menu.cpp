#include "menu/Menu.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "compare/Tool1.h"
#include "dictionary/DictionaryFormat.h"
#include "dictionary/DictionaryReader.h"
#include "dictionary/FileReplace.h"
#include "menu/Activation.h"
#include "optimise/Tool2.h"
#include "ui/DictionaryLoader.h"
#include "ui/FileReason.h"
#include "ui/Services.h"
#include "ui/Twips.h"

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

const QString kTitle = QStringLiteral("LEXOR Tools");
const QString kActivationWarning = QStringLiteral(
    "Attenzione! Il dizionario attualmente installato verrà sovrascritto: si consiglia pertanto di effettuarne un "
    "backup prima di questa operazione. Proseguire?");

QString FromAscii(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QFrame* AddFrame(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(geometry);
    return frame;
}

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry,
                 const QColor& colour)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFocusPolicy(Qt::NoFocus);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    // A label has no mouse-move handler: over it the status line keeps its
    // text, so the move must not climb to the container and restore it.
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

} // namespace

Menu::Menu(ui::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      Dialog1(services, this), services_(services)
{
    InitResources();
    setObjectName(QStringLiteral("Menu"));
    setWindowTitle(QStringLiteral("LEXOR Tools"));
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    setFixedSize(ui::Px(kClientWidth), ui::Px(kClientHeight));
    QFont windowFont = font();
    windowFont.setFamily(QStringLiteral("MS Sans Serif"));
    windowFont.setBold(false);
    setFont(windowFont);
    setMouseTracking(true);
    banner_.load(QStringLiteral(":/banner.jpg"));

    frame1_ = AddFrame(this, QStringLiteral("Frame1"), ui::TwipsRect(0, 2520, 6800, 2700));

    label1_ = AddLabel(this, QStringLiteral("Label1"), QStringLiteral("v1.6"), ui::TwipsRect(5760, 1920, 975, 495),
                       QColor(192, 0, 0));
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setFont(QFont(QStringLiteral("Times New Roman"), 24, QFont::Bold));

    command1_ = AddButton(QStringLiteral("Command1"), QStringLiteral("Confronta due Dizionari"), 240);

    frame2_ = AddFrame(frame1_, QStringLiteral("Frame2"), ui::TwipsRect(120, 2160, 6555, 420));
    label2_ =
        AddLabel(frame2_, QStringLiteral("Label2"), kCreditLine, ui::TwipsRect(80, 140, 6375, 255), QColor(0, 0, 128));
    label2_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label2_->setAutoFillBackground(true);

    command2_ = AddButton(QStringLiteral("Command2"), QStringLiteral("Ottimizza Dizionario"), 720);
    command3_ = AddButton(QStringLiteral("Command3"), QStringLiteral("Attiva Dizionario"), 1200);
    command4_ = AddButton(QStringLiteral("Command4"), QStringLiteral("Esci"), 1680);
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

QPushButton* Menu::AddButton(const QString& name, const QString& caption, int top)
{
    auto* button = new QPushButton(caption, frame1_);
    button->setObjectName(name);
    button->setGeometry(ui::TwipsRect(120, top, 6540, 495));
    button->setFont(QFont(QStringLiteral("MS Sans Serif"), 12, QFont::Bold));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setMouseTracking(true);
    button->setAttribute(Qt::WA_NoMousePropagation);
    button->installEventFilter(this);
    return button;
}

void Menu::Form_Load()
{
    Dialog1.InitDir = services_.AppPath(
        QString::fromUtf8(kDictionariesFolder.data(), static_cast<qsizetype>(kDictionariesFolder.size())));
}

template <class Tool> void Menu::OpenTool()
{
    hide();
    auto* tool = new Tool(services_);
    // The menu is only hidden, so closing the tool must not end the program.
    tool->setAttribute(Qt::WA_QuitOnClose, false);
    connect(tool, &QObject::destroyed, this, &QWidget::show);
    tool->show();
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
    if (services_.Message(this, kActivationWarning, kTitle, ui::Buttons::YesNo) != ui::Answer::Yes)
        return;
    if (!Dialog1.Choose())
        return;
    const std::filesystem::path chosen = ui::ToPath(Dialog1.FileName);
    const FirstLineResult first = ReadFirstLine(chosen);
    if (first.error) {
        ui::ShowReadError(services_, this, Dialog1.FileName, first.error);
        return;
    }
    if (!first.line || !IsHeaderIgnoringCase(*first.line))
        return;
    const QString activePath = services_.AppPath(FromAscii(kActiveDictionary));
    const std::filesystem::path active = ui::ToPath(activePath);
    if (IsSameFile(chosen, active))
        return;
    const WriteResult copied = ReplaceFileWithCopy(chosen, active);
    if (!copied)
        services_.Message(this, InstallFailureText(activePath, copied), kTitle, ui::Buttons::Ok);
}

QString Menu::InstallFailureText(const QString& path, const WriteResult& failure)
{
    QString text = QStringLiteral("Impossibile installare il dizionario:\n%1\n%2").arg(path, ui::Reason(failure.error));
    if (failure.error == FileErrc::HeldOpen)
        text += QStringLiteral("\nChiudere il gioco e riprovare.");
    return text;
}

void Menu::Command4_Click()
{
    // Every handler closes the files it opens, so none is open here.
    QCoreApplication::exit(0);
}

void Menu::Command1_MouseMove()
{
    label2_->setText(QStringLiteral("Confronta due Dizionari mostrando le parole aggiunte e quelle mancanti"));
}

void Menu::Command2_MouseMove()
{
    label2_->setText(QStringLiteral("Riordina alfabeticamente un Dizionario ed elimina eventuali doppie"));
}

void Menu::Command3_MouseMove()
{
    label2_->setText(QStringLiteral("Cambia il Dizionario attualmente in uso nel gioco"));
}

void Menu::Command4_MouseMove()
{
    label2_->setText(QStringLiteral("Esci da LEXOR Tools"));
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

void Menu::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    event->accept();
}

bool Menu::eventFilter(QObject* watched, QEvent* event)
{
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

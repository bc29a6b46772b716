#include "compare/Tool1.h"

#include <QPushButton>

#include "ui/Services.h"
#include "ui/Twips.h"

namespace lexor {

Tool1::Tool1(ui::Services& services, QWidget* parent) : QWidget(parent), services_(services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Tool1"));
    setWindowTitle(QStringLiteral("LEXOR Tools - Confrontatore di Dizionari"));
    setFixedWidth(ui::Px(7425));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(pal);

    auto* close = new QPushButton(QStringLiteral("CHIUDI"), this);
    close->setObjectName(QStringLiteral("Command3"));
    close->setGeometry(ui::TwipsRect(3720, 840, 3495, 495));
    connect(close, &QPushButton::clicked, this, &Tool1::Command3_Click);

    Form_Load();
}

void Tool1::Form_Load()
{
    ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
}

void Tool1::Command3_Click()
{
    close();
}

} // namespace lexor

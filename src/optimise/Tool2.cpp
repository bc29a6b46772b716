#include "optimise/Tool2.h"

#include <QPushButton>

#include "ui/Services.h"
#include "ui/Twips.h"

namespace lexor {

Tool2::Tool2(ui::Services& services, QWidget* parent) : QWidget(parent), services_(services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Tool2"));
    setWindowTitle(QStringLiteral("LEXOR Tools - Ottimizzatore"));
    setFixedWidth(ui::Px(7110));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(pal);

    auto* close = new QPushButton(QStringLiteral("CHIUDI"), this);
    close->setObjectName(QStringLiteral("Command5"));
    close->setGeometry(ui::TwipsRect(3600, 480, 3375, 495));
    connect(close, &QPushButton::clicked, this, &Tool2::Command5_Click);

    Form_Load();
}

void Tool2::Form_Load()
{
    ui::SetOuterHeightTwips(this, kCompactHeight, kNonClientAllowance);
}

void Tool2::Command5_Click()
{
    close();
}

} // namespace lexor

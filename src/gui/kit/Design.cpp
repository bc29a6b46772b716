#include "kit/Design.h"

#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QPushButton>

#include "kit/PushButton.h"
#include "kit/Twips.h"
#include "kit/WordListView.h"

namespace lexor::ui {

QFont DesignFont(qreal points, bool bold, const QString& family)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    // Outline faces only, as the application's font asks (see Fonts.h). The
    // font must say so itself: lists and message boxes start from fonts of
    // their own, not from the application's, and would otherwise get Windows'
    // bitmap "MS Sans Serif" at its nearest fixed size, made bold by
    // thickening its thin regular letters.
    font.setStyleStrategy(QFont::ForceOutline);
    return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void SetUpToolWindow(QWidget* window, const char* name, const QString& caption, int widthTwips)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlags(kFixedWindow);
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(kTitle + QStringLiteral(" - ") + caption);
    window->setFixedWidth(Px(widthTwips));
    window->setAutoFillBackground(true);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kTeal);
    palette.setColor(QPalette::Highlight, kYellow);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    window->setPalette(palette);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QColor& colour,
                  Qt::Alignment alignment, const std::optional<QFont>& font)
{
    auto* label = MakeControl<QLabel>(parent, name, geometry);
    label->setText(text);
    label->setAlignment(alignment);
    SetColour(label, QPalette::WindowText, colour);
    if (font)
        label->setFont(*font);
    return label;
}

QLabel* MakeFilledLabel(QWidget* parent, const char* name, QRect geometry, const QColor& background)
{
    auto* label = MakeControl<QLabel>(parent, name, geometry);
    label->setAutoFillBackground(true);
    SetColour(label, QPalette::Window, background);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect geometry,
                        const std::optional<QFont>& font)
{
    auto* button = MakeControl<PushButton>(parent, name, geometry);
    button->setText(text);
    if (font)
        button->setFont(*font);
    return button;
}

QListView* MakeWordList(QWidget* parent, const char* name, QAbstractItemModel* model, QRect geometry)
{
    auto* view = MakeControl<WordListView>(parent, name, geometry);
    view->setFont(DesignFont(12, true));
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, kNavy);
    palette.setColor(QPalette::Text, kGreen);
    // Selection and the focus outline in the list's own colours, swapped,
    // so they show on navy.
    palette.setColor(QPalette::Highlight, kGreen);
    palette.setColor(QPalette::HighlightedText, kNavy);
    view->setPalette(palette);
    view->setModel(model);
    return view;
}

} // namespace lexor::ui

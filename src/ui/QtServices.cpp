#include "ui/QtServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace lexor::ui {

QString Services::AppPath(const QString& name) const
{
    return AppFolder() + QDir::separator() + name;
}

std::unique_ptr<QMessageBox> QtServices::MakeBox(QWidget* parent, const QString& text, const QString& title,
                                                 Buttons buttons)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    // Paths and system reasons are shown as they are, never as markup.
    box->setTextFormat(Qt::PlainText);
    if (buttons == Buttons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    return box;
}

Answer QtServices::Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons)
{
    const auto box = MakeBox(parent, text, title, buttons);
    const int pressed = box->exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtServices::OpenFile(QWidget* parent, const QString& initialDir, const QString& filter)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initialDir, filter);
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}

QString QtServices::AppFolder() const
{
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (folder.size() > 1 && folder.endsWith(QDir::separator()))
        folder.chop(1);
    return folder;
}

} // namespace lexor::ui

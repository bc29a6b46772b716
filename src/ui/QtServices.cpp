#include "ui/QtServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace lexor::ui {

QString Services::AppPath(const QString& name) const
{
    return AppFolder() + QDir::separator() + name;
}

Answer QtServices::Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

QString QtServices::OpenFile(QWidget* parent, const QString& initialDir, const QString& filter)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initialDir, ToQtFilter(filter));
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen);
}

QString QtServices::AppFolder() const
{
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    while (folder.size() > 1 && folder.endsWith(QDir::separator()))
        folder.chop(1);
    return folder;
}

QString QtServices::ToQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return filters.join(QStringLiteral(";;"));
}

} // namespace lexor::ui

#include "support/ModalCloser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "services/QtServices.h"

namespace lexor::test {

ModalCloser::ModalCloser(std::function<void(QWidget*)> look)
{
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this, look] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer_.stop();
            title = modal->windowTitle();
            if (look)
                look(modal);
            if (modal->isVisible())
                modal->close();
        }
    });
    timer_.start();
}

ui::Answer ShowBox(const QString& text, const QString& title, ui::Buttons buttons,
                   const std::function<void(QMessageBox&)>& look)
{
    ui::QtServices services;
    const ModalCloser closer([&look](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            look(*box);
    });
    return services.Message(nullptr, text, title, buttons);
}

void PressOn(QMessageBox& box, int key)
{
    box.activateWindow();
    if (!QTest::qWaitForWindowActive(&box))
        ADD_FAILURE() << "the box did not take the keyboard";
    QWidget* target = box.focusWidget() ? box.focusWidget() : &box;
    QTest::keyClick(target, static_cast<Qt::Key>(key));
}

} // namespace lexor::test

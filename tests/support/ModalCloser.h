#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QTimer>

#include "services/Services.h"

class QMessageBox;
class QWidget;

namespace lexor::test {

// Closes whatever modal window opens next, once it is open, and keeps its
// title; look, if given, sees it first, and may answer it itself.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(std::function<void(QWidget*)> look = {});
    QString title;

private:
    QTimer timer_;
};

// Shows a box through the desktop's real services and hands it to look
// once it is open; look may answer it with a key (see PressOn). Returns
// the box's answer.
ui::Answer ShowBox(const QString& text, const QString& title, ui::Buttons buttons,
                   const std::function<void(QMessageBox&)>& look);

// Presses key where the desktop sends it: on the box's focused control.
void PressOn(QMessageBox& box, int key);

} // namespace lexor::test

#pragma once

#include <QPixmap>
#include <QWidget>

#include "services/FileDialog.h"

class QFrame;
class QLabel;
class QPushButton;

namespace lexor::ui {
class Services;
}

namespace lexor {

// The main menu: the program's hub. It opens one tool at a time, hiding
// itself until the tool is gone, installs a dictionary as the game's active
// one and ends the program. The status line at the bottom describes the
// button under the pointer and shows the credit line everywhere else.
class Menu : public QWidget {
    Q_OBJECT
public:
    static inline const QString kCreditLine =
        QStringLiteral("LEXOR Tools - programma e grafica a cura degli sviluppatori di LEXOR Tools");

    explicit Menu(ui::Services& services, QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command1_MouseMove();
    void Command2_MouseMove();
    void Command3_MouseMove();
    void Command4_MouseMove();
    void Form_MouseMove();
    void Frame1_MouseMove();
    void Frame2_MouseMove();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A button of the column; description is what the status line says of it.
    QPushButton* AddButton(const char* name, const QString& caption, const QString& description, int top);
    // Hides the menu and shows a fresh tool; the menu comes back when the
    // tool is destroyed, however it was closed.
    template <class Tool> void OpenTool();

    ui::Services& services_;
    // The menu's own file dialog; its initial folder is set once, on load.
    ui::FileDialog dialog1_;
    QPixmap banner_;
    QFrame* frame1_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QFrame* frame2_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
};

} // namespace lexor

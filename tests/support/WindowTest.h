#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <QMimeData>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QWidget>

#include "kit/Twips.h"
#include "support/ScriptedServices.h"
#include "support/TempDir.h"
#include "support/WordLists.h"

// Failed expectations show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace lexor::test {

using Texts = std::vector<QString>;

// A tool window's client height in pixels, compact or expanded.
template <class Tool> constexpr int CompactHeight()
{
    return ui::ClientHeight(Tool::kCompactHeight, Tool::kNonClientAllowance);
}
template <class Tool> constexpr int ExpandedHeight()
{
    return ui::ClientHeight(Tool::kExpandedHeight, Tool::kNonClientAllowance);
}

// What every window test starts from: a game folder of its own, the scripted
// desktop whose application folder it is, and ways to reach the controls of
// the window under test by their names, as the design names them.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    // Deletes every window the test left open; the desktop's file dialog,
    // kept for the whole run, stays.
    ~WindowTest() override;
    static void SetUpTestSuite();

    // The window that Get, Click, Items and Text look in.
    void Watch(QWidget* window) { window_ = window; }

    // A new Window on the scripted desktop, shown and watched.
    template <class Window> Window* OpenWindow()
    {
        auto* window = new Window(services);
        Watch(window);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }

    // The control called name in the window under test, or the window itself.
    template <class T = QWidget> T* Get(const char* name) const
    {
        T* control = window_ && window_->objectName() == QLatin1String(name)
                         ? qobject_cast<T*>(window_.data())
                         : window_->findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // The control called name, checked to stand where its design puts it:
    // twips holds left, top, width and height in its container, in twips.
    QWidget* Placed(const char* name, const QRect& twips) const;

    // A left click on the button called name, as the user gives it.
    void Click(const char* button) const;

    // Closes the window under test with the button called button, or with the
    // close box when there is none; true when that destroyed the window.
    bool Close(const char* button = nullptr);

    // Presses key on whatever has the keyboard focus in the window under test,
    // which is made the active window first.
    void Press(Qt::Key key) const;
    // The names of the controls that Tab walks through, from the one that
    // has the focus until the focus comes back to it (at most 30 steps).
    Texts TabRound() const;

    // Whether screen readers report the control called name as showing.
    bool ReaderSees(const char* name) const;

    // The words a list shows, top to bottom, as UTF-8.
    Words Items(const char* list) const;
    // The text of a path box or a label.
    QString Text(const char* control) const;
    Texts BoxTexts() const;

    // Drops data on the control called name as the file manager would and
    // lets what the drop starts run. Returns whether the control took it.
    bool Drop(const char* control, const QMimeData& data) const;
    // What the file manager drags for files.
    static std::unique_ptr<QMimeData> Files(const std::vector<std::filesystem::path>& files);

    // Writes bytes into the game folder as name and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
    // The next file dialog answers with file.
    void Choose(const std::filesystem::path& file);
    // Clicks button, whose file dialog answers with file.
    void ClickChoosing(const char* button, const std::filesystem::path& file);

    TempDir game;
    ScriptedServices services;

private:
    QPointer<QWidget> window_;
};

} // namespace lexor::test

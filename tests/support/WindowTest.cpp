#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "kit/Conversions.h"
#include "kit/Fonts.h"

namespace lexor::test {

WindowTest::WindowTest() : services(game.path())
{
#ifndef _WIN32
    // A replaced file goes to a trash of the test's own, never the user's;
    // under Wine, the Recycle Bin is in the folder the test run names.
    qputenv("XDG_DATA_HOME", QFile::encodeName(ui::FromPath(game / "dati")));
#endif
}

WindowTest::~WindowTest()
{
    // The desktop's one file dialog lives as long as the program, as it
    // would write the user's settings as it goes (QtServices).
    for (QWidget* window : QApplication::topLevelWidgets())
        if (!qobject_cast<QFileDialog*>(window))
            delete window;
}

void WindowTest::SetUpTestSuite()
{
    ui::InstallFontSubstitutes();
}

QWidget* WindowTest::Placed(const char* name, const QRect& twips) const
{
    QWidget* control = Get(name);
    if (control) {
        EXPECT_EQ(control->geometry(), ui::TwipsRect(twips.x(), twips.y(), twips.width(), twips.height())) << name;
    }
    return control;
}

void WindowTest::Click(const char* button) const
{
    QTest::mouseClick(Get<QAbstractButton>(button), Qt::LeftButton);
}

bool WindowTest::Close(const char* button)
{
    QSignalSpy destroyed(window_.data(), &QObject::destroyed);
    if (button)
        Click(button);
    else
        window_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return destroyed.count() == 1 && window_.isNull();
}

bool WindowTest::ReaderSees(const char* name) const
{
    const QAccessible::State state = QAccessible::queryAccessibleInterface(Get(name))->state();
    return !state.invisible && !state.offscreen;
}

Words WindowTest::Items(const char* list) const
{
    Words words;
    const auto* model = Get<QListView>(list)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        words.push_back(model->data(model->index(row, 0)).toString().toStdString());
    return words;
}

QString WindowTest::Text(const char* control) const
{
    if (auto* box = qobject_cast<QLineEdit*>(Get(control)))
        return box->text();
    return Get<QLabel>(control)->text();
}

Texts WindowTest::BoxTexts() const
{
    Texts texts;
    for (const auto& box : services.boxes)
        texts.push_back(box.text);
    return texts;
}

void WindowTest::Press(Qt::Key key) const
{
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
    QWidget* focus = window_->focusWidget();
    QTest::keyClick(focus ? focus : window_.data(), key);
}

Texts WindowTest::TabRound() const
{
    Texts names;
    const QWidget* start = window_->focusWidget();
    if (!start)
        return names;
    do {
        names.push_back(window_->focusWidget()->objectName());
        Press(Qt::Key_Tab);
    } while (window_->focusWidget() != start && names.size() < 30);
    return names;
}

bool WindowTest::Drop(const char* control, const QMimeData& data) const
{
    QWidget* target = Get(control);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return enter.isAccepted() && drop.isAccepted();
}

std::unique_ptr<QMimeData> WindowTest::Files(const std::vector<std::filesystem::path>& files)
{
    QList<QUrl> urls;
    for (const auto& file : files)
        urls.push_back(QUrl::fromLocalFile(ui::FromPath(file)));
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

std::filesystem::path WindowTest::Write(std::string_view name, std::string_view bytes) const
{
    const std::filesystem::path file = game / name;
    WriteBytes(file, bytes);
    return file;
}

void WindowTest::Choose(const std::filesystem::path& file)
{
    services.QueueFile(ui::FromPath(file));
}

void WindowTest::ClickChoosing(const char* button, const std::filesystem::path& file)
{
    Choose(file);
    Click(button);
}

} // namespace lexor::test

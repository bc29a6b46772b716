#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "ui/Conversions.h"
#include "ui/Fonts.h"

namespace lexor::test {

std::string Dictionary(const Words& words, int count)
{
    std::string bytes =
        "Lexor Dictionary Volume\r\n" + std::to_string(count < 0 ? static_cast<int>(words.size()) : count) + "\r\n";
    for (const auto& word : words)
        bytes += word + "\r\n";
    return bytes;
}

WindowTest::WindowTest() : services(ui::FromPath(game.path()))
{
}

WindowTest::~WindowTest()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        delete window;
}

void WindowTest::SetUpTestSuite()
{
    ui::InstallFontSubstitutes();
}

void WindowTest::Click(const char* button) const
{
    QTest::mouseClick(Get<QAbstractButton>(button), Qt::LeftButton);
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

} // namespace lexor::test

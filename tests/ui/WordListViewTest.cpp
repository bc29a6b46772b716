#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>

#include "dictionary/WordList.h"
#include "ui/WordListModel.h"
#include "ui/WordListView.h"

namespace lexor {
namespace {

// A list as the windows show it, with words that need decoding and one far
// wider than the list.
struct ShownList {
    WordList words;
    ui::WordListModel model{words};
    ui::WordListView view;

    ShownList()
    {
        for (const char* word : {"zucchero", "perch\xE9", "abete", "precipitevolissimevolmente", "casa"})
            words.AddItem(word);
        model.Refresh();
        view.setModel(&model);
        view.setGeometry(0, 0, 129, 104);
        QFont font = view.font();
        font.setPointSize(12);
        font.setBold(true);
        view.setFont(font);
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
        view.setFocus();
    }

    void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, view.visualRect(model.index(row)).center());
    }
};

QAction* CopyAction(const ui::WordListView& view)
{
    for (QAction* action : view.actions())
        if (action->text() == QStringLiteral("Copia"))
            return action;
    return nullptr;
}

TEST(WordListView, CopiesTheSelectedWordsInListOrderAsShown)
{
    ShownList list;
    // Sorted: abete, casa, perché, precipitevolissimevolmente, zucchero.
    list.Click(0);
    list.Click(2, Qt::ShiftModifier);
    list.Click(4, Qt::ControlModifier);
    const QString expected = QStringLiteral("abete\ncasa\nperché\nzucchero");

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&list.view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);

    QGuiApplication::clipboard()->clear();
    QAction* copy = CopyAction(list.view);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(list.view.contextMenuPolicy(), Qt::ActionsContextMenu);
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
}

TEST(WordListView, NothingSelectedLeavesTheClipboardAlone)
{
    ShownList list;
    list.view.clearSelection();
    QGuiApplication::clipboard()->setText(QStringLiteral("prima"));
    QTest::keyClick(&list.view, Qt::Key_C, Qt::ControlModifier);
    CopyAction(list.view)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("prima"));
}

TEST(WordListView, AWholeListCopiesAndNoWordMakesItScrollSideways)
{
    ShownList list;
    list.view.selectAll();
    EXPECT_EQ(list.view.SelectedText().count(QLatin1Char('\n')), 4);
    EXPECT_EQ(list.view.horizontalScrollBar()->maximum(), 0);
}

} // namespace
} // namespace lexor

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <string_view>
#include <vector>

#include "kit/WordListModel.h"
#include "kit/WordListView.h"
#include "words/WordList.h"

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

// A list far longer than its view, its words numbered in list order, shown
// at the windows' size and font.
struct LongList {
    static constexpr int kWords = 100000;
    WordList words;
    ui::WordListModel model{words};
    ui::WordListView view;

    LongList()
    {
        std::vector<std::string> texts;
        for (int i = 0; i < kWords; ++i)
            texts.push_back("p" + std::to_string(1000000 + i));
        words.AddItems(std::vector<std::string_view>(texts.begin(), texts.end()));
        view.setModel(&model);
        view.setGeometry(0, 0, 129, 144);
        QFont font = view.font();
        font.setPointSize(12);
        font.setBold(true);
        view.setFont(font);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.setFocus();
        QApplication::processEvents();
    }

    int Height() const { return view.visualRect(model.index(0)).height(); }
    int InSight() const { return view.viewport()->height() / Height(); }
    int RowAt(int y) const { return view.indexAt(QPoint(5, y)).row(); }
    bool Shown(int row) const { return view.viewport()->rect().contains(view.visualRect(model.index(row))); }
};

TEST(WordListView, RowsLieOneUnderAnotherAndTheBarReachesTheLastWord)
{
    LongList list;
    ASSERT_GT(list.Height(), 0);
    EXPECT_EQ(list.RowAt(0), 0);
    EXPECT_EQ(list.RowAt(list.Height()), 1);
    EXPECT_EQ(list.view.visualRect(list.model.index(1)).top(), list.Height());
    EXPECT_EQ(list.view.visualRect(list.model.index(1)).width(), list.view.viewport()->width());
    EXPECT_FALSE(list.view.viewport()->rect().intersects(list.view.visualRect(list.model.index(LongList::kWords - 1))));

    QScrollBar* bar = list.view.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), LongList::kWords - list.InSight());
    bar->setValue(bar->maximum());
    EXPECT_TRUE(list.Shown(LongList::kWords - 1));
    EXPECT_EQ(list.RowAt(0), LongList::kWords - list.InSight());

    // A click far down the list selects the word under the pointer.
    bar->setValue(54321);
    QTest::mouseClick(list.view.viewport(), Qt::LeftButton, {}, QPoint(5, list.Height() * 2 + 1));
    EXPECT_EQ(list.view.currentIndex().row(), 54323);
    EXPECT_EQ(list.view.SelectedText(), QStringLiteral("p1054323"));
}

TEST(WordListView, KeysMoveThroughTheWholeListAndKeepTheWordInSight)
{
    LongList list;
    QTest::keyClick(&list.view, Qt::Key_End);
    EXPECT_EQ(list.view.currentIndex().row(), LongList::kWords - 1);
    EXPECT_TRUE(list.Shown(LongList::kWords - 1));
    // A page leaves the row it started from in sight.
    QTest::keyClick(&list.view, Qt::Key_PageUp);
    EXPECT_EQ(list.view.currentIndex().row(), LongList::kWords - list.InSight());
    QTest::keyClick(&list.view, Qt::Key_Home);
    QTest::keyClick(&list.view, Qt::Key_PageDown);
    EXPECT_EQ(list.view.currentIndex().row(), list.InSight() - 1);
    QTest::keyClick(&list.view, Qt::Key_PageDown);
    EXPECT_TRUE(list.Shown(list.view.currentIndex().row()));
    EXPECT_FALSE(list.Shown(0));

    // Shift extends from the anchor, even once it has scrolled out of sight.
    QTest::keyClick(&list.view, Qt::Key_Home);
    QTest::keyClick(&list.view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(list.view.SelectedText().count(QLatin1Char('\n')), LongList::kWords - 1);
}

} // namespace
} // namespace lexor

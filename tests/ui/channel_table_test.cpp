// The channel window as a table: rows selected by their labels, copied, cut, pasted (inside
// the program and as text), moved and deleted with the keys, giving the bytes tarvos-cli edit
// gives for the same gestures; and the keyboard: Enter, the arrows, the Menu key and
// Shift+F10, Escape and Tab in the tone box.

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTest>

#include "channels/channel_row_commands.h"
#include "document/channel_clipboard.h"
#include "document/channel_editor.h"
#include "memory/channel_codec.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class TableTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        QGuiApplication::clipboard()->clear();
    }
    // Started with the defaults file open (every channel in use) and the grid in focus.
    void open() {
        start();
        window->OpenFile(path("DefRadioSet.def"));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid()->setFocus();
    }
    GridControl* grid() { return channels().grid(); }
    ChannelEditor& editor() { return app->document.channelEditor(); }
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    QPoint centre(int r, int c) {
        return grid()->visualRect(grid()->model()->index(r - 1, c - 1)).center();
    }
    void click(int r, int c) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centre(r, c));
        settle();
    }
    // A click on the label of row r (Shift or Ctrl to extend the selection); the grid keeps
    // the focus, as a click on the labels leaves it.
    void label(int r, Qt::KeyboardModifiers mods = {}) {
        QHeaderView* side = grid()->verticalHeader();
        QTest::mouseClick(side->viewport(), Qt::LeftButton, mods,
                          QPoint(side->width() / 2, side->sectionViewportPosition(r - 1) + 4));
        grid()->setFocus();
        settle();
    }
    void key(int k, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(k), mods);
        settle();
    }
    QByteArray record(int n) {
        QByteArray bytes;
        for (int i = 0; i < 16; ++i)
            bytes += static_cast<char>(app->document.image().at(ChannelRecordAddr(n, i)));
        return bytes;
    }
    QStringList row(int r) {
        QStringList texts;
        for (int c = 1; c <= 10; ++c) texts << cell(r, c);
        return texts;
    }
};

TEST_F(TableTest, RowsAreCopiedAndPastedWholeInsideTheProgramAndAsText) {
    open();
    const QByteArray two = record(2), three = record(3);
    const QStringList rowTwo = row(2);
    label(2);
    label(3, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->text(), rowTwo.join('\t') + "\n" + row(3).join('\t') + "\n");
    EXPECT_TRUE(clip->hasFormat(ChannelRowCommands::kMimeType));
    EXPECT_FALSE(app->document.modified());

    // Pasted at the current row, the next following: exact duplicates, one undo step.
    label(9);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(record(9), two);
    EXPECT_EQ(record(10), three);
    EXPECT_EQ(row(9), rowTwo);
    EXPECT_TRUE(app->document.modified());
    window->Undo();
    EXPECT_NE(record(9), two);
    EXPECT_NE(record(10), three);

    // Text from a spreadsheet is typed into the rows; rows past 16 are said to be left out.
    QGuiApplication::clipboard()->setText("446.00625\t446.00625\tD023\tD023\tLow\n447\n448\n449\n");
    label(14);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(row(14).mid(0, 5), QStringList({"446.00625", "446.00625", "D023N", "D023N", "Low"}));
    EXPECT_EQ(cell(16, 1), "448");
    EXPECT_TRUE(window->statusText(1).contains("1 row(s) past channel 16"))
        << window->statusText(1).toStdString();
    // A new open clears the notice.
    window->OpenFile(path("DefRadioSet.def"));
    EXPECT_EQ(window->statusText(1), "Ready");
}

// The window's gestures and tarvos-cli edit's give the same file.
TEST_F(TableTest, TheGesturesGiveTheBytesOfTheCommandLine) {
    open();
    label(2);
    label(3, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    label(9);
    key(Qt::Key_V, Qt::ControlModifier);  // rows 9 and 10 stay selected
    key(Qt::Key_Up, Qt::AltModifier);     // they move up past channel 8
    label(5);
    key(Qt::Key_X, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("440.0125\t441\t67.0\n\t\n");
    label(12);
    key(Qt::Key_V, Qt::ControlModifier);
    label(14);
    key(Qt::Key_Delete);
    EXPECT_EQ(app->document.chInfo()(14, 1), -1);
    const QString mine = path("window.dat");
    ASSERT_TRUE(app->document.SaveAsFile(mine.toStdString()));

    QProcess cli;
    const QString out = path("cli.dat");
    cli.start(kCli, {"edit", path("DefRadioSet.def"), "--out", out, "copy:2-3", "paste:9",
                     "swap:8:9", "swap:9:10", "copy:5-5", "delete:5",
                     "pastetext:12=440.0125\\t441\\t67.0\\n\\t\\n", "delete:14"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(fileBytes(out), fileBytes(mine));
    EXPECT_NE(fileBytes(out), fileBytes(path("DefRadioSet.def")));
}

TEST_F(TableTest, TheMenuCarriesTheCommandsAndTheLockRefusesThem) {
    open();
    // The Menu key and Shift+F10 open the channel menu for the current row.
    click(4, 2);
    grid()->cancelEdit();
    grid()->setFocus();
    for (auto [k, mods] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
                           std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        key(Qt::Key_Down);
        const int current = grid()->row();
        key(k, mods);
        QMenu* menu = channels().channelMenu();
        EXPECT_TRUE(menu->isVisible()) << k;
        EXPECT_EQ(channels().menuRow(), current);
        QStringList items;
        for (QAction* a : menu->actions())
            if (a->isVisible() && !a->isSeparator()) items << a->text();
        EXPECT_EQ(items.mid(0, 5),
                  QStringList({"Cu&t", "&Copy", "&Paste", "Move &Up", "Move &Down"}));
        EXPECT_FALSE(channels().findChild<QAction*>("mnuChPaste")->isEnabled());  // nothing copied
        menu->close();
        settle();
    }
    // From the menu, Move Down acts on the menu row.
    const QByteArray six = record(6);
    channels().OpenChannelMenu(6, grid()->mapToGlobal(centre(6, 2)));
    channels().findChild<QAction*>("mnuChMoveDown")->trigger();
    channels().channelMenu()->close();
    settle();
    EXPECT_EQ(record(7), six);

    window->mnuLockFace_Click(true);
    const ByteImage before = app->document.image();
    channels().OpenChannelMenu(3, grid()->mapToGlobal(centre(3, 2)));
    for (const char* name : {"mnuChCut", "mnuChCopy", "mnuChPaste", "mnuChMoveUp"})
        EXPECT_FALSE(channels().findChild<QAction*>(name)->isEnabled()) << name;
    channels().channelMenu()->close();
    settle();
    for (const char* name : {"mnuChCut", "mnuChPaste", "mnuChMoveUp", "actChDelete"})
        channels().findChild<QAction*>(name)->trigger();
    EXPECT_EQ(app->document.image(), before);
}

TEST_F(TableTest, EnterArrowsTabAndEscapeMoveAsInATable) {
    open();
    // Enter ends an edit and moves down, a row not being edited too; the arrows take the
    // row highlight along.
    click(3, 9);
    ASSERT_NE(qobject_cast<QComboBox*>(grid()->indexWidget(grid()->currentIndex())), nullptr);
    key(Qt::Key_Return);
    EXPECT_EQ(grid()->row(), 4);
    EXPECT_EQ(grid()->col(), 9);
    key(Qt::Key_Return);
    EXPECT_EQ(grid()->row(), 5);
    key(Qt::Key_Down);
    EXPECT_EQ(grid()->row(), 6);
    EXPECT_EQ(editor().paintedRow(), 6);
    EXPECT_EQ(grid()->backColorAt(6, 1), kClickedRowColour);
    EXPECT_NE(grid()->backColorAt(3, 1), kClickedRowColour);

    // Tab goes on to the next cell, editing it where it can be.
    click(2, 1);
    auto* line = qobject_cast<QLineEdit*>(grid()->indexWidget(grid()->currentIndex()));
    ASSERT_NE(line, nullptr);
    key(Qt::Key_Tab);
    EXPECT_EQ(grid()->row(), 2);
    EXPECT_EQ(grid()->col(), 2);
    grid()->cancelEdit();

    // Escape in the tone box leaves the tone as it was and stores nothing.
    const QString tone = cell(5, 3);
    click(5, 3);
    QComboBox* box = channels().toneBox();
    ASSERT_TRUE(box->isVisible());
    box->setFocus();
    QTest::keyClicks(box, "023");
    key(Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(cell(5, 3), tone);
    EXPECT_FALSE(app->document.modified());
    // Tab in the tone box stores the tone and goes on to the encode tone (on another row: a
    // second click on the same cell would be a double-click).
    click(6, 3);
    ASSERT_TRUE(box->isVisible());
    box->setFocus();
    QTest::keyClicks(box, "023");
    key(Qt::Key_Tab);
    EXPECT_EQ(cell(6, 3), "D023N");
    EXPECT_EQ(grid()->col(), 4);
    // Shift+Tab goes back.
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid()->col(), 3);
}

}  // namespace
}  // namespace tarvos::ui::test

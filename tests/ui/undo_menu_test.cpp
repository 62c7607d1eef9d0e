// The Edit menu: Undo and Redo take a change back on screen and make it again, and are
// offered only when there is something to take back or make again.

#include <QComboBox>

#include "document/channel_editor.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class UndoMenuTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        setting("FirRun", "0");
        setting("Language", "1");
        start();
    }
};

TEST_F(UndoMenuTest, TakesAChannelEditBackOnScreen) {
    QAction* undo = window->action("mnuUndo");
    QAction* redo = window->action("mnuRedo");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->text(), QString::fromUtf8("撤销(&U)"));
    EXPECT_EQ(undo->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));

    ChannelEditor& e = app->document.channelEditor();
    ASSERT_FALSE(e.BeforeEdit(1, 1).cancel);
    e.AfterEdit(1, 1, "438.5");
    EXPECT_EQ(cell(1, 1), "438.5");
    EXPECT_TRUE(undo->isEnabled());

    undo->trigger();
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_FALSE(app->document.modified());
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(cell(1, 1), "438.5");
    EXPECT_EQ(cell(1, 2), "438.5");
}

TEST_F(UndoMenuTest, IsOfferedNeitherWhileLocked) {
    ChannelEditor& e = app->document.channelEditor();
    ASSERT_FALSE(e.BeforeEdit(1, 1).cancel);
    e.AfterEdit(1, 1, "438.5");
    window->action("mnuLockFace")->trigger();
    EXPECT_FALSE(window->action("mnuUndo")->isEnabled());
    window->Undo();
    EXPECT_EQ(cell(1, 1), "438.5");
    window->action("mnuLockFace")->trigger();
    EXPECT_TRUE(window->action("mnuUndo")->isEnabled());
}

TEST_F(UndoMenuTest, TakesABandChangeBack) {
    window->OpenFile(path("DefRadioSet.def"));
    const QString first = cell(1, 1);
    ASSERT_FALSE(first.isEmpty());
    channels().bandBox()->setCurrentIndex(1);
    channels().cboFrequency_Click();
    EXPECT_EQ(cell(1, 1), "");
    window->Undo();
    EXPECT_EQ(cell(1, 1), first);
    EXPECT_EQ(channels().bandBox()->currentIndex(), app->document.bandIndex());
}

}  // namespace
}  // namespace tarvos::ui::test

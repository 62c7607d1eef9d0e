// The channel grid as an editor, driven with the mouse and keyboard: typing a channel,
// options, the tone box, double-clicks, the channel menu, the interface lock with its
// blinking notice, and the Auto Input window.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "channels/auto_input_window.h"
#include "document/auto_input.h"
#include "document/channel_editor.h"
#include "memory/channel_codec.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class EditingTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
    }
    GridControl* grid() { return channels().grid(); }
    QPoint centre(int r, int c) {
        return grid()->visualRect(grid()->model()->index(r - 1, c - 1)).center();
    }
    // The grid's editor commits through queued calls, and the current cell follows after.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    void click(int r, int c, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(grid()->viewport(), b, {}, centre(r, c));
        settle();
    }
    QWidget* cellEditor() { return grid()->indexWidget(grid()->currentIndex()); }
    ChannelEditor& editor() { return app->document.channelEditor(); }
    const ChannelTable& info() { return app->document.chInfo(); }
    uint8_t rec(int n, int offset) {
        return app->document.image().at(ChannelRecordAddr(n, offset));
    }
    // Types a receive frequency into channel r as a user does: a click starts editing.
    void typeReceive(int r, const char* digits) {
        click(r, 1);
        auto* line = qobject_cast<QLineEdit*>(cellEditor());
        ASSERT_NE(line, nullptr);
        QTest::keyClicks(line, digits);
        QTest::keyClick(line, Qt::Key_Return);
        settle();
    }
};

TEST_F(EditingTest, TypingAReceiveFrequencyCreatesTheChannel) {
    start();
    ASSERT_TRUE(info().empty(2));
    // A click anywhere on an empty channel edits its receive frequency, in the input layout.
    click(2, 6);
    auto* line = qobject_cast<QLineEdit*>(cellEditor());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(grid()->col(), 1);
    // The clicked row is painted, label included.
    EXPECT_EQ(grid()->backColorAt(2, 7), kClickedRowColour);
    EXPECT_EQ(grid()->backColorSel(), kCurrentCellColour);
    QTest::keyClicks(line, "43850000");
    EXPECT_EQ(line->displayText(), "438.50000");
    QTest::keyClick(line, Qt::Key_Return);
    settle();

    const char* row[] = {"438.5", "438.5", "None", "None", "High",
                         "Wide",  "On",    "Off",  "Off",  "Off"};
    for (int c = 1; c <= 10; ++c) EXPECT_EQ(cell(2, c), row[c - 1]) << c;
    EXPECT_EQ(grid()->foreColorAt(2, 1), app->defColor);
    const uint8_t bytes[] = {0x00, 0x00, 0x85, 0x43, 0x00, 0x00, 0x85, 0x43, 0xFF, 0xFF};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(rec(2, i), bytes[i]) << i;
    // The after-edit step points at transmit; Enter took the current cell down instead, the
    // row highlight with it.
    EXPECT_EQ(editor().current(), (CellPos{2, 2}));
    EXPECT_EQ(grid()->row(), 3);
    EXPECT_EQ(grid()->col(), 1);
    EXPECT_EQ(grid()->backColorAt(3, 7), kClickedRowColour);
    EXPECT_TRUE(app->document.modified());

    // Leaving an edit as it was stores nothing.
    click(2, 1);
    ASSERT_NE(qobject_cast<QLineEdit*>(cellEditor()), nullptr);
    app->document.SaveAsFile(path("a.dat").toStdString());
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    settle();
    EXPECT_FALSE(app->document.modified());
}

TEST_F(EditingTest, OptionsArePickedFromTheDropDownAndCycledByDoubleClick) {
    start();
    typeReceive(1, "44600000");
    click(1, 8);
    auto* box = qobject_cast<QComboBox*>(cellEditor());
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(1), "Carrier");
    box->setCurrentIndex(1);
    QTest::keyClick(box, Qt::Key_Return);
    settle();
    EXPECT_EQ(info()(1, chf::BusyLock), 1);
    EXPECT_EQ(cell(1, 8), "Carrier");
    EXPECT_EQ(rec(1, 12) & 0x18, 0x08);
    // An item picked from the open list is stored at once.
    click(1, 10);
    box = qobject_cast<QComboBox*>(cellEditor());
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(3);
    emit box->activated(3);
    settle();
    EXPECT_EQ(cellEditor(), nullptr);
    EXPECT_EQ(info()(1, chf::PttId), 3);
    EXPECT_EQ(cell(1, 10), "BOTH");

    // The first click opens the drop-down over the cell, the second of a double-click lands
    // on it: the value steps on all the same, and the drop-down goes without storing.
    click(1, 7);
    box = qobject_cast<QComboBox*>(cellEditor());
    ASSERT_NE(box, nullptr);
    QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
    settle();
    EXPECT_EQ(info()(1, chf::Scan), 0);
    EXPECT_EQ(cell(1, 7), "Off");
    EXPECT_EQ(cellEditor(), nullptr);
}

TEST_F(EditingTest, TheToneBoxLiesOverTheCellAndNormalisesWhenLeft) {
    start();
    typeReceive(1, "44600000");
    click(1, 3);
    QComboBox* box = channels().toneBox();
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->objectName(), "cboGridChCtdcs");
    grid()->select(1, 3);
    EXPECT_EQ(box->geometry(), grid()->cellGeometry());
    EXPECT_EQ(box->currentText(), "None");
    EXPECT_EQ(box->count(), 261);
    QTest::keyClicks(box->lineEdit(), "023i");
    click(2, 5);  // leaving it
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(cell(1, 3), "D023I");
    EXPECT_EQ(cell(1, 4), "D023I");  // the encode tone follows the decode tone
    EXPECT_EQ(app->document.toneText().encode(1), "D023I");

    // A tone picked but not yet confirmed is stored by Save before the file is written.
    click(1, 4);
    ASSERT_TRUE(box->isVisible());
    box->setCurrentIndex(box->findText("67.0"));
    host.saveResult = path("Data/tone.dat");
    window->SaveAsFile();
    EXPECT_FALSE(box->isVisible());
    const sim::RadioMemory m = memoryOf("Data/tone.dat");
    EXPECT_EQ(m[ChannelRecordAddr(1, 8)], 0x13);
    EXPECT_EQ(m[ChannelRecordAddr(1, 9)], 0xA8);
    EXPECT_EQ(m[ChannelRecordAddr(1, 10)], 0x9E);
    EXPECT_EQ(m[ChannelRecordAddr(1, 11)], 0x02);

    // A double-click on the open box copies the other tone instead of storing the entry.
    click(1, 3);
    QTest::keyClicks(box->lineEdit(), "D754");
    QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(cell(1, 3), "67.0");
}

TEST_F(EditingTest, TheChannelMenuDeletesTheChannelUnderTheMouse) {
    start();
    window->OpenFile(path("DefRadioSet.def"));
    ASSERT_FALSE(info().empty(3));
    click(3, 2, Qt::RightButton);
    QMenu* menu = channels().channelMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->objectName(), "mnuPopMenuOne");
    EXPECT_EQ(channels().menuRow(), 3);
    struct Item {
        const char* name;
        const char* text;
        bool visible, enabled;
    };
    const Item items[] = {{"mnuOpenCh", " Open channel", false, false},
                          {"mnuSaveDef", "Save as default", false, false},
                          {"mnuDelOne", " Delete channel", true, true},
                          {"mnuDelAll", "Delete all channels", true, true},
                          {"mnuPopChLock", "&Lock Channel Interface", true, true}};
    for (const Item& i : items) {
        QAction* a = menu->findChild<QAction*>(i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), i.text) << i.name;
        EXPECT_EQ(a->isVisible(), i.visible) << i.name;
        EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
    }
    EXPECT_FALSE(menu->findChild<QAction*>("mnuPopChLock")->isChecked());
    const ByteImage before = app->document.image();
    menu->findChild<QAction*>("mnuDelOne")->trigger();
    menu->close();
    for (int c = 1; c <= 10; ++c) EXPECT_EQ(cell(3, c), "") << c;
    for (int a = 0; a < 0x0400; ++a) {
        const bool record = a >= ChannelRecordAddr(3, 0) && a < ChannelRecordAddr(4, 0);
        ASSERT_EQ(app->document.image().at(a),
                  record ? app->document.tempArray().at(a) : before.at(a))
            << a;
    }
    // On an empty channel "Delete channel" is disabled; the button deletes every channel.
    click(3, 2, Qt::RightButton);
    EXPECT_FALSE(menu->findChild<QAction*>("mnuDelOne")->isEnabled());
    menu->close();
    channels().findChild<QPushButton*>("cmdDelAllCh")->click();
    for (int r = 1; r <= 16; ++r) EXPECT_EQ(cell(r, 1), "") << r;
}

TEST_F(EditingTest, TheLockFreezesTheChannelWindowAndIsStored) {
    start();
    typeReceive(1, "44600000");
    const uint32_t normalSel = grid()->backColorSel();
    window->action("mnuLockFace")->trigger();
    EXPECT_TRUE(window->action("mnuChLock")->isChecked());
    EXPECT_EQ(readSetting("ChannelLock"), "ShowLock");
    EXPECT_EQ(window->statusText(1), "Interface Locked");
    EXPECT_FALSE(grid()->isEnabled());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(channels().sysSetFrame(i)->isEnabled()) << i;
    EXPECT_EQ(grid()->backColorSel(), grid()->backColor());
    // No cell can be edited.
    grid()->select(1, 1);
    grid()->editCell();
    EXPECT_EQ(cellEditor(), nullptr);
    const ByteImage image = app->document.image();
    channels().mnuDelAll_Click();
    EXPECT_EQ(app->document.image(), image);

    // The channel-lock item unlocks, and the Settings item follows.
    window->action("mnuChLock")->trigger();
    EXPECT_FALSE(window->action("mnuLockFace")->isChecked());
    EXPECT_EQ(readSetting("ChannelLock"), "ShowNo");
    EXPECT_EQ(window->statusText(1), "Ready");
    EXPECT_TRUE(grid()->isEnabled());
    EXPECT_NE(grid()->backColorSel(), grid()->backColor());
    (void)normalSel;

    // The channel menu's item locks too, ticked like the others.
    click(1, 2, Qt::RightButton);
    QAction* popLock = channels().channelMenu()->findChild<QAction*>("mnuPopChLock");
    popLock->trigger();
    channels().channelMenu()->close();
    EXPECT_TRUE(window->action("mnuLockFace")->isChecked());
    EXPECT_TRUE(popLock->isChecked());
    EXPECT_EQ(app->document.channelEditor().lockState(), "ShowLock");
}

TEST_F(EditingTest, TheLockNoticeBlinksOnItsTimers) {
    start();
    QTimer* check = window->lockTimer();
    QTimer* blink = window->lockBlinkTimer();
    EXPECT_TRUE(check->isActive());
    EXPECT_EQ(check->interval(), 30000);
    EXPECT_EQ(blink->interval(), 5000);
    EXPECT_FALSE(blink->isActive());
    window->tmrChLock_Timer();  // unlocked: nothing
    EXPECT_FALSE(blink->isActive());

    window->action("mnuLockFace")->trigger();
    EXPECT_EQ(window->statusText(1), "Interface Locked");
    window->tmrChLock_Timer();  // steady while it shows the notice
    EXPECT_FALSE(blink->isActive());
    window->SetStatusNotice("Ready");
    window->tmrChLock_Timer();
    EXPECT_EQ(window->statusText(1), "Interface Locked");
    EXPECT_TRUE(blink->isActive());
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        window->tmrChLockBlink_Timer();
        seen << window->statusText(1);
    }
    EXPECT_EQ(seen, (QStringList{"Interface Locked", "Ready", "Interface Locked", "Ready"}));
    // Another command's message is left alone.
    window->SetStatusNotice("Read Successful");
    window->tmrChLockBlink_Timer();
    EXPECT_EQ(window->statusText(1), "Read Successful");
    // Unlocking stops the blinking at once.
    window->action("mnuLockFace")->trigger();
    EXPECT_FALSE(blink->isActive());
    EXPECT_EQ(window->statusText(1), "Ready");
}

TEST_F(EditingTest, ARestartKeepsTheLock) {
    setting("ChannelLock", "ShowLock");
    start();
    EXPECT_TRUE(window->action("mnuLockFace")->isChecked());
    EXPECT_TRUE(window->action("mnuChLock")->isChecked());
    EXPECT_FALSE(grid()->isEnabled());
    EXPECT_EQ(window->statusText(1), "Interface Locked");
}

TEST_F(EditingTest, AutoInputFillsTheChannelsAndBlocksClosing) {
    start();
    channels().findChild<QPushButton*>("cmdAutoInput")->click();
    AutoInputWindow* w = channels().autoInputWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_TRUE(app->mainCloseBlocked);
    EXPECT_EQ(w->findChild<QLabel*>("lblAutoInput(5)")->text(), "Start CH.");
    EXPECT_EQ(w->findChild<QPushButton*>("cmdAutoInput(18)")->text(), "Set All");
    EXPECT_EQ(w->findChild<QComboBox*>("cboAutoInput(6)")->currentText(), "16");
    EXPECT_EQ(w->findChild<QComboBox*>("cboAutoInput(11)")->currentText(), "6");
    EXPECT_FALSE(w->findChild<QWidget*>("fraAutoInput(2)")->isEnabled());

    auto* first = w->findChild<QLineEdit*>("txtAutoInput(0)");
    QTest::keyClicks(first, "400");
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(first->text(), "400.00000");
    auto* step = w->findChild<QLineEdit*>("txtAutoInput(1)");
    step->selectAll();
    QTest::keyClicks(step, "12.5");
    QTest::keyClick(step, Qt::Key_Return);
    w->findChild<QRadioButton*>("optAutoInput(10)")->click();  // BCL: carrier

    QString note;
    w->setDelay([&](int ms) {
        EXPECT_EQ(ms, 200);
        note = w->busyNote()->text();
    });
    QTest::mouseClick(w->findChild<QPushButton*>("cmdAutoInput(18)"), Qt::LeftButton);
    EXPECT_EQ(note, "Please Wait...");
    EXPECT_EQ(w->busyNote()->text(), "");
    EXPECT_EQ(cell(1, 1), "400");
    EXPECT_EQ(cell(16, 1), "400.1875");
    EXPECT_EQ(cell(16, 2), "400.1875");
    EXPECT_EQ(cell(9, 8), "Carrier");
    EXPECT_NE(cell(9, 3), "");
    EXPECT_EQ(rec(16, 3), 0x40);

    // The main window does not close while it shows; closing it only hides it.
    host.asked.clear();
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(host.asked.isEmpty());
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(app->mainCloseBlocked);
    // Its entries stay for the next opening.
    channels().cmdAutoInput_Click();
    EXPECT_EQ(channels().autoInputWindow(), w);
    EXPECT_EQ(first->text(), "400.00000");
}

TEST_F(EditingTest, AutoInputSpeaksTheLanguage) {
    setting("Language", "1");
    start();
    channels().cmdAutoInput_Click();
    AutoInputWindow* w = channels().autoInputWindow();
    EXPECT_EQ(w->findChild<QCheckBox*>("chkAutoInput(0)")->text(),
              QString::fromUtf8("发射等于接收"));
    EXPECT_EQ(w->findChild<QPushButton*>("cmdAutoInput(3)")->text(), QString::fromUtf8("设置"));
    EXPECT_EQ(w->findChild<QComboBox*>("cboAutoInput(7)")->itemText(0), QString::fromUtf8("无"));
    w->close();
}

}  // namespace
}  // namespace tarvos::ui::test

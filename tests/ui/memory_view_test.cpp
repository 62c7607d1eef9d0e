// The memory data view: built hidden at start-up, shown and hidden by the channel window's
// hidden gestures, refreshed by a transfer with "show memory data" ticked (red marks, cursor),
// the pointer tip, typed cells going into the image and the channel grid, the partial fill
// dialog, and the closing rules.

#include "document/memory_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "document/channel_editor.h"
#include "link/ui/comm_window.h"
#include "memory/channel_codec.h"
#include "memview/memdat_window.h"
#include "memview/part_fill_dialog.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

constexpr uint32_t kRed = 255;

class MemViewTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        defaultsRadio();
        start();
    }
    MemDatWindow& view() { return *window->memoryWindow(); }
    GridControl* grid() { return view().grid(); }
    ByteImage& image() { return app->document.image(); }
    static int row(int a) { return a / 16 + 1; }
    static int col(int a) { return a % 16 + 1; }
    QString shown(int a) { return grid()->text(row(a), col(a)); }
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    // A read from the menu, with chkShowMemDat ticked or not in the window it opens.
    void read(bool showMemDat) {
        OnModal<CommWindow>(
            [showMemDat](CommWindow* w) { w->showMemDatBox()->setChecked(showMemDat); });
        window->StartRead();
        ASSERT_EQ(window->statusText(1), "Read Successful");
    }
    // Types text into the cell of address a through the grid's own editor.
    void type(int a, const QString& text) {
        grid()->select(row(a), col(a));
        grid()->editCell();
        auto* line = qobject_cast<QLineEdit*>(grid()->indexWidget(grid()->currentIndex()));
        ASSERT_NE(line, nullptr);
        line->setText(text);
        grid()->commitEdit();
        settle();
    }
    std::vector<int> redCells() {
        std::vector<int> red;
        for (int a = 0; a <= 0x03FF; ++a)
            if (grid()->foreColorAt(row(a), col(a)) == kRed) red.push_back(a);
        return red;
    }
};

TEST_F(MemViewTest, BuiltHiddenAtStartUpAndShownByTheModelFrameGestures) {
    ASSERT_NE(window->memoryWindow(), nullptr);
    EXPECT_FALSE(view().isVisible());
    EXPECT_EQ(view().windowTitle(), "Memory Data");
    // The shipped TableMaxAddr 03FF: 64 data rows.
    EXPECT_EQ(grid()->rows(), 65);
    EXPECT_EQ(grid()->cols(), 17);
    EXPECT_EQ(grid()->text(0, 0), "Addr");
    EXPECT_EQ(grid()->text(0, 1), "0");
    EXPECT_EQ(grid()->text(0, 16), "F");
    EXPECT_EQ(grid()->text(1, 0), "0000H");
    EXPECT_EQ(grid()->text(64, 0), "03F0H");
    EXPECT_EQ(shown(0x0010), "");  // empty until the first refresh

    auto* label = channels().findChild<QLabel*>("lblModel");
    std::vector<bool> afterDblClick;
    for (int i = 1; i <= 10; ++i) {
        QTest::mouseDClick(label, Qt::LeftButton);
        afterDblClick.push_back(view().isVisible());
    }
    EXPECT_EQ(afterDblClick, (std::vector<bool>{false, false, false, false, false, false, false,
                                                false, true, false}));

    // Clicks on the frame itself (not on a control in it): the 6th shows the view.
    auto* frame = channels().findChild<QGroupBox*>("fraModel");
    QPoint empty;
    for (int y = frame->height() - 3; y > 0 && empty.isNull(); --y)
        if (!frame->childAt(QPoint(4, y))) empty = QPoint(4, y);
    ASSERT_FALSE(empty.isNull());
    QTest::mouseClick(label, Qt::LeftButton);  // a click on the label is no frame click
    std::vector<bool> afterClick;
    for (int i = 1; i <= 7; ++i) {
        QTest::mouseClick(frame, Qt::LeftButton, {}, empty);
        afterClick.push_back(view().isVisible());
    }
    EXPECT_EQ(afterClick, (std::vector<bool>{false, false, false, false, false, true, false}));

    // Closing it hides it; it keeps its cells.
    for (int i = 8; i <= 16; ++i) QTest::mouseClick(frame, Qt::LeftButton, {}, empty);
    ASSERT_TRUE(view().isVisible());  // the 16th
    view().TableFreDat();
    QPointer<MemDatWindow> kept = window->memoryWindow();
    view().close();
    settle();
    ASSERT_FALSE(kept.isNull());
    EXPECT_FALSE(view().isVisible());
    EXPECT_EQ(shown(0x0010), QString::fromStdString(FormatByteDat(image().at(0x0010))));
}

TEST_F(MemViewTest, AReadWithShowMemoryDataMarksTheBytesThatChanged) {
    read(false);
    EXPECT_EQ(shown(0x0010), "");  // not ticked: no refresh

    read(true);
    for (int a = 0; a <= 0x03FF; ++a)
        ASSERT_EQ(shown(a), QString::fromStdString(FormatByteDat(image().at(a)))) << a;
    EXPECT_TRUE(redCells().empty());  // the first refresh marks nothing

    // The radio changes two bytes; the tick is kept for the next window.
    radio.memory[0x0010] ^= 0x01;
    radio.memory[0x0301] ^= 0x10;
    bool stillTicked = false;
    OnModal<CommWindow>([&](CommWindow* w) { stillTicked = w->showMemDatBox()->isChecked(); });
    window->StartRead();
    EXPECT_TRUE(stillTicked);
    EXPECT_EQ(redCells(), (std::vector<int>{0x0010, 0x0301}));
    EXPECT_EQ(grid()->row(), row(0x0301));
    EXPECT_EQ(grid()->col(), col(0x0301));

    view().findChild<QPushButton*>("cmdSetDefCol")->click();
    EXPECT_TRUE(redCells().empty());

    // Before a write the view shows the image as the write prepared it.
    image().at(0x0362) = 0x55;
    OnModal<CommWindow>([](CommWindow*) {});
    window->StartWrite();
    ASSERT_EQ(window->statusText(1), "Write Successful");
    EXPECT_EQ(shown(0x0362), "00");
    EXPECT_EQ(shown(0x0363), "1D");
    EXPECT_EQ(grid()->foreColorAt(row(0x0362), col(0x0362)), kRed);
}

TEST_F(MemViewTest, ThePointerTipDecodesTheByteUnderIt) {
    // Empty cells give no tip.
    view().CellTipHint(2, 1);
    EXPECT_EQ(grid()->toolTip(), "");

    image().at(0x0010) = 0x3F;
    view().TableFreDat();
    view().show();
    settle();
    const QPoint centre = grid()->visualRect(grid()->model()->index(1, 0)).center();
    // The pointer moves over the cell of 0x0010 (sent as the platform would).
    QMouseEvent move(QEvent::MouseMove, centre, grid()->viewport()->mapToGlobal(centre),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid()->viewport(), &move);
    EXPECT_EQ(grid()->toolTip(),
              QString::fromUtf8("地址为: 0x0010    二进制:00111111    B7:0 B6:0 B5:1 B4:1   "
                                "B3:1 B2:1 B1:1 B0:1     十进制63    \r\n"));
    EXPECT_EQ(grid()->row(), 2);
    EXPECT_EQ(grid()->col(), 1);

    // Over the header or the labels nothing happens; an emptied cell keeps the last tip.
    view().CellTipHint(0, 3);
    EXPECT_EQ(grid()->col(), 1);
    type(0x0200, "");
    view().CellTipHint(row(0x0200), col(0x0200));
    EXPECT_TRUE(grid()->toolTip().startsWith(QString::fromUtf8("地址为: 0x0010")));
}

TEST_F(MemViewTest, ATypedCellLandsInTheImageAndTheChannelGrid) {
    window->OpenFile(path("DefRadioSet.def"));
    view().TableFreDat();
    ASSERT_FALSE(cell(1, 1).isEmpty());
    ChannelEditor& editor = app->document.channelEditor();

    // A function page changes a byte after the refresh.
    const int tot = app->document.functions().indexOf("cboTot");
    app->document.Edit(DocumentChange::Functions, [&] {
        app->document.functions().Pick(image(), tot, image().at(0x0130) == 2 ? 3 : 2);
    });
    const uint8_t totByte = image().at(0x0130);
    ASSERT_NE(shown(0x0130), QString::fromStdString(FormatByteDat(totByte)));

    // Channel 2 left incomplete in the grid: its transmit switched off, nothing encoded.
    ASSERT_FALSE(cell(2, 2).isEmpty());
    editor.AfterEdit(2, 2, "");
    ASSERT_TRUE(editor.pendingEdits());

    // The receive frequency of channel 1, byte 1, typed in the view.
    const int a = ChannelRecordAddr(1, 1);
    const uint8_t typed = image().at(a) == 0x12 ? 0x13 : 0x12;
    type(a, QString::fromStdString(FormatByteDat(typed)).toLower());
    EXPECT_EQ(image().at(a), typed);
    EXPECT_EQ(cell(1, 1), ChannelWindow::FrequencyText(app->document.chInfo()(1, chf::RxFre)));
    EXPECT_EQ(app->document.chInfo()(1, chf::RxFre) / 100 % 100, (typed >> 4) * 10 + (typed & 0xF));
    // The incomplete row was encoded before the byte was stored, and is kept.
    EXPECT_EQ(image().at(ChannelRecordAddr(2, 7)), 0xFF);
    EXPECT_TRUE(cell(2, 2).isEmpty());
    EXPECT_FALSE(cell(2, 1).isEmpty());
    // The function page's byte is not put back.
    EXPECT_EQ(image().at(0x0130), totByte);

    // A text above FF stores nothing and is logged.
    const uint8_t before = image().at(0x0200);
    type(0x0200, "1FF");
    EXPECT_EQ(image().at(0x0200), before);
    EXPECT_EQ(errors.locations().back(), "frmMemDat->GridDataTemp");
}

TEST_F(MemViewTest, PartFillKeepsItsBoxesAndFillsTheRange) {
    view().TableFreDat();
    bool checked = false;
    OnModal<PartFillDialog>([&](PartFillDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Part Fill");
        EXPECT_EQ(d->findChild<QComboBox*>("cboFillData")->currentText(), "H");
        EXPECT_EQ(d->findChild<QLineEdit*>("txtFillData")->text(), "FF");
        EXPECT_EQ(d->findChild<QLineEdit*>("txtStartAddr")->text(), "0000");
        EXPECT_EQ(d->findChild<QLineEdit*>("txtEndAddr")->text(), "03FF");
        d->findChild<QComboBox*>("cboFillData")->setCurrentIndex(1);  // D
        d->findChild<QLineEdit*>("txtFillData")->setText("12");
        d->findChild<QLineEdit*>("txtStartAddr")->setText("0005");
        d->findChild<QLineEdit*>("txtEndAddr")->setText("0012");
        d->findChild<QPushButton*>("cmdFillData")->click();
        checked = true;
        d->close();
    });
    view().findChild<QPushButton*>("cmdPartFill")->click();
    ASSERT_TRUE(checked);
    for (int a = 0x05; a <= 0x12; ++a) {
        EXPECT_EQ(image().at(a), 0x0C) << a;
        EXPECT_EQ(shown(a), "0C") << a;
    }
    ASSERT_NE(view().partFillDialog(), nullptr);
    EXPECT_FALSE(view().partFillDialog()->isVisible());

    // Opened again, the boxes hold the last input.
    bool seen = false;
    OnModal<PartFillDialog>([&seen](PartFillDialog* d) {
        seen = true;
        EXPECT_EQ(d->findChild<QComboBox*>("cboFillData")->currentText(), "D");
        EXPECT_EQ(d->findChild<QLineEdit*>("txtFillData")->text(), "12");
        EXPECT_EQ(d->findChild<QLineEdit*>("txtEndAddr")->text(), "0012");
        d->close();
    });
    view().findChild<QPushButton*>("cmdPartFill")->click();
    EXPECT_TRUE(seen);
}

TEST_F(MemViewTest, FillGirdEncodesTheChannelGridThenRefreshes) {
    window->OpenFile(path("DefRadioSet.def"));
    view().TableFreDat();
    app->document.channelEditor().AfterEdit(2, 2, "");  // pending in the grid only
    ASSERT_NE(image().at(ChannelRecordAddr(2, 7)), 0xFF);
    view().findChild<QPushButton*>("cmdFillGrid")->click();
    EXPECT_EQ(image().at(ChannelRecordAddr(2, 7)), 0xFF);
    EXPECT_EQ(shown(ChannelRecordAddr(2, 7)), "FF");
    EXPECT_EQ(grid()->foreColorAt(row(ChannelRecordAddr(2, 7)), col(ChannelRecordAddr(2, 7))),
              kRed);
}

TEST_F(MemViewTest, ExitClosesTheViewWithTheApplication) {
    view().show();
    settle();
    window->close();
    settle();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(view().isVisible());
    EXPECT_TRUE(app->exitConfirmed);
}

}  // namespace
}  // namespace tarvos::ui::test

// The memory view's gestures on the document: a typed cell stores only its own byte, a fill
// writes its range, channel edits not yet in the image are encoded first and the channel table
// and the function pages follow the bytes stored, each gesture one Edit.
#include "document/memory_editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/channel_editor.h"
#include "document/document_fixture.h"
#include "memory/channel_codec.h"

namespace tarvos::test {
namespace {

class MemoryEdits : public ::testing::Test {
  protected:
    void SetUp() override { m.TableFreDat(0x03FF); }

    ByteImage& image() { return s.doc.image(); }
    ChannelEditor& grid() { return s.doc.channelEditor(); }
    void type(int r, int c, const std::string& text) {
        if (!grid().BeforeEdit(r, c).cancel) grid().AfterEdit(r, c, text);
    }
    int replaced() {
        return static_cast<int>(
            std::count(s.changes.begin(), s.changes.end(), DocumentChange::Replaced));
    }
    const ControlState& control(const char* name) { return s.doc.functions().state(name); }

    StartedDocument s;  // band 400 - 520 MHz, every channel empty
    MemoryEditor m{s.doc, 0x03FF};
};

TEST_F(MemoryEdits, ATypedCellStoresOnlyItsOwnByte) {
    // A function page changes a byte after the refresh: typing elsewhere does not put the
    // view's older value back.
    const int tot = s.doc.functions().indexOf("cboTot");
    s.doc.Edit(DocumentChange::Functions, [&] { s.doc.functions().Pick(image(), tot, 2); });
    ASSERT_EQ(image().at(0x0130), 2);
    ASSERT_NE(m.view().text(0x0130), "02");
    ByteImage expected = image();
    expected.at(0x0200) = 0x5A;

    EXPECT_TRUE(m.AfterEdit(0x0200, "5a"));
    EXPECT_EQ(image(), expected);
    EXPECT_EQ(replaced(), 1);
    EXPECT_TRUE(s.doc.modified());

    // Ending an edit of that cell without changing its text stores nothing either.
    EXPECT_FALSE(m.AfterEdit(0x0130, m.view().text(0x0130)));
    // A text above FF stores nothing and is logged; the cell keeps the text.
    EXPECT_FALSE(m.AfterEdit(0x0201, "1FF"));
    EXPECT_EQ(m.view().text(0x0201), "1FF");
    EXPECT_EQ(image(), expected);
    EXPECT_EQ(replaced(), 1);
    EXPECT_EQ(s.sink.locations(), (std::vector<std::string>{"frmMemDat->GridDataTemp"}));

    // A view never refreshed: the one typed cell, no zeros for the empty ones.
    MemoryEditor fresh(s.doc, 0x03FF);
    expected.at(0x0202) = 0x01;
    EXPECT_TRUE(fresh.AfterEdit(0x0202, "1"));
    EXPECT_EQ(image(), expected);
}

TEST_F(MemoryEdits, AHexEditOfAChannelRecordReachesTheTableAndTheGrid) {
    type(1, 1, "446.00625");  // a complete row: in the image at once
    ASSERT_EQ(image().at(ChannelRecordAddr(1, 1)), 0x06);
    ASSERT_FALSE(grid().pendingEdits());

    EXPECT_TRUE(m.AfterEdit(ChannelRecordAddr(1, 1), "12"));
    EXPECT_EQ(s.doc.chInfo()(1, chf::RxFre), 44601225);
    EXPECT_EQ(grid().text(1, 1), "446.01225");
    // Transmit was not touched: the grid still shows what the record holds.
    EXPECT_EQ(grid().text(1, 2), "446.00625");
}

TEST_F(MemoryEdits, ChannelEditsNotYetInTheImageAreEncodedFirst) {
    type(1, 1, "446.00625");
    type(1, 2, "");  // transmit off: the row is incomplete, nothing encoded yet
    ASSERT_TRUE(grid().pendingEdits());
    ASSERT_EQ(image().at(ChannelRecordAddr(1, 7)), 0x44);

    EXPECT_TRUE(m.AfterEdit(0x0200, "77"));
    for (int k = 4; k <= 7; ++k) EXPECT_EQ(image().at(ChannelRecordAddr(1, k)), 0xFF) << k;
    EXPECT_EQ(s.doc.chInfo()(1, chf::TxFre), -1);
    EXPECT_EQ(grid().text(1, 1), "446.00625");
    EXPECT_EQ(grid().text(1, 2), "");
    EXPECT_FALSE(grid().pendingEdits());
}

TEST_F(MemoryEdits, ARecordTypedByteByByteIsNotNormalisedHalfWay) {
    // Channel 2's receive frequency, highest pair first: after the first byte the record reads
    // as a channel with a frequency that is no BCD; encoding it then would overwrite it.
    const std::pair<int, const char*> bytes[] = {{3, "44"}, {2, "60"}, {1, "06"}, {0, "25"}};
    for (auto [offset, text] : bytes) {
        EXPECT_TRUE(m.AfterEdit(ChannelRecordAddr(2, offset), text));
        EXPECT_EQ(FormatByteDat(image().at(ChannelRecordAddr(2, offset))), text);
    }
    EXPECT_EQ(s.doc.chInfo()(2, chf::RxFre), 44600625);
    EXPECT_EQ(grid().text(2, 1), "446.00625");
}

TEST_F(MemoryEdits, FunctionPagesShowTheBytesTypedWithoutRewritingThem) {
    EXPECT_TRUE(m.AfterEdit(0x0130, "07"));
    EXPECT_EQ(control("cboTot").selected, 7);
    // A code the page refuses shows its default entry; the typed byte stays in the image.
    EXPECT_TRUE(m.AfterEdit(0x0130, "30"));
    EXPECT_EQ(control("cboTot").selected, 4);
    EXPECT_EQ(image().at(0x0130), 0x30);
}

TEST_F(MemoryEdits, AFillWritesItsRangeAndShowsItsCells) {
    const std::string shown200 = m.view().text(0x0200);
    image().at(0x0200) = 0x99;  // changed since the refresh: its cell is not redrawn
    ByteImage expected = image();
    for (int a = 0x05; a <= 0x12; ++a) expected.at(a) = 0x3C;
    const std::string before04 = m.view().text(0x04), before13 = m.view().text(0x13);

    EXPECT_TRUE(m.PartFill({FillBase::Hex, "3c", "0005", "0012"}));
    EXPECT_EQ(image(), expected);
    for (int a = 0x05; a <= 0x12; ++a) EXPECT_EQ(m.view().text(a), "3C") << a;
    EXPECT_EQ(m.view().text(0x04), before04);
    EXPECT_EQ(m.view().text(0x13), before13);
    EXPECT_EQ(m.view().text(0x0200), shown200);
    EXPECT_EQ(replaced(), 1);

    // End before start: the image stays, only the cell of start shows its byte again.
    m.AfterEdit(0x0020, "1FF");
    m.AfterEdit(0x0005, "1FF");
    EXPECT_FALSE(m.PartFill({FillBase::Hex, "00", "0020", "0005"}));
    EXPECT_EQ(image(), expected);
    EXPECT_EQ(m.view().text(0x0020), FormatByteDat(image().at(0x0020)));
    EXPECT_EQ(m.view().text(0x0005), "1FF");

    // A value the base cannot read and an address past the image: logged, nothing changes.
    s.sink.lines.clear();
    EXPECT_FALSE(m.PartFill({FillBase::Decimal, "1a", "0000", "0001"}));
    EXPECT_FALSE(m.PartFill({FillBase::Hex, "00", "0000", "0410"}));
    EXPECT_EQ(image(), expected);
    EXPECT_EQ(s.sink.locations(), (std::vector<std::string>{"frmPartFill->cmdFillData_Click",
                                                            "frmPartFill->cmdFillData_Click"}));
    EXPECT_EQ(replaced(), 1);
}

TEST_F(MemoryEdits, FillGirdEncodesTheChannelTableAndRefreshes) {
    type(1, 1, "446.00625");
    type(1, 2, "");
    m.TableFreDat(0x03FF);
    ASSERT_TRUE(grid().pendingEdits());

    m.FillGrid(0x03FF);
    EXPECT_FALSE(grid().pendingEdits());
    for (int k = 4; k <= 7; ++k) {
        EXPECT_EQ(m.view().text(ChannelRecordAddr(1, k)), "FF");
        EXPECT_TRUE(m.view().red(ChannelRecordAddr(1, k)));
    }
    EXPECT_EQ(m.view().cursor(), ChannelRecordAddr(1, 7));
}

}  // namespace
}  // namespace tarvos::test

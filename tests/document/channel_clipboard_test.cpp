// Whole channels copied, pasted and moved, and text from outside typed into the rows: the
// records and scan bits travel exactly, text goes through the grid's own rules, and each
// command is one undo step that the lock refuses.
#include "document/channel_clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/channel_editor.h"
#include "document/channel_moves.h"
#include "document/document_fixture.h"
#include "memory/channel_codec.h"

namespace tarvos::test {
namespace {

// The English layout: 1 Rx, 2 Tx, 3 Dec, 4 Enc, 5 Power, 6 W/N, 7 Scan, 8 BCL, 9 VOX, 10 PTT ID.
class Clipboard : public ::testing::Test {
  protected:
    void SetUp() override {
        type(2, 1, "446.00625");
        tone(2, 3, "023i");
        type(3, 1, "438.5");
        type(3, 2, "");  // no transmit
        // Bits the grid does not show, and channel 2 out of the scan list.
        s.doc.EditBytes([](ByteImage& image) {
            image.at(ChannelRecordAddr(2, 12)) |= 0x80;
            image.at(ChannelRecordAddr(2, 13)) |= 0x40;
            image.at(ChannelRecordAddr(2, 14)) |= 0x5E;
            image.at(ChannelRecordAddr(2, 15)) |= 0x08;
            image.at(0x017E) &= 0xFD;
        });
        s.doc.ResetHistory();
        s.changes.clear();
    }
    ChannelEditor& e() { return s.doc.channelEditor(); }
    void type(int r, int c, const std::string& text) {
        if (!e().BeforeEdit(r, c).cancel) e().AfterEdit(r, c, text);
    }
    void tone(int r, int c, const std::string& text) {
        e().Click(r, c);
        e().SetToneBoxText(text);
        e().LeaveToneBox();
    }
    std::vector<uint8_t> record(int n) {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < 16; ++i) bytes.push_back(s.doc.image().at(ChannelRecordAddr(n, i)));
        return bytes;
    }
    bool scanned(int n) {
        const unsigned word = s.doc.image().at(0x017E) | s.doc.image().at(0x017F) << 8;
        return (word >> (n - 1) & 1) != 0;
    }
    std::vector<std::string> row(int r) {
        std::vector<std::string> texts;
        for (int c = 1; c <= e().cols(); ++c) texts.push_back(e().text(r, c));
        return texts;
    }
    int edits() {
        return static_cast<int>(
            std::count(s.changes.begin(), s.changes.end(), DocumentChange::Channels));
    }

    StartedDocument s;  // band 400 - 520 MHz
};

TEST_F(Clipboard, PastedChannelsAreExactDuplicatesInOneUndoStep) {
    const ChannelClip clip = CopyChannels(e(), {2, 3});
    ASSERT_EQ(clip.size(), 2u);
    const PasteOutcome out = PasteChannels(e(), 7, clip);
    EXPECT_EQ(out.pasted, 2);
    EXPECT_EQ(out.leftOut, 0);
    // Empty rows became channels: records, scan bits, table and grid as the originals.
    for (auto [from, to] : {std::pair{2, 7}, std::pair{3, 8}}) {
        EXPECT_EQ(record(to), record(from)) << to;
        EXPECT_EQ(scanned(to), scanned(from)) << to;
        EXPECT_EQ(row(to), row(from)) << to;
        for (int f = 1; f <= 15; ++f) EXPECT_EQ(s.doc.chInfo()(to, f), s.doc.chInfo()(from, f));
    }
    EXPECT_FALSE(scanned(7));
    EXPECT_EQ(row(7)[2], "D023I");
    EXPECT_EQ(row(8)[1], "");  // channel 3 has no transmit frequency, nor has its copy
    EXPECT_EQ(edits(), 1);
    s.doc.Undo();
    EXPECT_EQ(row(7), std::vector<std::string>(10));
    EXPECT_TRUE(s.doc.chInfo().empty(7));

    // Past the last channel nothing is put; the rows are counted.
    const PasteOutcome tail = PasteChannels(e(), 16, clip);
    EXPECT_EQ(tail.pasted, 1);
    EXPECT_EQ(tail.leftOut, 1);
    EXPECT_EQ(record(16), record(2));
}

TEST_F(Clipboard, ACopyTakesEditsNotYetInTheImageAndChangesNothing) {
    // A double-click takes channel 3 out of the scan list in the table only.
    e().Click(3, 7);
    e().DblClick(3, 7);
    ASSERT_TRUE(scanned(3));
    const ByteImage before = s.doc.image();
    const int steps = edits();
    const ChannelClip clip = CopyChannels(e(), {3});
    EXPECT_EQ(s.doc.image(), before);
    EXPECT_EQ(edits(), steps);
    ASSERT_EQ(clip.size(), 1u);
    EXPECT_FALSE(clip[0].scan);
    PasteChannels(e(), 9, clip);
    EXPECT_FALSE(scanned(9));
    EXPECT_EQ(row(9)[6], "Off");
}

TEST_F(Clipboard, ClipBytesGoBackAndForthAndRefuseOtherBytes) {
    const ChannelClip clip = CopyChannels(e(), {1, 2, 3});
    const std::optional<ChannelClip> back = ClipFromBytes(ClipBytes(clip));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, clip);
    std::string flagged = ClipBytes(clip);
    flagged[16] = 2;
    for (const std::string& bad : {std::string(), std::string(16, 'x'), flagged})
        EXPECT_FALSE(ClipFromBytes(bad)) << bad.size();
}

TEST_F(Clipboard, RowsTravelAsTheGridsCellTexts) {
    EXPECT_EQ(ChannelRowsText(e(), {3, 4}),
              "438.5\t\tNone\t\tHigh\tWide\tOn\tOff\tOff\tOff\n\t\t\t\t\t\t\t\t\t\n");
    // Pasted back as text into empty rows, they give the same cells.
    PasteText(e(), 10, ChannelRowsText(e(), {2, 3}));
    EXPECT_EQ(row(10), row(2));
    EXPECT_EQ(row(11), row(3));
    EXPECT_EQ(edits(), 1);
}

TEST_F(Clipboard, PastedTextIsTypedCellByCell) {
    struct Case {
        const char* what;
        int row;
        const char* text;
        std::vector<std::string> expected;  // the row's cells afterwards
    };
    const std::vector<std::string> empty(10);
    const Case cases[] = {
        {"a new channel, blanks and CR LF as a spreadsheet leaves them",
         5,
         " 440.0125 \t441\tD023\t67\tLow\tNarrow\tOff\tCarrier\tOn\tBOT\r\n",
         {"440.0125", "441", "D023N", "None", "Low", "Narrow", "Off", "Carrier", "On", "BOT"}},
        {"an empty receive cell empties the channel", 2, "\t446\t67.0\n", empty},
        {"an empty transmit cell switches transmit off",
         2,
         "446.00625\t\t67.0\t71.9\n",
         {"446.00625", "", "67.0", "", "High", "Wide", "Off", "Off", "Off", "Off"}},
        {"a decode tone sets the encode tone, an emptied tone box is None, no item no change",
         2,
         "446.00625\t446.00625\t100.0\t\tMedium\tNarrow",
         {"446.00625", "446.00625", "100.0", "None", "High", "Narrow", "Off", "Off", "Off", "Off"}},
        {"an empty channel takes nothing but a receive frequency", 6, "\t446\t67.0\t\tLow\n",
         empty},
        {"extra cells are ignored",
         3,
         "438.5\t\tNone\t\tLow\tWide\tOn\tOff\tOff\tOff\tx\ty\n",
         {"438.5", "", "None", "", "Low", "Wide", "On", "Off", "Off", "Off"}},
    };
    // Each case starts from the fixture's channels: the paste is taken back after it.
    for (const Case& c : cases) {
        s.changes.clear();
        const PasteOutcome out = PasteText(e(), c.row, c.text);
        EXPECT_EQ(out.pasted, 1) << c.what;
        EXPECT_EQ(row(c.row), c.expected) << c.what;
        EXPECT_LE(edits(), 1) << c.what;
        s.doc.Undo();
    }
    // Rows past the last channel are left out and counted.
    const PasteOutcome out = PasteText(e(), 15, "401\n402\n403\n404\n");
    EXPECT_EQ(out.pasted, 2);
    EXPECT_EQ(out.leftOut, 2);
    EXPECT_EQ(row(16)[0], "402");
}

TEST_F(Clipboard, SwapAndMoveExchangeRecordsAndScanBits) {
    const std::vector<uint8_t> two = record(2), three = record(3);
    const std::vector<std::string> rowTwo = row(2), rowThree = row(3);
    EXPECT_TRUE(SwapChannels(e(), 2, 3));
    EXPECT_EQ(record(3), two);
    EXPECT_EQ(record(2), three);
    EXPECT_FALSE(scanned(3));
    EXPECT_TRUE(scanned(2));
    EXPECT_EQ(row(3), rowTwo);
    EXPECT_EQ(edits(), 1);

    // A run of channels moves past its neighbour, which takes the place they leave.
    const std::vector<uint8_t> one = record(1);
    EXPECT_TRUE(MoveChannels(e(), 2, 3, -1));
    EXPECT_EQ(record(1), three);
    EXPECT_EQ(record(2), two);
    EXPECT_EQ(record(3), one);
    EXPECT_TRUE(MoveChannels(e(), 1, 2, +1));
    EXPECT_EQ(record(2), three);
    EXPECT_EQ(record(1), one);
    EXPECT_EQ(edits(), 3);
    s.doc.Undo();
    EXPECT_EQ(record(1), three);

    // Nothing leaves the grid, nothing moves onto itself.
    const ByteImage before = s.doc.image();
    EXPECT_FALSE(MoveChannels(e(), 1, 2, -1));
    EXPECT_FALSE(MoveChannels(e(), 16, 16, +1));
    EXPECT_FALSE(SwapChannels(e(), 4, 4));
    EXPECT_FALSE(SwapChannels(e(), 0, 4));
    EXPECT_EQ(s.doc.image(), before);
}

TEST_F(Clipboard, TheLockRefusesEveryCommand) {
    const ChannelClip clip = CopyChannels(e(), {2});
    e().SetLocked(true);
    const ByteImage before = s.doc.image();
    EXPECT_EQ(PasteChannels(e(), 5, clip).pasted, 0);
    EXPECT_EQ(PasteText(e(), 5, "440\n").pasted, 0);
    EXPECT_FALSE(SwapChannels(e(), 2, 3));
    EXPECT_FALSE(MoveChannels(e(), 3, 3, -1));
    DeleteChannels(e(), {2, 3});
    EXPECT_EQ(s.doc.image(), before);
    EXPECT_EQ(edits(), 0);
    e().SetLocked(false);
    DeleteChannels(e(), {2, 3, 4});
    EXPECT_TRUE(s.doc.chInfo().empty(2));
    EXPECT_TRUE(s.doc.chInfo().empty(3));
    EXPECT_EQ(edits(), 1);
}

}  // namespace
}  // namespace tarvos::test

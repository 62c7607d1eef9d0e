// Automatic channel input on the document: the box rules, the frequency, tone and option
// fills through the grid's after-edit step, Set All, and the repeatable random tone.
#include "document/auto_input.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/channel_editor.h"
#include "document/document_fixture.h"

namespace tarvos::test {
namespace {

class AutoFill : public ::testing::Test {
  protected:
    ChannelEditor& e() { return s.doc.channelEditor(); }
    const ChannelTable& info() { return s.doc.chInfo(); }
    int edits() {
        return static_cast<int>(
            std::count(s.changes.begin(), s.changes.end(), DocumentChange::Channels));
    }

    StartedDocument s;  // band 400 - 520 MHz, every channel empty
    AutoInput a{s.doc.channelEditor(), 7};
};

TEST_F(AutoFill, BoxesAreNormalisedWhenLeft) {
    const struct {
        int box;
        const char* typed;
        const char* shown;
    } cases[] = {
        {0, "438.5", "438.50000"},
        {0, "438.50013", "438.50025"},
        {0, "300", "400.00000"},
        {0, "1200", "520.00000"},
        {0, "abc", ""},
        {0, "", ""},
        {1, "12.5", "12.5"},
        {1, "6.25", "6.25"},
        {1, "0.5", "25"},
        {1, "100001", "25"},
        {1, "abc", "25"},
        {3, "100000", "100000"},
    };
    for (const auto& c : cases) {
        std::string& box = c.box == 0   ? a.controls.rxFirst
                           : c.box == 1 ? a.controls.rxStep
                                        : a.controls.txStep;
        box = c.typed;
        a.LeaveBox(c.box);
        EXPECT_EQ(box, c.shown) << c.box << " " << c.typed;
    }
    EXPECT_EQ(AutoInput::InputStepModify("12.5"), 1250);
}

// First 400, step 12.5: channel k receives 400 + k x 0.0125 MHz, transmit the same, and new
// channels take the column defaults; the whole fill is one edit.
TEST_F(AutoFill, ReceiveFillCreatesTheRange) {
    a.controls.rxFirst = "400";
    a.controls.rxStep = "12.5";
    a.Set(0);
    for (int ch = 1; ch <= 16; ++ch) {
        const int32_t f = 40000000 + (ch - 1) * 1250;
        EXPECT_EQ(info()(ch, chf::RxFre), f) << ch;
        EXPECT_EQ(info()(ch, chf::TxFre), f) << ch;
        EXPECT_EQ(e().text(ch, 3), "None") << ch;
        EXPECT_EQ(e().text(ch, 5), "High") << ch;
    }
    EXPECT_EQ(e().text(16, 1), "400.1875");
    EXPECT_EQ(edits(), 1);
    // The rows are complete, so the image has them.
    EXPECT_EQ(s.doc.image().at(ChannelRecordAddr(16, 3)), 0x40);
    EXPECT_EQ(s.doc.image().at(ChannelRecordAddr(16, 1)), 0x87);
}

TEST_F(AutoFill, RangesAndFirstFrequencies) {
    // An empty first box starts at BandLow and shows it.
    a.controls.start = 3;
    a.controls.end = 4;
    a.Set(0);
    EXPECT_EQ(a.controls.rxFirst, "400.00000");
    EXPECT_EQ(info()(3, chf::RxFre), 40000000);
    EXPECT_EQ(info()(4, chf::RxFre), 40007500);
    EXPECT_TRUE(info().empty(5));
    // Start after end: nothing.
    a.controls.start = 10;
    a.controls.end = 5;
    const int before = edits();
    a.Set(0);
    EXPECT_EQ(edits(), before);
    // No number: the box empties and nothing is filled.
    a.controls.start = 1;
    a.controls.rxFirst = "x";
    a.Set(0);
    EXPECT_EQ(a.controls.rxFirst, "");
    EXPECT_TRUE(info().empty(1));
    // A fallen-back step shows "25".
    a.controls.rxFirst = "500";
    a.controls.rxStep = "0";
    a.controls.end = 2;
    a.Set(0);
    EXPECT_EQ(a.controls.rxStep, "25");
    EXPECT_EQ(info()(2, chf::RxFre), 50002500);
}

// A step of 100 MHz runs past the band and past 1000 MHz: every channel from the band's top
// on stays at BandHigh, none is misread by position.
TEST_F(AutoFill, ALongRangeEndsAtTheTopOfTheBand) {
    a.controls.rxFirst = "450";
    a.controls.rxStep = "100000";
    a.Set(0);
    EXPECT_EQ(info()(1, chf::RxFre), 45000000);
    for (int ch = 2; ch <= 16; ++ch) EXPECT_EQ(info()(ch, chf::RxFre), 52000000) << ch;
}

TEST_F(AutoFill, TransmitFillAndTheTxEquRxTick) {
    a.controls.end = 2;
    a.SetTxEqRx(false);
    EXPECT_TRUE(info().empty(1));  // unticking fills nothing
    // Transmit frequencies go into empty channels too; those rows stay incomplete.
    a.controls.txFirst = "450";
    a.Set(1);
    EXPECT_EQ(info()(1, chf::TxFre), 45000000);
    EXPECT_TRUE(info().empty(1));
    EXPECT_EQ(s.doc.image().at(ChannelRecordAddr(1, 7)), 0xFF);
    // Ticking TX EQU RX fills receive (and transmit) at once.
    a.controls.rxFirst = "440";
    a.SetTxEqRx(true);
    EXPECT_EQ(info()(1, chf::RxFre), 44000000);
    EXPECT_EQ(info()(2, chf::TxFre), 44007500);
    // Ticking it again changes nothing.
    a.controls.rxFirst = "430";
    a.SetTxEqRx(true);
    EXPECT_EQ(info()(1, chf::RxFre), 44000000);
}

TEST_F(AutoFill, ToneFillStepsThroughTheList) {
    a.controls.rxFirst = "440";
    a.Set(0);
    a.controls.random = false;
    a.controls.toneStep = 25;
    a.Set(2);
    // Entries 1, 26, 51, ... 251, then the next index passes n - 1 and restarts at 1.
    const ToneList& list = s.doc.toneList();
    for (int ch = 1; ch <= 16; ++ch) {
        const int entry = ch <= 11 ? 1 + (ch - 1) * 25 : 1 + (ch - 12) * 25;
        EXPECT_EQ(s.doc.toneText().decode(ch), list[entry]) << ch;
        EXPECT_EQ(e().text(ch, 4), list[entry]) << ch;
    }
    // Step 0: every channel the first tone; decode only leaves the encode tone.
    a.controls.toneStep = 0;
    a.controls.toneFirst = 3;
    a.controls.target = ToneTarget::Decode;
    a.Set(2);
    for (int ch = 1; ch <= 16; ++ch) {
        EXPECT_EQ(e().text(ch, 3), list[3]) << ch;
        EXPECT_NE(e().text(ch, 4), list[3]) << ch;
    }
    EXPECT_EQ(a.controls.toneFirst, 3);
}

// Random tones over channels 2..15: every channel of the range gets a tone of the list, the
// same in both cells; the channels outside keep theirs; one seed repeats its draw and another
// draws otherwise.
TEST_F(AutoFill, RandomTonesRepeatWithTheSeed) {
    struct Draw {
        std::vector<std::string> tones;  // channels 1..16
        ByteImage image;
    };
    auto draw = [](uint32_t seed) {
        StartedDocument d;
        AutoInput fill(d.doc.channelEditor(), seed);
        fill.controls.rxFirst = "440";
        fill.Set(0);
        // A text no fill writes, so a channel the fill skipped keeps it.
        for (int ch = 1; ch <= 16; ++ch)
            d.doc.toneText().decode(ch) = d.doc.toneText().encode(ch) = "unfilled";
        fill.controls.start = 2;
        fill.controls.end = 15;
        fill.Set(2);
        const ToneList& list = d.doc.toneList();
        Draw out{{}, d.doc.image()};
        for (int ch = 1; ch <= 16; ++ch) {
            const std::string& tone = d.doc.toneText().decode(ch);
            out.tones.push_back(tone);
            if (ch == 1 || ch == 16) {
                EXPECT_EQ(tone, "unfilled") << ch;
                continue;
            }
            bool listed = false;
            for (int i = 0; i < list.size(); ++i) listed = listed || list[i] == tone;
            EXPECT_TRUE(listed) << ch << " " << tone;
            EXPECT_EQ(d.doc.toneText().encode(ch), tone) << ch;
            EXPECT_EQ(d.doc.channelEditor().text(ch, 3), tone) << ch;
            EXPECT_EQ(d.doc.channelEditor().text(ch, 4), tone) << ch;
        }
        return out;
    };
    const Draw first = draw(7), again = draw(7), other = draw(8);
    EXPECT_EQ(again.tones, first.tones);
    EXPECT_EQ(again.image, first.image);
    EXPECT_NE(other.tones, first.tones);
    EXPECT_NE(other.image, first.image);
}

// Option fills skip empty channels; power goes only to channels that transmit.
TEST_F(AutoFill, OptionFillsWriteTheUsedChannels) {
    a.controls.rxFirst = "440";
    a.controls.end = 4;
    a.Set(0);
    e().AfterEdit(2, 2, "");  // channel 2 without transmit
    a.controls.end = 16;
    a.controls.busyLock = 1;
    a.Set(6);
    a.controls.power = 0;
    a.Set(3);
    for (int ch = 1; ch <= 4; ++ch) {
        EXPECT_EQ(info()(ch, chf::BusyLock), 1) << ch;
        EXPECT_EQ(e().text(ch, 8), "Carrier") << ch;
        EXPECT_EQ(info()(ch, chf::Power), ch == 2 ? 1 : 0) << ch;
    }
    EXPECT_EQ(e().text(5, 8), "");
    a.controls.vox = 1;
    a.controls.pttId = 3;
    a.Set(7);
    a.Set(9);
    a.Set(8);  // no group
    EXPECT_EQ(e().text(1, 9), "On");
    EXPECT_EQ(e().text(1, 10), "BOTH");
}

TEST_F(AutoFill, SetAllIsOneEditWithoutVoxAndPttId) {
    a.controls.rxFirst = "440";
    a.controls.random = false;
    a.controls.scan = 0;
    a.controls.vox = 1;
    a.Set(kSetAllButton);
    EXPECT_EQ(edits(), 1);
    for (int ch = 1; ch <= 16; ++ch) {
        EXPECT_EQ(info()(ch, chf::Scan), 0) << ch;
        EXPECT_EQ(info()(ch, chf::Vox), 0) << ch;
    }
    EXPECT_EQ(s.doc.toneText().decode(2), s.doc.toneList()[7]);
}

TEST_F(AutoFill, NothingWhileLocked) {
    e().SetLocked(true);
    a.controls.rxFirst = "440";
    a.Set(kSetAllButton);
    a.SetTxEqRx(false);
    a.SetTxEqRx(true);
    EXPECT_TRUE(info().empty(1));
    EXPECT_EQ(e().text(1, 1), "");
    EXPECT_FALSE(s.doc.modified());
}

}  // namespace
}  // namespace tarvos::test

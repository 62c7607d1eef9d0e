// The channel editor's rules on the document: reading and bounding typed frequencies, a
// channel created by its receive frequency, transmit cleared and copied, clicks and
// double-clicks, the tone box's normalising, delete and lock, and that every gesture is one
// Edit of the document.
#include "document/channel_editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/auto_input.h"
#include "document/document_fixture.h"
#include "memory/band.h"
#include "memory/channel_codec.h"

namespace tarvos::test {
namespace {

// The English layout: 1 Rx, 2 Tx, 3 Dec, 4 Enc, 5 Power, 6 W/N, 7 Scan, 8 BCL, 9 VOX, 10 PTT ID.
class Editor : public ::testing::Test {
  protected:
    ChannelEditor& e() { return s.doc.channelEditor(); }
    const ChannelTable& info() { return s.doc.chInfo(); }
    std::string cell(int r, int c) { return e().text(r, c); }
    // The user types text into (r, c): before-edit, then the commit.
    void type(int r, int c, const std::string& text) {
        if (!e().BeforeEdit(r, c).cancel) e().AfterEdit(r, c, text);
    }
    void tone(int r, int c, const std::string& text) {
        e().Click(r, c);
        ASSERT_EQ(e().openToneCell(), (CellPos{r, c}));
        e().SetToneBoxText(text);
        e().LeaveToneBox();
    }
    int edits() {
        return static_cast<int>(
            std::count(s.changes.begin(), s.changes.end(), DocumentChange::Channels));
    }
    uint8_t rec(int n, int offset) { return s.doc.image().at(ChannelRecordAddr(n, offset)); }

    StartedDocument s;  // band 400 - 520 MHz, every channel empty
};

TEST(ChannelRules, TypedFrequenciesReadByPositionAndRoundTo250Hz) {
    const std::pair<const char*, int32_t> reads[] = {
        {"136.125", 13612500}, {"438.50000", 43850000}, {"45.5", 45000000}, {"45 .5", 45050000},
        {"4385", 43800000},    {"438.5abc", 43850000},  {"4385000000", -1}};
    for (auto [text, value] : reads) EXPECT_EQ(ReadTypedFrequency(text), value) << text;

    const std::pair<int64_t, int32_t> rounded[] = {
        {13612510, 13612500}, {43850013, 43850025}, {43850012, 43850000}, {0, 0}, {1200, 1200}};
    for (auto [v, r] : rounded) EXPECT_EQ(ModifyTxRxFre(v), r) << v;

    EXPECT_EQ(FrequencyText(13612500), "136.125");
    EXPECT_EQ(FrequencyText(43850000), "438.5");
    EXPECT_EQ(FrequencyText(13600000), "136");
    EXPECT_EQ(FrequencyText(44600625), "446.00625");

    for (const char* yes : {"438.5", " 438 ", "45 .5", "-1", ".5", "7."})
        EXPECT_TRUE(IsNumericText(yes)) << yes;
    for (const char* no : {"", "   .", ".", "1.2.3", "4e5", "abc", "1-2"})
        EXPECT_FALSE(IsNumericText(no)) << no;
}

TEST(ChannelRules, ToneEntriesNormalise) {
    using K = ToneEntry::Kind;
    const struct {
        const char* typed;
        K kind;
        const char* result;
    } cases[] = {
        {"67.0", K::Valid, "67.0"},   {"67.5", K::Valid, "67.5"},   {"100.0", K::Valid, "100.0"},
        {"265.0", K::Valid, "265.0"}, {"59.9", K::Invalid, ""},     {"67", K::Invalid, ""},
        {"023", K::Valid, "D023N"},   {"023i", K::Valid, "D023I"},  {"D023", K::Valid, "D023N"},
        {"D023n", K::Valid, "D023N"}, {"D023X", K::Valid, "D023N"}, {"D089N", K::Invalid, ""},
        {"d023", K::Invalid, ""},     {"265.1", K::Valid, "D265N"}, {"None", K::Invalid, ""},
        {"无", K::Invalid, ""},       {"D023NN", K::Unchanged, ""}, {"x1.5", K::Unchanged, ""},
        {"7.5", K::Invalid, ""},      {"", K::Invalid, ""},
    };
    for (const auto& c : cases) {
        const ToneEntry t = NormaliseToneEntry(c.typed);
        EXPECT_EQ(t.kind, c.kind) << c.typed;
        if (c.kind == K::Valid) {
            EXPECT_EQ(t.text, c.result) << c.typed;
        }
    }
}

// Typing a receive frequency into an empty channel creates it: transmit the same, both
// tones none, every option its column default, and the complete row goes into the image.
TEST_F(Editor, AReceiveFrequencyCreatesTheChannel) {
    ASSERT_TRUE(info().empty(3));
    type(3, 1, "438.5");
    EXPECT_EQ(info()(3, chf::RxFre), 43850000);
    EXPECT_EQ(info()(3, chf::TxFre), 43850000);
    const std::string expected[] = {"438.5", "438.5", "None", "None", "High",
                                    "Wide",  "On",    "Off",  "Off",  "Off"};
    for (int c = 1; c <= 10; ++c) EXPECT_EQ(cell(3, c), expected[c - 1]) << c;
    EXPECT_EQ(s.doc.toneText().decode(3), "None");
    EXPECT_EQ(s.doc.toneText().encode(3), "None");
    EXPECT_EQ(e().current(), (CellPos{3, 2}));
    // Encoded at once: 438.5 MHz, no tones, high power and wide, scanned.
    const uint8_t bytes[] = {0x00, 0x00, 0x85, 0x43, 0x00, 0x00,
                             0x85, 0x43, 0xFF, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(rec(3, i), bytes[i]) << i;
    EXPECT_EQ(rec(3, 13) & 0x30, 0x30);
    EXPECT_EQ(s.doc.image().at(0x017E) & 0x04, 0x04);
    EXPECT_TRUE(s.doc.modified());
    EXPECT_EQ(edits(), 1);
}

// Band 400 - 520 MHz: a typed frequency is rounded, then bounded to the band, never refused.
TEST_F(Editor, TypedFrequenciesAreBoundedToTheBand) {
    const std::pair<const char*, int32_t> cases[] = {
        {"520.00001", 52000000}, {"530", 52000000},       {"100", 40000000},
        {"45.5", 45000000},      {"438.50001", 43850000}, {"4385000000", 40000000}};
    for (auto [text, stored] : cases) {
        type(1, 1, text);
        EXPECT_EQ(info()(1, chf::RxFre), stored) << text;
        EXPECT_EQ(e().cell(1, 1).colour, CellColour::Def) << text;
    }
    // A file whose band leaves its frequencies outside shows them in OverColor.
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    WriteBandLimits(s.doc.image(), 13600000, 17400000);
    s.doc.SoftDisplay();
    EXPECT_EQ(e().cell(1, 1).colour, CellColour::Over);
    EXPECT_EQ(e().cell(1, 3).colour, CellColour::Def);
}

TEST_F(Editor, TransmitIsClearedAndCopiedBack) {
    type(2, 1, "438.5");
    type(2, 2, "446");
    EXPECT_EQ(info()(2, chf::TxFre), 44600000);
    EXPECT_EQ(e().current(), (CellPos{2, 3}));
    // A new receive frequency changes only the receive field.
    type(2, 1, "439");
    EXPECT_EQ(info()(2, chf::RxFre), 43900000);
    EXPECT_EQ(info()(2, chf::TxFre), 44600000);

    tone(2, 3, "67.0");
    type(2, 2, "");
    EXPECT_EQ(info()(2, chf::TxFre), -1);
    EXPECT_EQ(cell(2, 2), "");
    EXPECT_EQ(cell(2, 4), "");
    EXPECT_EQ(s.doc.toneText().encode(2), "");
    // Column 4 of a channel without transmit is not editable; a click selects transmit.
    EXPECT_TRUE(e().BeforeEdit(2, 4).cancel);
    EXPECT_FALSE(e().Click(2, 4));
    EXPECT_EQ(e().current(), (CellPos{2, 2}));
    EXPECT_EQ(e().openToneCell(), (CellPos{}));

    // Double-clicking transmit restores transmit = receive and encode = decode, without
    // encoding the image.
    const ByteImage before = s.doc.image();
    e().DblClick(2, 2);
    EXPECT_EQ(info()(2, chf::TxFre), 43900000);
    EXPECT_EQ(cell(2, 2), "439");
    EXPECT_EQ(cell(2, 4), "67.0");
    EXPECT_EQ(s.doc.toneText().encode(2), "67.0");
    EXPECT_EQ(s.doc.image(), before);
}

TEST_F(Editor, ClearingTheReceiveCellEmptiesTheChannel) {
    type(5, 1, "438.5");
    type(5, 1, "x");
    EXPECT_TRUE(info().empty(5));
    for (int c = 1; c <= 10; ++c) EXPECT_EQ(cell(5, c), "") << c;
    EXPECT_EQ(info()(5, chf::Power), -1);
    EXPECT_EQ(e().current(), (CellPos{5, 1}));
    // Typed in again, the channel takes the defaults once more.
    type(5, 1, "438.5");
    EXPECT_EQ(info()(5, chf::Power), 1);
    EXPECT_EQ(cell(5, 5), "High");
}

TEST_F(Editor, BeforeEditDecidesTheModeAndTheList) {
    // An empty channel starts only with its receive frequency.
    EXPECT_FALSE(e().BeforeEdit(1, 1).cancel);
    for (int c = 2; c <= 10; ++c) EXPECT_TRUE(e().BeforeEdit(1, c).cancel) << c;
    type(1, 1, "438.5");
    const BeforeEditResult rx = e().BeforeEdit(1, 1);
    EXPECT_EQ(rx.mode, EditMode::Text);
    EXPECT_TRUE(rx.list.empty());
    EXPECT_TRUE(e().BeforeEdit(1, 3).cancel);  // tones go through the tone box
    const BeforeEditResult bcl = e().BeforeEdit(1, 8);
    EXPECT_FALSE(bcl.cancel);
    EXPECT_EQ(bcl.mode, EditMode::List);
    EXPECT_EQ(bcl.list, "Off|Carrier|QT/DQT");
}

TEST_F(Editor, OptionsArePickedAndCycled) {
    type(1, 1, "438.5");
    e().AfterEdit(1, 8, "QT/DQT", 2);
    EXPECT_EQ(info()(1, chf::BusyLock), 2);
    EXPECT_EQ(cell(1, 8), "QT/DQT");
    // Typed text that matches no item stores nothing, and the cell shows what is stored.
    e().AfterEdit(1, 8, "Sometimes", -1);
    EXPECT_EQ(info()(1, chf::BusyLock), 2);
    EXPECT_EQ(cell(1, 8), "QT/DQT");
    // Double-clicking the last value wraps to the first.
    e().DblClick(1, 8);
    EXPECT_EQ(info()(1, chf::BusyLock), 0);
    EXPECT_EQ(cell(1, 8), "Off");
    e().DblClick(1, 10);
    EXPECT_EQ(info()(1, chf::PttId), 1);
    EXPECT_EQ(cell(1, 10), "BOT");
    // Nothing for receive, nor for an empty channel.
    const ChannelTable before = info();
    e().DblClick(1, 1);
    e().DblClick(4, 5);
    EXPECT_EQ(info(), before);
}

TEST_F(Editor, DoubleClickingAToneCellCopiesTheOtherTone) {
    type(1, 1, "438.5");
    tone(1, 4, "67.0");
    // The first click opens the box; the double-click drops its entry and copies.
    e().Click(1, 3);
    EXPECT_TRUE(e().DblClickActs(1, 3));
    e().DblClick(1, 3);
    EXPECT_EQ(e().openToneCell(), CellPos{});
    EXPECT_EQ(cell(1, 3), "67.0");
    EXPECT_EQ(s.doc.toneText().decode(1), "67.0");
    tone(1, 4, "88.5");
    e().DblClick(1, 4);
    EXPECT_EQ(cell(1, 4), "67.0");
    EXPECT_EQ(s.doc.toneText().encode(1), "67.0");
    // Without transmit a click on the encode tone selects transmit, whose double-click
    // copies receive.
    type(1, 2, "");
    EXPECT_FALSE(e().DblClickActs(1, 3));
    e().Click(1, 4);
    e().DblClick(e().current().row, e().current().col);
    EXPECT_EQ(info()(1, chf::TxFre), 43850000);
    EXPECT_EQ(cell(1, 4), "67.0");
}

TEST_F(Editor, TheToneBoxStoresTheNormalisedTone) {
    type(1, 1, "438.5");
    EXPECT_TRUE(e().Click(1, 2) && e().openToneCell() == CellPos{});
    // A decode tone on a channel that transmits sets the encode tone too.
    tone(1, 3, "023i");
    EXPECT_EQ(cell(1, 3), "D023I");
    EXPECT_EQ(cell(1, 4), "D023I");
    EXPECT_EQ(s.doc.toneText().decode(1), "D023I");
    // An encode tone leaves the decode tone alone.
    tone(1, 4, "99");
    EXPECT_EQ(cell(1, 4), "None");
    EXPECT_EQ(cell(1, 3), "D023I");
    tone(1, 4, "88.5");
    EXPECT_EQ(s.doc.toneText().encode(1), "88.5");
    // Six characters change nothing.
    tone(1, 3, "123.45");
    EXPECT_EQ(cell(1, 3), "D023I");
    // A row without transmit keeps its encode cell empty.
    type(1, 2, "");
    tone(1, 3, "67.0");
    EXPECT_EQ(cell(1, 3), "67.0");
    EXPECT_EQ(cell(1, 4), "");
    EXPECT_EQ(s.doc.toneText().encode(1), "");
    // The box does not encode the image: the next complete row does.
    EXPECT_EQ(rec(1, 8), 0xFF);
    type(2, 1, "440");
    EXPECT_EQ(rec(1, 8), 0x9E);
    EXPECT_EQ(rec(1, 9), 0x02);
}

TEST_F(Editor, ClickingAroundWithoutAChangeIsNoEdit) {
    type(1, 1, "438.5");
    s.doc.SaveAsFile(s.folder / "a.dat");
    ASSERT_FALSE(s.doc.modified());
    e().Click(1, 3);  // opens the tone box on "None"
    e().Click(1, 5);  // leaves it: "None" is stored as none again
    e().Click(2, 3);  // an empty channel: editing its receive starts
    EXPECT_EQ(e().paintedRow(), 2);
    EXPECT_FALSE(s.doc.modified());
}

// Deleting resets the record from the template, empties the row and reads the channel back
// as an empty channel, so nothing of it is written back by the next encode.
TEST_F(Editor, DeleteResetsTheRecordFromTheTemplate) {
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    ASSERT_FALSE(info().empty(1));
    EXPECT_FALSE(e().CanDeleteOne(20));
    const ByteImage before = s.doc.image();
    e().DeleteOne(1);
    for (int a = 0; a < 0x0400; ++a)
        EXPECT_EQ(s.doc.image().at(a), a >= 16 && a < 32 ? s.doc.tempArray().at(a) : before.at(a))
            << a;
    EXPECT_TRUE(info().empty(1));
    for (int c = 1; c <= 10; ++c) EXPECT_EQ(cell(1, c), "") << c;
    EXPECT_EQ(info()(1, chf::Power), 1);  // the column default, not the deleted channel's
    EXPECT_EQ(s.doc.toneText().decode(1), "None");
    // "Delete channel" is disabled on an empty channel; "Delete all" still resets it.
    EXPECT_FALSE(e().CanDeleteOne(1));
    s.doc.image().at(ChannelRecordAddr(1, 9)) = 0x12;
    e().DeleteAll();
    EXPECT_EQ(s.doc.image().at(ChannelRecordAddr(1, 9)),
              s.doc.tempArray().at(ChannelRecordAddr(1, 9)));
    for (int ch = 1; ch <= 16; ++ch) EXPECT_TRUE(info().empty(ch)) << ch;
    // A channel typed in again has the defaults.
    type(1, 1, "438.5");
    EXPECT_EQ(cell(1, 7), "On");
}

TEST_F(Editor, WhileLockedNoGestureChangesAnything) {
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    e().Click(1, 3);
    e().SetToneBoxText("023");
    e().SetLocked(true);  // the open entry is stored first
    EXPECT_EQ(cell(1, 3), "D023N");
    EXPECT_EQ(e().lockState(), "ShowLock");
    s.doc.SaveAsFile(s.folder / "a.dat");
    const ByteImage image = s.doc.image();
    const ChannelTable table = info();

    EXPECT_TRUE(e().BeforeEdit(1, 1).cancel);
    e().AfterEdit(1, 1, "450");
    EXPECT_FALSE(e().Click(2, 5));
    EXPECT_EQ(e().openToneCell(), CellPos{});
    e().Click(2, 3);
    EXPECT_EQ(e().openToneCell(), CellPos{});
    e().DblClick(1, 5);
    EXPECT_FALSE(e().CanDeleteOne(1));
    EXPECT_FALSE(e().CanDeleteAll());
    e().DeleteOne(1);
    e().DeleteAll();
    EXPECT_EQ(s.doc.image(), image);
    EXPECT_EQ(info(), table);
    EXPECT_FALSE(s.doc.modified());

    e().SetLocked(false);
    EXPECT_EQ(e().lockState(), "ShowNo");
    e().DeleteOne(1);
    EXPECT_TRUE(info().empty(1));
}

// A faulty settings file (a default or a count that is no number) is logged, never fatal.
TEST_F(Editor, AFaultyLayoutIsLoggedAndTheEditGoesOn) {
    ChannelLayout layout = s.doc.layout();
    layout.columnItems[7][2] = "yes";
    layout.columnItems[6][1] = "two";
    s.doc.SetLayout(layout);
    type(1, 1, "x");  // every field of the row -1
    type(1, 1, "438.5");
    EXPECT_EQ(info()(1, chf::RxFre), 43850000);
    e().DblClick(1, 6);
    EXPECT_EQ(s.sink.locations(), (std::vector<std::string>{"frmChMem->GridChAfterEdit",
                                                            "frmChMem->vsfgGridCh_DblClick:"}));
    type(2, 1, "x");
    AutoInput fill(e(), 1);
    fill.controls.start = 2;
    fill.controls.rxFirst = "440";
    fill.Set(0);
    EXPECT_EQ(s.sink.locations().back(), "frmAutoInput->cmdAutoInput_Click");
}

// Opening a file then another: what a save writes does not depend on the first file.
TEST_F(Editor, EmptyChannelsOfAnOpenedFileOweNothingToTheFileBefore) {
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    const auto b = s.folder / "b.dat";
    // b: the defaults with channel 13 emptied, its record keeping its tone bytes.
    s.doc.image().at(ChannelRecordAddr(13, 3)) = 0xFF;
    ASSERT_TRUE(SaveDatFile(b, s.doc.image(), s.log, nullptr));

    StartedDocument fresh;
    ASSERT_TRUE(fresh.doc.OpenFile(b));
    ASSERT_TRUE(fresh.doc.SaveAsFile(fresh.folder / "once.dat"));

    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    tone(13, 3, "D754I");
    ASSERT_TRUE(s.doc.OpenFile(b));
    EXPECT_EQ(s.doc.toneText().decode(13), "151.4");
    ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "after.dat"));
    EXPECT_EQ(FileBytes(s.folder / "after.dat"), FileBytes(fresh.folder / "once.dat"));
}

}  // namespace
}  // namespace tarvos::test

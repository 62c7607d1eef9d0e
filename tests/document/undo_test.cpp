// Undo and redo: each edit taken back and made again exactly, the unsaved-changes flag
// following the saved state, and the history starting afresh at New, Open and a read.
#include <gtest/gtest.h>

#include "document/channel_editor.h"
#include "document/document_fixture.h"
#include "document/memory_editor.h"
#include "memory/channel_codec.h"

namespace tarvos::test {
namespace {

struct Snapshot {
    ByteImage image;
    ChannelTable chInfo;
    int32_t bandLow;
    std::string cell21;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(RadioDocument& doc) {
    return {doc.image(), doc.chInfo(), doc.bandLow(), doc.channelEditor().text(2, 1)};
}

void Type(RadioDocument& doc, int r, int c, const std::string& text) {
    ChannelEditor& e = doc.channelEditor();
    if (!e.BeforeEdit(r, c).cancel) e.AfterEdit(r, c, text);
}

TEST(Undo, TakesEachEditBackAndMakesItAgain) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    EXPECT_FALSE(s.doc.canUndo());
    std::vector<Snapshot> states{Take(s.doc)};

    Type(s.doc, 1, 1, "438.5");  // a channel edit
    states.push_back(Take(s.doc));
    s.doc.Edit(DocumentChange::Functions, [&] {  // a function setting
        FunctionModel& f = s.doc.functions();
        f.Pick(s.doc.image(), f.indexOf("cboTot"), 3);
    });
    states.push_back(Take(s.doc));
    s.doc.SelectBand(1);  // a band change: a new channel set
    states.push_back(Take(s.doc));
    EXPECT_EQ(s.doc.bandLow(), 13600000);

    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(s.doc.canUndo());
        s.doc.Undo();
        EXPECT_EQ(Take(s.doc), states[i - 1]) << i;
    }
    EXPECT_FALSE(s.doc.canUndo());
    EXPECT_FALSE(s.doc.modified());  // back at the file as opened
    for (size_t i = 1; i < states.size(); ++i) {
        s.doc.Redo();
        EXPECT_EQ(Take(s.doc), states[i]) << i;
        // The function page shows the setting again, not only its byte.
        if (i == 2) {
            EXPECT_EQ(s.doc.functions().state("cboTot").selected, 3);
        }
    }
    EXPECT_FALSE(s.doc.canRedo());
    EXPECT_TRUE(s.doc.modified());
}

TEST(Undo, ARowLeftIncompleteComesBackAsItWas) {
    StartedDocument s;
    // A transmit frequency filled into an empty channel (as Auto Input does): the row stays
    // incomplete, so the table does not hold it, only the cell.
    ChannelEditor& e = s.doc.channelEditor();
    e.Gesture([&] {
        e.SetCellText(2, 2, "440.0");
        e.GridChAfterEdit(2, 2, -1);
    });
    ASSERT_EQ(s.doc.channelEditor().text(2, 2), "440");
    Type(s.doc, 3, 1, "441.0");
    s.doc.Undo();
    EXPECT_EQ(s.doc.channelEditor().text(2, 2), "440");
    EXPECT_TRUE(s.doc.chInfo().empty(3));
    s.doc.Undo();
    EXPECT_EQ(s.doc.channelEditor().text(2, 2), "");
}

TEST(Undo, SavedStateIsTheUnmodifiedOne) {
    StartedDocument s;
    Type(s.doc, 1, 1, "438.5");
    ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "a.dat"));
    EXPECT_FALSE(s.doc.modified());
    s.doc.Undo();
    EXPECT_TRUE(s.doc.modified());
    s.doc.Redo();
    EXPECT_FALSE(s.doc.modified());
    // A new edit after an undo forgets what could be redone.
    s.doc.Undo();
    Type(s.doc, 4, 1, "439.0");
    EXPECT_FALSE(s.doc.canRedo());
}

TEST(Undo, HistoryStartsAgainAtNewOpenAndRead) {
    StartedDocument s;
    Type(s.doc, 1, 1, "438.5");
    s.doc.NewFile();
    EXPECT_FALSE(s.doc.canUndo());
    Type(s.doc, 1, 1, "438.5");
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    EXPECT_FALSE(s.doc.canUndo());
    Type(s.doc, 1, 1, "438.5");
    s.doc.TakeReadResult();
    EXPECT_FALSE(s.doc.canUndo());
    EXPECT_TRUE(s.doc.modified());
}

TEST(Undo, TakesAHexEditOfAChannelRecordBack) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    const Snapshot before = Take(s.doc);
    // Byte 3 of channel 1's record to 0x00: the channel reads as empty after the edit.
    s.doc.EditBytes([](ByteImage& image) { image.at(ChannelRecordAddr(1, 3)) = 0x00; });
    EXPECT_TRUE(s.doc.chInfo().empty(1));
    s.doc.Undo();
    EXPECT_EQ(Take(s.doc), before);
    EXPECT_FALSE(s.doc.chInfo().empty(1));
    EXPECT_FALSE(s.doc.modified());
    s.doc.Redo();
    EXPECT_TRUE(s.doc.chInfo().empty(1));
}

TEST(Undo, AGestureThatChangesNothingLeavesNoStep) {
    StartedDocument s;
    s.doc.channelEditor().Click(1, 3);  // an empty channel: nothing changes
    s.doc.Edit(DocumentChange::Functions, [] {});
    EXPECT_FALSE(s.doc.canUndo());
    EXPECT_FALSE(s.doc.modified());
}

TEST(Undo, LeavesTheNewReadWriteCodeAlone) {
    StartedDocument s;
    FunctionModel& f = s.doc.functions();
    const int tot = f.state("cboTot").selected;
    ASSERT_NE(tot, 3);
    s.doc.Edit(DocumentChange::Functions, [&] { f.Pick(s.doc.image(), f.indexOf("cboTot"), 3); });
    // The new code is set outside the image, after the edit: taking the edit back must not
    // take it away, or the next write would keep the radio's old code.
    f.SetNewRdWrCodeChecked(true);
    f.SetNewRdWrCodeText("123");
    const NewCodeBuf code = f.newCodeBuf();
    ASSERT_NE(code[5], 0xFF);
    s.doc.Undo();
    EXPECT_EQ(f.state("cboTot").selected, tot);  // the edit went back
    EXPECT_TRUE(f.newRdWrCodeChecked());
    EXPECT_EQ(f.newRdWrCodeText(), "123");
    EXPECT_EQ(f.newCodeBuf(), code);
    s.doc.Redo();
    EXPECT_EQ(f.newCodeBuf(), code);
}

TEST(Undo, PutsBackTheLastEncodedTableAndTheMemoryViewsCells) {
    StartedDocument s;
    MemoryEditor m(s.doc, 0x03FF);
    m.TableFreDat(0x03FF);
    ChannelEditor& e = s.doc.channelEditor();
    // A row left incomplete is a pending edit; a hex edit encodes it first.
    Type(s.doc, 1, 1, "446.00625");
    Type(s.doc, 1, 2, "");
    ASSERT_TRUE(e.pendingEdits());
    ASSERT_TRUE(m.AfterEdit(0x0200, "77"));
    ASSERT_FALSE(e.pendingEdits());
    s.doc.Undo();
    EXPECT_TRUE(e.pendingEdits());
    EXPECT_EQ(m.view().text(0x0200), FormatByteDat(s.doc.image().at(0x0200)));
    s.doc.Redo();
    EXPECT_FALSE(e.pendingEdits());
    EXPECT_EQ(m.view().text(0x0200), "77");

    // Channel 2's receive frequency typed byte by byte, taken back, and typed again: every
    // byte is an edit again (the cells do not still hold the texts taken back).
    const std::pair<int, const char*> bytes[] = {{3, "44"}, {2, "61"}, {1, "25"}, {0, "00"}};
    for (auto [offset, text] : bytes) ASSERT_TRUE(m.AfterEdit(ChannelRecordAddr(2, offset), text));
    for (size_t i = 0; i < std::size(bytes); ++i) s.doc.Undo();
    for (auto [offset, text] : bytes) {
        EXPECT_EQ(m.view().text(ChannelRecordAddr(2, offset)),
                  FormatByteDat(s.doc.image().at(ChannelRecordAddr(2, offset))));
        EXPECT_TRUE(m.AfterEdit(ChannelRecordAddr(2, offset), text)) << text;
    }
    for (auto [offset, text] : bytes)
        EXPECT_EQ(FormatByteDat(s.doc.image().at(ChannelRecordAddr(2, offset))), text);
    EXPECT_EQ(s.doc.chInfo()(2, chf::RxFre), 44612500);
}

TEST(Undo, NothingIsTakenBackWhileTheInterfaceIsLocked) {
    StartedDocument s;
    Type(s.doc, 1, 1, "438.5");
    s.doc.Undo();
    ASSERT_TRUE(s.doc.canRedo());
    s.doc.Redo();
    s.doc.channelEditor().SetLocked(true);
    EXPECT_FALSE(s.doc.canUndo());
    s.doc.Undo();
    EXPECT_EQ(s.doc.channelEditor().text(1, 1), "438.5");
    s.doc.channelEditor().SetLocked(false);
    EXPECT_TRUE(s.doc.canUndo());
    s.doc.Undo();
    EXPECT_EQ(s.doc.channelEditor().text(1, 1), "");
    s.doc.channelEditor().SetLocked(true);
    EXPECT_FALSE(s.doc.canRedo());
    s.doc.Redo();
    EXPECT_EQ(s.doc.channelEditor().text(1, 1), "");
}

}  // namespace
}  // namespace tarvos::test

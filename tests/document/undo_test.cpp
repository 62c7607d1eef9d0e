// Undo and redo: each edit taken back and made again exactly, the unsaved-changes flag
// following the saved state, and the history starting afresh at New, Open and a read.
#include <gtest/gtest.h>

#include "document/channel_editor.h"
#include "document/document_fixture.h"

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

}  // namespace
}  // namespace tarvos::test

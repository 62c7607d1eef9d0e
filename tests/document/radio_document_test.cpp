// The radio document's own rules: what New, Open, Save, a read and a band change do to the
// image, the path and the unsaved-changes flag, and what the editors are told.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/document_fixture.h"
#include "memory/band.h"

namespace tarvos::test {
namespace {

bool Heard(const std::vector<DocumentChange>& changes, DocumentChange c) {
    return std::find(changes.begin(), changes.end(), c) != changes.end();
}

TEST(RadioDocument, StartsAsTheTemplateWithTheStartBand) {
    StartedDocument s;
    const ByteImage tmpl = ShippedImage(kTemplateFileName);
    for (int a = 0x0010; a < 0x0379; ++a) ASSERT_EQ(s.doc.image().at(a), tmpl.at(a)) << a;
    EXPECT_EQ(s.doc.bandIndex(), kStartBandIndex);
    EXPECT_EQ(s.doc.image().at(0x037A), 0x40);
    EXPECT_EQ(s.doc.image().at(0x037C), 0x52);
    EXPECT_EQ(s.doc.currentFilePath(), s.folder / "Untitled.dat");
    EXPECT_FALSE(s.doc.modified());
    EXPECT_TRUE(s.sink.lines.empty());
}

TEST(RadioDocument, OpenSaveAndNewKeepPathAndFlag) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    EXPECT_EQ(s.doc.currentFilePath(), BuiltData(kDefaultsFileName));
    EXPECT_TRUE(Heard(s.changes, DocumentChange::Replaced));

    // An edit marks the document; Save As writes it and clears the mark.
    s.doc.Edit(DocumentChange::Functions, [&] { s.doc.image().at(0x0170) = 0x5A; });
    EXPECT_TRUE(s.doc.modified());
    const auto saved = s.folder / "mine.dat";
    ASSERT_TRUE(s.doc.SaveAsFile(saved));
    EXPECT_FALSE(s.doc.modified());
    EXPECT_EQ(s.doc.currentFilePath(), saved);

    // A file that is no data file changes nothing.
    EXPECT_FALSE(s.doc.OpenFile(s.folder / "missing.dat"));
    EXPECT_EQ(s.doc.currentFilePath(), saved);
    EXPECT_EQ(s.doc.image().at(0x0170), 0x5A);

    // New keeps model and band, goes back to Untitled.dat and the template.
    s.doc.SelectBand(1);  // 136 - 174 MHz
    s.doc.NewFile();
    EXPECT_EQ(s.doc.currentFilePath(), s.folder / "Untitled.dat");
    EXPECT_EQ(s.doc.image().at(0x037A), 0x13);
    EXPECT_EQ(s.doc.image().at(0x037B), 0x60);
    EXPECT_EQ(s.doc.image().at(0x0170), ShippedImage(kTemplateFileName).at(0x0170));
}

TEST(RadioDocument, SaveEncodesTheChannelTableFirst) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    ASSERT_FALSE(s.doc.chInfo().empty(1));
    s.doc.chInfo()(1, chf::RxFre) = 43850000;
    ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "x.dat"));
    RecordingSink sink;
    ErrorLog log(&sink);
    ByteImage back;
    ASSERT_TRUE(OpenDatFile(s.folder / "x.dat", back, log));
    EXPECT_EQ(back.at(ChannelRecordAddr(1, 3)), 0x43);
    EXPECT_EQ(back.at(ChannelRecordAddr(1, 2)), 0x85);
}

TEST(RadioDocument, ReadResultCountsAsUnsavedAndRedisplays) {
    StartedDocument s;
    WriteBandLimits(s.doc.image(), 13600000, 17400000);
    s.changes.clear();
    s.doc.TakeReadResult();
    EXPECT_TRUE(s.doc.modified());
    EXPECT_EQ(s.doc.bandIndex(), 1);  // the band comes from the image, channels kept
    EXPECT_TRUE(Heard(s.changes, DocumentChange::Replaced));
}

TEST(RadioDocument, AReadIsBackedUpAsTheRadioSentItBeforeTheRedisplay) {
    StartedDocument s;
    s.doc.TakeReadResult();  // backups are off until the window turns them on
    EXPECT_TRUE(s.doc.lastReadBackup().empty());

    const auto folder = s.folder / "Data" / "backups";
    s.doc.SetReadBackups(folder, [] { return std::time_t(1700000000); });
    // A radio without the identification block: the redisplay writes it in.
    for (int a = 0x01B8; a < 0x01C0; ++a) s.doc.image().at(a) = 0;
    const std::vector<uint8_t> asRead = ImageToFileBytes(s.doc.image());
    s.doc.TakeReadResult();
    EXPECT_EQ(s.doc.image().at(0x01B8), 'K');
    ASSERT_FALSE(s.doc.lastReadBackup().empty());
    EXPECT_EQ(s.doc.lastReadBackup().parent_path(), folder);
    EXPECT_EQ(FileBytes(s.doc.lastReadBackup()), asRead);

    // A backup that cannot be written is logged; the read result is taken all the same.
    std::filesystem::remove_all(folder);
    WriteBytes(folder, {1});
    WriteBandLimits(s.doc.image(), 13600000, 17400000);
    s.doc.TakeReadResult();
    EXPECT_TRUE(s.doc.lastReadBackup().empty());
    EXPECT_EQ(s.doc.bandIndex(), 1);
    EXPECT_EQ(s.sink.locations(), std::vector<std::string>{"frmCommun->SaveReadBackup"});
}

TEST(RadioDocument, CustomBandStartsANewFileOnlyWhenAccepted) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    const CustomBand accepted = CheckCustomBand("136.125", "173.9");
    s.doc.SelectBand(kCustomBandIndex, &accepted);
    EXPECT_EQ(s.doc.currentFilePath(), s.folder / "Untitled.dat");
    EXPECT_EQ(s.doc.bandLow(), 13612500);
    EXPECT_EQ(s.doc.customMinText(), "136.125");

    // Cancelled: the limits stay, the file too, and the channel set is new all the same.
    s.doc.SetCurrentFilePath(s.folder / "kept.dat");
    s.doc.SelectBand(kCustomBandIndex, nullptr);
    EXPECT_EQ(s.doc.bandLow(), 13612500);
    EXPECT_EQ(s.doc.currentFilePath(), s.folder / "kept.dat");
}

// A band change starts a new file inside the edit; the views are told once that everything
// changed, after the document is whole again, not once for the new file and once more for
// the edit. Picking the model in force again is no edit at all.
TEST(RadioDocument, ABandChangeIsToldOnceAndARepickNotAtAll) {
    StartedDocument s;
    s.changes.clear();
    s.doc.SelectBand(1);
    EXPECT_EQ(std::count(s.changes.begin(), s.changes.end(), DocumentChange::Replaced), 1);
    EXPECT_EQ(s.changes.back(), DocumentChange::Replaced);
    EXPECT_TRUE(s.doc.canUndo());

    s.doc.ResetHistory();
    s.changes.clear();
    s.doc.SelectModel(s.doc.modelIndex());
    EXPECT_TRUE(s.changes.empty());
    EXPECT_FALSE(s.doc.canUndo());
    EXPECT_FALSE(s.doc.modified());
}

}  // namespace
}  // namespace tarvos::test

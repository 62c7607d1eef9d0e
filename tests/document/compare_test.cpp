// The comparison of two images: nothing between a file and itself or its own Save, each kind
// of difference in the words the window uses, the bytes no dump entry shows, and the images a
// write would send and find.
#include <gtest/gtest.h>

#include <functional>

#include "document/difference_text.h"
#include "document/dump_ownership.h"
#include "document/image_compare.h"
#include "document/write_preview.h"
#include "document_fixture.h"
#include "memory/channel_codec.h"
#include "memory/radio_text.h"

namespace tarvos::test {
namespace {

std::vector<std::string> Lines(const RadioDocument& base, const ByteImage& a, const ByteImage& b) {
    const DifferenceWords words(base.language(), base.layout());
    std::vector<std::string> out;
    for (const Difference& d : CompareImages(base, a, b)) out.push_back(words.line(d));
    return out;
}

// A file a user might have: from the factory defaults, with what an open corrects or ignores.
ByteImage MessyImage() {
    ByteImage image = ShippedImage(kDefaultsFileName);
    image[ChannelRecordAddr(2, 4)] = 0x4A;  // a transmit frequency that is not BCD
    image[ChannelRecordAddr(3, 3)] = 0xFF;  // channel 3 empty, its other bytes left over
    image[ChannelRecordAddr(3, 12)] = 0x7F;
    const uint8_t band[] = {0x04, 0x00, 0x48, 0x00};  // refused: becomes 400-480 MHz
    for (int i = 0; i < 4; ++i) image[0x037A + i] = band[i];
    for (int a = 0x01B8; a < 0x01C0; ++a) image[a] = 0;  // no identification block
    image[0x019E] = 0;                                   // VOX values without their marker
    image[0x0130] = 200;                                 // a time-out beyond the list
    image[0x0282] = 150;                                 // a two-tone duration beyond 10 s
    image[0x0287] = 90;
    WriteStoredRdWrCode(image, "123");
    return image;
}

TEST(Compare, AFileAgainstItselfOrItsOwnSaveIsTheSame) {
    StartedDocument s;
    const ByteImage images[] = {ShippedImage(kTemplateFileName), ShippedImage(kDefaultsFileName),
                                MessyImage()};
    for (const ByteImage& image : images) {
        EXPECT_TRUE(CompareImages(s.doc, image, image).empty());
        WriteBytes(s.folder / "file.dat", ImageToFileBytes(image));
        ASSERT_TRUE(s.doc.OpenFile(s.folder / "file.dat"));
        ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "saved.dat"));
        ByteImage opened, saved;
        ASSERT_TRUE(OpenDatFile(s.folder / "file.dat", opened, s.log));
        ASSERT_TRUE(OpenDatFile(s.folder / "saved.dat", saved, s.log));
        // The messy file: the open corrected bytes, the save encoded the table.
        if (&image == &images[2]) {
            ASSERT_NE(opened, saved);
        }
        EXPECT_EQ(Lines(s.doc, opened, saved), std::vector<std::string>{});
        // The document as it shows the file is the file too.
        EXPECT_TRUE(CompareImages(s.doc, ImageWithChannels(s.doc), opened).empty());
    }
}

TEST(Compare, EachKindOfDifferenceInTheWordsOfTheWindow) {
    StartedDocument s;
    const ByteImage defaults = ShippedImage(kDefaultsFileName);
    struct Case {
        std::function<void(ByteImage&)> change;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {[](ByteImage& i) { i[0x0379] = 1; }, {"Model Type: 0 -> 1"}},
        {[](ByteImage& i) { WriteBandLimits(i, 13612500, 17390000); },
         {"Frequency: 400 - 520 MHz -> Custom  136.1 - 173.9 MHz"}},
        {[](ByteImage& i) {
             i[ChannelRecordAddr(3, 0)] = 0x50, i[ChannelRecordAddr(3, 1)] = 0x37,
                                    i[ChannelRecordAddr(3, 2)] = 0x61,
                                    i[ChannelRecordAddr(3, 3)] = 0x44;
         },
         {"CH 3  Rx Freq.: 420.00000 -> 446.13750"}},
        {[](ByteImage& i) { i[ChannelRecordAddr(3, 12)] = 0x10; },  // busy lockout QT/DQT
         {"CH 3  BCL: Carrier -> QT/DQT"}},
        {[](ByteImage& i) { i[ChannelRecordAddr(3, 15)] = 0x05; }, {"CH 3  Option 12: 0 -> 5"}},
        {[](ByteImage& i) { i[ChannelRecordAddr(3, 7)] = 0xFF; },  // no transmit frequency
         {"CH 3  Tx Freq.: 420.00000 -> empty", "CH 3  QT/DQT Enc: D023N -> empty"}},
        {[](ByteImage& i) { i[0x0130] = 12; }, {"Time-out Timer[s]: 60s -> 180s"}},
        {[](ByteImage& i) { i[0x0136] &= 0xFE; }, {"Beep: On -> Off"}},
        {[](ByteImage& i) { i[0x0140] = '1', i[0x0141] = '2'; },
         {"PTT ID Begin of Tx: \"\" -> \"12\""}},
        {[](ByteImage& i) { i[0x0196] = 100; }, {"Vox Compare Voltage 3: 140 -> 100"}},
        {[](ByteImage& i) { i[0x03EA] = (i[0x03EA] & 0xF0) | 0x07; }, {"Radio ID 3: Off -> 7"}},
        {[](ByteImage& i) {
             const int r = TwoToneAddr(2);
             i[r] = 0xE0, i[r + 1] = 0x2E, i[r + 2] = 5, i[r + 7] = 90;
         },
         {"2-Tone 2  A Fre: empty -> 1200.0", "2-Tone 2  A Time: empty -> 0.5"}},
        {[](ByteImage& i) { i[0x01A1] = 70, i[0x01AB] = 0xFF; },
         {"Set Volume: 0 69 148 120 227 79 185 156 173 175 253 -> "
          "0 70 148 120 227 79 185 156 173 175 253",
          "Use This Set: On -> Off"}},
        {[](ByteImage& i) { WriteStoredRdWrCode(i, "1"); }, {"Program Code: none -> set"}},
        // Bytes no entry shows: one range for consecutive bytes, a byte whose unowned bit
        // changed (the PTT ID pause flag of channel 1), nothing for owned bits alone.
        {[](ByteImage& i) {
             for (int a = 0; a < 4; ++a) i[0x0190 + a] = static_cast<uint8_t>(a + 1);
             i[0x001D] |= 0x40;
         },
         {"001D: 30 -> 70", "0190-0193: FF FF FF FF -> 01 02 03 04"}},
    };
    for (const Case& c : cases) {
        ByteImage changed = defaults;
        c.change(changed);
        EXPECT_EQ(Lines(s.doc, defaults, changed), c.lines) << c.lines.front();
    }
}

TEST(Compare, TwoStoredCodesAreToldApartWithoutShowingThem) {
    StartedDocument s;
    ByteImage a = ShippedImage(kDefaultsFileName), b = a;
    WriteStoredRdWrCode(a, "123");
    WriteStoredRdWrCode(b, "124");
    const auto diffs = CompareImages(s.doc, a, b);
    ASSERT_EQ(diffs.size(), 1u);
    EXPECT_EQ(diffs[0].oldValue.text, "set");
    EXPECT_EQ(diffs[0].newValue.text, "changed");
    EXPECT_EQ(DifferenceWords(3, s.doc.layout()).line(diffs[0]), "Program Code: set -> changed");
    WriteStoredRdWrCode(b, "123");
    EXPECT_TRUE(CompareImages(s.doc, a, b).empty());
    WriteStoredRdWrCode(b, "");
    EXPECT_EQ(Lines(s.doc, a, b), std::vector<std::string>{"Program Code: set -> none"});
}

TEST(Compare, TheWordsOfTheInterfaceLanguage) {
    StartedDocument s(1);
    ByteImage a = ShippedImage(kDefaultsFileName), b = a;
    b[ChannelRecordAddr(1, 13)] &= ~0x20;  // low power
    b[0x0130] = 12;
    b[0x0136] &= 0xFE;
    EXPECT_EQ(Lines(s.doc, a, b),
              (std::vector<std::string>{"信道 1  功率: 高功 -> 低功", "发射定时[秒]: 60秒 -> 180秒",
                                        "哔音: 是 -> 否"}));
}

// No bit outside the map changes what a dump shows, so no difference is reported twice.
TEST(Compare, NoBitOutsideTheOwnershipMapChangesTheDump) {
    StartedDocument s;
    const BitMap& owned = DumpOwnedBits();
    for (const char* name : {kTemplateFileName, kDefaultsFileName}) {
        const ByteImage image = ShippedImage(name);
        const std::vector<DumpEntry> before = DumpEntries(DumpImage(s.doc, image));
        for (int a = 0; a < kRadioMemorySize; ++a) {
            const uint8_t free = static_cast<uint8_t>(~owned[static_cast<size_t>(a)]);
            if (!free) continue;
            ByteImage flipped = image;
            flipped[a] ^= free;
            const std::vector<DumpEntry> after = DumpEntries(DumpImage(s.doc, flipped));
            for (size_t i = 0; i < before.size(); ++i)
                ASSERT_TRUE(before[i].value == after[i].value)
                    << name << " " << std::hex << a << " changes " << before[i].field;
        }
    }
}

TEST(Compare, TheImagesOfAWriteLeaveTheDocumentAlone) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    // A channel typed into the table and not yet encoded into the image.
    s.doc.chInfo()(5, chf::RxFre) = 44612500;
    const ByteImage image = s.doc.image();
    const ByteImage withChannels = ImageWithChannels(s.doc);
    const ByteImage written = ImageAsWritten(s.doc);
    EXPECT_EQ(s.doc.image(), image);
    EXPECT_EQ(withChannels.at(ChannelRecordAddr(5, 3)), 0x44);
    s.doc.PrepareWrite();
    EXPECT_EQ(written, s.doc.image());

    // The radio as the write finds it: the range read back, the rest as written.
    ByteImage radio(kMinDatNum);
    radio.fill(0x5A);
    const ByteImage before = RadioBeforeWrite(written, radio, 0x0100, 0x010F);
    for (int a = 0; a < kRadioMemorySize; ++a)
        ASSERT_EQ(before.at(a), a >= 0x0100 && a <= 0x010F ? 0x5A : written.at(a)) << a;
}

}  // namespace
}  // namespace tarvos::test

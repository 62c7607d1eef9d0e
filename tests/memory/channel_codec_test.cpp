// The channel record codec: decoding records into ChInfo / ToneText, encoding them back,
// the conversions, and the record reset.
#include "memory/channel_codec.h"

#include <gtest/gtest.h>

#include "base/settings_file.h"
#include "memory_fixture.h"

namespace tarvos {
namespace {

using test::Logged;

class Codec : public ::testing::Test {
  protected:
    Codec() {
        layout.channelCount = 16;
        layout.columnCount = 10;
        for (int c = 5; c <= 10; ++c) layout.columnItems[c] = {"a|b", "2", "1", "a", "b"};
        layout.columnItems[8][2] = "2";  // busy lockout defaults to QT/DQT
        image.fill(0xFF);
        for (int n = 1; n <= 16; ++n) chInfo(n, chf::RxFre) = chInfo(n, chf::TxFre) = -1;
    }
    int rec(int n, int offset) { return image[ChannelRecordAddr(n, offset)]; }
    void setRecord(int n, std::initializer_list<uint8_t> bytes) {
        int i = 0;
        for (uint8_t b : bytes) image[ChannelRecordAddr(n, i++)] = b;
    }

    Logged logged;
    ByteImage image;
    ByteImage tempArray;
    ChannelTable chInfo;
    ToneTexts toneText;
    ChannelLayout layout;
    ToneList tones{3};
    ChannelCodec codec{image, tempArray, chInfo, toneText, layout, tones, logged.log};
};

// Byte 3 alone decides whether a channel is in use: 0x01..0x99.
TEST_F(Codec, ByteThreeDecidesEmptiness) {
    const std::pair<uint8_t, bool> cases[] = {{0x00, false}, {0x01, true},  {0x44, true},
                                              {0x99, true},  {0x9A, false}, {0xFF, false}};
    for (auto [b3, used] : cases) {
        setRecord(2, {0x00, 0x25, 0x61, b3});
        chInfo(2, chf::Power) = 7;
        codec.IicDatToChInfo();
        EXPECT_EQ(!chInfo.empty(2), used) << int(b3);
        if (!used) {
            EXPECT_EQ(chInfo(2, chf::TxFre), -1);
            EXPECT_EQ(chInfo(2, chf::DecSel), 0);
            EXPECT_EQ(chInfo(2, chf::Power), 1);     // column default
            EXPECT_EQ(chInfo(2, chf::BusyLock), 2);  // column default
        }
    }
}

TEST_F(Codec, FrequenciesDecodeFromBcd) {
    setRecord(1, {0x00, 0x25, 0x61, 0x44, 0x00, 0x25, 0x61, 0x44});
    codec.IicDatToChInfo();
    EXPECT_EQ(chInfo(1, chf::RxFre), 44612500);
    EXPECT_EQ(chInfo(1, chf::TxFre), 44612500);
    EXPECT_TRUE(logged.locations().empty());
}

// A non-decimal receive frequency reads as 120 MHz; a non-decimal transmit frequency
// keeps the previous value; both are logged. Transmit byte 7 of 00 or above 99 is "none".
TEST_F(Codec, NonDecimalAndMissingFrequencies) {
    for (int k = 0; k < 4; ++k) {
        setRecord(1, {0x00, 0x25, 0x61, 0x44});
        image[ChannelRecordAddr(1, k)] = 0x4A;
        codec.IcRxFreSol(1);
        EXPECT_EQ(chInfo(1, chf::RxFre), 12000000) << k;
    }
    chInfo(1, chf::TxFre) = 43000000;
    setRecord(1, {0x00, 0x25, 0x61, 0x44, 0x00, 0x2A, 0x61, 0x44});
    codec.IcTxFreSol(1);
    EXPECT_EQ(chInfo(1, chf::TxFre), 43000000);
    std::vector<std::string> expected(4, "modChMem->IcRxFreSol");
    expected.push_back("modChMem->IcTxFreSol");
    EXPECT_EQ(logged.locations(), expected);
}

TEST_F(Codec, TransmitByteSevenMeansNone) {
    for (uint8_t b7 : {0x00, 0x9A, 0xFF}) {
        chInfo(1, chf::TxFre) = 5;
        setRecord(1, {0x00, 0x25, 0x61, 0x44, 0x00, 0x25, 0x61, b7});
        codec.IcTxFreSol(1);
        EXPECT_EQ(chInfo(1, chf::TxFre), -1) << int(b7);
    }
}

TEST(ToneConversion, StoredValuesToNames) {
    const std::pair<uint16_t, const char*> cases[] = {
        {0xFFFF, "None"},  {0x03E8, "100.0"}, {0x0258, "60.0"},  {0x0257, "None"},
        {0x029E, "67.0"},  {0x09ED, "254.1"}, {0x0A5A, "265.0"}, {0x0A5B, "None"},
        {0x2813, "D023N"}, {0xA813, "D023I"}, {0x29FF, "D777N"}, {0x2A00, "None"},
        {0xA9EC, "D754I"}, {0x0000, "None"},
    };
    for (auto [v, name] : cases) EXPECT_EQ(ToneTextOf(v, "None"), name) << std::hex << v;
}

TEST(ToneConversion, NamesToStoredValues) {
    const std::pair<const char*, int> cases[] = {
        {"D023N", 0x2813},
        {"D023I", 0xA813},
        {"D754I", 0xA9EC},
        {"67.0", 0x029E},
        {"254.1", 0x09ED},
        {"None", 0xFFFF},
        {"", 0xFFFF},
        {"100.0", 1000},
        {"6x.5", 605},
        {"67.", 6700},      // no digit after the point: read as ddd.d
        {"D023X", 0xA813},  // any letter but N: inverted
        // cannot be converted:
        {"Dx23N", -1},
        {"67", -1},
        {"x7.0", -1},
        {"123456", -1},
        {"D0234N", -1},
        {"无", -1},
    };
    for (auto [text, v] : cases) {
        auto code = ToneCodeOf(text, "None");
        EXPECT_EQ(code ? int(*code) : -1, v) << text;
    }
}

// A tone text that cannot be converted is stored as FF FF and logged, never as the bytes
// of an earlier conversion.
TEST_F(Codec, UnconvertibleToneTextsStoreNone) {
    setRecord(3, {0x00, 0x25, 0x61, 0x44, 0xFF, 0xFF, 0xFF, 0xFF, 0x13, 0x28, 0x13, 0x28});
    toneText.decode(3) = "D8x9N";
    toneText.encode(3) = "1234567";
    codec.CiCtdcsDecSol(3);
    codec.CiCtdcsEncSol(3);
    EXPECT_EQ(rec(3, 8), 0xFF);
    EXPECT_EQ(rec(3, 9), 0xFF);
    EXPECT_EQ(rec(3, 10), 0xFF);
    EXPECT_EQ(rec(3, 11), 0xFF);
    EXPECT_EQ(logged.locations(),
              (std::vector<std::string>{"modChMem->QtDqtCharToIic", "modChMem->QtDqtCharToIic"}));
}

TEST_F(Codec, FrequencyEncoding) {
    struct Case {
        int32_t value;
        std::array<uint8_t, 4> bytes;  // record offsets 0..3
    };
    const Case cases[] = {
        {44612500, {0x00, 0x25, 0x61, 0x44}},
        {13612500, {0x00, 0x25, 0x61, 0x13}},
        {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
        {100000000, {0xFF, 0xFF, 0xFF, 0xFF}},  // nine digits: cannot be split
        // Below 10 MHz (only ever decoded, never typed): kept with its leading zeros, so
        // opening and saving a file does not drop the channel.
        {1250000, {0x00, 0x00, 0x25, 0x01}},
        {999999, {0xFF, 0xFF, 0xFF, 0xFF}},  // top byte 00 would read back as "none"
        {0, {0xFF, 0xFF, 0xFF, 0xFF}},
        {-5, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        setRecord(4, {0x12, 0x34, 0x56, 0x78, 0x12, 0x34, 0x56, 0x78});
        chInfo(4, chf::RxFre) = c.value;
        chInfo(4, chf::TxFre) = c.value;
        codec.CiRxFreSol(4);
        codec.CiTxFreSol(4);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(rec(4, k), c.bytes[k]) << c.value << " rx byte " << k;
            EXPECT_EQ(rec(4, 4 + k), c.bytes[k]) << c.value << " tx byte " << k;
        }
    }
}

TEST_F(Codec, SeparateFreCharSplitsDigitPairs) {
    EXPECT_EQ(codec.SeparateFreChar("44612500"), (std::array<uint8_t, 4>{0x44, 0x61, 0x25, 0x00}));
    EXPECT_FALSE(codec.SeparateFreChar("4461250"));
    EXPECT_FALSE(codec.SeparateFreChar("4461250x"));
    EXPECT_EQ(logged.locations(), (std::vector<std::string>(2, "modChMem->SeparateFreChar")));
}

// Each option field lands in exactly its bits: encode one field at a time from a zero
// record and compare bytes 12..15.
TEST_F(Codec, EachOptionFieldHasItsBits) {
    struct Case {
        int field;
        int32_t value;
        std::array<uint8_t, 4> b12to15;
    };
    const Case cases[] = {
        {chf::Power, 1, {0x00, 0x20, 0x00, 0x00}},
        {chf::Wide, 1, {0x00, 0x10, 0x00, 0x00}},
        {chf::BusyLock, 1, {0x08, 0x00, 0x00, 0x00}},
        {chf::BusyLock, 2, {0x10, 0x00, 0x00, 0x00}},
        {chf::BusyLock, 3, {0x00, 0x00, 0x00, 0x00}},
        {chf::Vox, 1, {0x00, 0x80, 0x00, 0x00}},
        {chf::PttId, 1, {0x01, 0x00, 0x00, 0x00}},
        {chf::PttId, 2, {0x00, 0x00, 0x01, 0x00}},
        {chf::PttId, 3, {0x01, 0x00, 0x01, 0x00}},
        {chf::Opt11, 1, {0x02, 0x00, 0x00, 0x00}},
        {chf::Opt11, 2, {0x04, 0x00, 0x00, 0x00}},
        {chf::Opt12, 5, {0x00, 0x00, 0x00, 0x05}},
        {chf::Opt12, 9, {0x00, 0x00, 0x00, 0x07}},
        {chf::Opt13, 0xA, {0x00, 0x00, 0xA0, 0x00}},
        {chf::Opt14, 0xB, {0x00, 0x00, 0x00, 0xB0}},
        {chf::Opt15, 1, {0x20, 0x00, 0x00, 0x00}},
        {chf::Opt15, 2, {0x40, 0x00, 0x00, 0x00}},
        // Values the record cannot hold: options 13/14 outside 0..15 store all ones.
        {chf::Opt13, 16, {0x00, 0x00, 0xF0, 0x00}},
        {chf::Opt14, -1, {0x00, 0x00, 0x00, 0xF0}},
    };
    for (const auto& c : cases) {
        setRecord(5, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        for (int j = 5; j <= 15; ++j) chInfo(5, j) = 0;
        chInfo(5, c.field) = c.value;
        codec.CiChParaSol(5);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(rec(5, 12 + k), c.b12to15[k])
                << "field " << c.field << " = " << c.value << ", byte " << 12 + k;
    }
}

TEST_F(Codec, OptionFieldsRoundTrip) {
    setRecord(6, {0x00, 0x25, 0x61, 0x44});
    const int32_t values[] = {1, 1, 1, 2, 1, 3, 2, 7, 15, 9, 1};  // fields 5..15
    for (int j = 5; j <= 15; ++j) chInfo(6, j) = values[j - 5];
    codec.CiChParaSol(6);
    for (int j = 5; j <= 15; ++j) chInfo(6, j) = -9;
    codec.IcChParaSol(6);
    for (int j = 5; j <= 15; ++j) EXPECT_EQ(chInfo(6, j), values[j - 5]) << j;
}

TEST_F(Codec, FieldTwelveIsForcedIntoRange) {
    chInfo(1, chf::Opt12) = 9;
    codec.CiChParaSol(1);
    EXPECT_EQ(chInfo(1, chf::Opt12), 7);
    chInfo(1, chf::Opt12) = -3;
    codec.CiChParaSol(1);
    EXPECT_EQ(chInfo(1, chf::Opt12), 0);
    EXPECT_EQ(rec(1, 15) & 0x07, 0);
}

// Bits the codec does not own keep their values: B12 bit 7, B13 bits 0-3 and 6,
// B14 bits 1-3, B15 bit 3.
TEST_F(Codec, EncodingKeepsForeignBits) {
    for (uint8_t fill : {0x00, 0xFF}) {
        setRecord(7, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, fill, fill, fill, fill});
        for (int j = 5; j <= 15; ++j) chInfo(7, j) = fill ? 0 : 1;
        codec.CiChParaSol(7);
        EXPECT_EQ(rec(7, 12) & 0x80, fill & 0x80);
        EXPECT_EQ(rec(7, 13) & 0x4F, fill & 0x4F);
        EXPECT_EQ(rec(7, 14) & 0x0E, fill & 0x0E);
        EXPECT_EQ(rec(7, 15) & 0x08, fill & 0x08);
    }
}

TEST_F(Codec, ScanBitOfOneChannelOnly) {
    image[0x017E] = 0xA5;
    image[0x017F] = 0x5A;
    chInfo(9, chf::Scan) = 1;
    codec.CiChParaSol(9);
    EXPECT_EQ(image[0x017E], 0xA5);
    EXPECT_EQ(image[0x017F], 0x5B);
    chInfo(3, chf::Scan) = 0;
    codec.CiChParaSol(3);
    EXPECT_EQ(image[0x017E], 0xA1);
    EXPECT_EQ(image[0x017F], 0x5B);
    codec.IcChParaSol(9);
    codec.IcChParaSol(1);
    EXPECT_EQ(chInfo(9, chf::Scan), 1);
    EXPECT_EQ(chInfo(1, chf::Scan), 1);
    codec.IcChParaSol(2);
    EXPECT_EQ(chInfo(2, chf::Scan), 0);
}

TEST_F(Codec, TonesEncodeAndDecode) {
    setRecord(2, {0x00, 0x25, 0x61, 0x44, 0x00, 0x25, 0x61, 0x44});
    toneText.decode(2) = "D023N";
    toneText.encode(2) = "D023I";
    codec.CiCtdcsDecSol(2);
    codec.CiCtdcsEncSol(2);
    EXPECT_EQ(rec(2, 8), 0x13);
    EXPECT_EQ(rec(2, 9), 0x28);
    EXPECT_EQ(rec(2, 10), 0x13);
    EXPECT_EQ(rec(2, 11), 0xA8);
    toneText.decode(2) = toneText.encode(2) = "";
    codec.IicDatToChInfo();
    EXPECT_EQ(toneText.decode(2), "D023N");
    EXPECT_EQ(toneText.encode(2), "D023I");
}

// Deleting a channel restores its record from TempArray at the same indexes, touches
// nothing else, and reads the channel back from that record as an empty channel: none of
// the deleted channel's options or tones stays in the table to be written back.
TEST_F(Codec, DelOneChannelRestoresOneRecord) {
    for (int i = 0; i < tempArray.size(); ++i) tempArray[i] = static_cast<uint8_t>(i * 7);
    // The template record of channel 1: decode tone 67.0, encode D023I, option 12 = 5.
    const uint8_t tones[] = {0x9E, 0x02, 0x13, 0xA8};
    for (int i = 0; i < 4; ++i) tempArray[ChannelRecordAddr(1, 8 + i)] = tones[i];
    tempArray[ChannelRecordAddr(1, 15)] = 0x05;
    const ByteImage before = image;
    chInfo(1, chf::RxFre) = 44612500;
    chInfo(1, chf::Power) = 0;
    chInfo(1, chf::Opt12) = 2;
    toneText.decode(1) = toneText.encode(1) = "100.0";
    codec.DelOneChannel(1);
    for (int i = 0; i < image.size(); ++i)
        EXPECT_EQ(image[i], i >= 16 && i < 32 ? tempArray[i] : before[i]) << i;
    EXPECT_EQ(chInfo(1, chf::RxFre), -1);
    EXPECT_EQ(chInfo(1, chf::TxFre), -1);
    EXPECT_EQ(chInfo(1, chf::Power), 1);  // column default
    EXPECT_EQ(chInfo(1, chf::Opt12), 5);  // no column: from the record
    EXPECT_EQ(toneText.decode(1), "67.0");
    EXPECT_EQ(toneText.encode(1), "D023I");
}

// An empty channel's tones and the fields no column gives a default to come from its own
// record, whatever the table held before: decoding two images in turn leaves nothing of the
// first in the second.
TEST_F(Codec, EmptyChannelsDecodeFromTheirOwnRecord) {
    toneText.decode(3) = "D754I";
    toneText.encode(3) = "67.0";
    chInfo(3, chf::Opt13) = 9;
    setRecord(3, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xE8, 0x03, 0xFF, 0xFF, 0xFF,
                  0xFF, 0x2F, 0xFF});
    codec.IicDatToChInfo();
    EXPECT_TRUE(chInfo.empty(3));
    EXPECT_EQ(toneText.decode(3), "100.0");
    EXPECT_EQ(toneText.encode(3), "None");
    EXPECT_EQ(chInfo(3, chf::Opt13), 2);
    EXPECT_EQ(chInfo(3, chf::BusyLock), 2);  // column default
    // Encoding it again gives back its frequency, tone and column-less option bytes (the
    // column fields carry their defaults).
    const ByteImage before = image;
    codec.ChInfoToIicDat();
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15})
        EXPECT_EQ(rec(3, i), before[ChannelRecordAddr(3, i)]) << i;
    EXPECT_EQ(rec(3, 14) & 0xF0, 0x20);
}

// A column default that is no number stops decoding at the first empty channel; the
// channels after it keep their old values.
TEST_F(Codec, DecodeStopsAtAFaultyColumnDefault) {
    layout.columnItems[6][2] = "wide";
    setRecord(1, {0x00, 0x25, 0x61, 0x44});
    chInfo(3, chf::RxFre) = 777;
    codec.IicDatToChInfo();
    EXPECT_EQ(chInfo(1, chf::RxFre), 44612500);
    EXPECT_EQ(chInfo(3, chf::RxFre), 777);
    EXPECT_EQ(logged.locations(), (std::vector<std::string>{"modChMem->IicDatToChInfo"}));
}

// Decoding the shipped images and encoding them again changes no byte: the codec and the
// shipped data agree.
TEST_F(Codec, ShippedImagesSurviveADecodeEncodeRoundTrip) {
    layout = ReadChInfo(SettingsFile(test::BuiltData("tarvosk.def")), 3, logged.log);
    for (const char* name : {"dhcpqec.def", "DefRadioSet.def"}) {
        image = test::ShippedImage(name);
        const ByteImage before = image;
        codec.IicDatToChInfo();
        codec.ChInfoToIicDat();
        for (int i = 0; i < image.size(); ++i) ASSERT_EQ(image[i], before[i]) << name << " " << i;
        EXPECT_TRUE(logged.locations().empty()) << name;
    }
}

}  // namespace
}  // namespace tarvos

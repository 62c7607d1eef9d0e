// Volume table, two-tone table, read/write code, PTT ID pause flags and the write preparation.
#include <gtest/gtest.h>

#include <set>

#include "functions/bindings.h"
#include "functions/code_text.h"
#include "functions/function_model.h"
#include "functions/two_tone.h"
#include "functions/volume.h"
#include "functions/write_prepare.h"
#include "memory/radio_text.h"

namespace tarvos {
namespace {

TEST(Volume, VoiceSeqIsAPermutationWithTheQuotedSteps) {
    std::set<int> codes(VoiceSeq().begin(), VoiceSeq().end());
    EXPECT_EQ(codes.size(), 256u);
    EXPECT_EQ(VoiceSeq()[200], 110);
    EXPECT_EQ(VoiceSeq()[159], 227);
    EXPECT_EQ(VolumeDatToSeq(0), 0);
    EXPECT_EQ(VolumeDatToSeq(255), 255);
    EXPECT_EQ(VolumeDatToSeq(227), 159);
    for (int q = 0; q < 256; ++q) EXPECT_EQ(VolumeDatToSeq(VoiceSeq()[q]), q);
}

TEST(Volume, DialogInBothModes) {
    ByteImage img;
    img[0x01A5] = 227;
    EXPECT_EQ(SeqVolumeDatToSeq(img, kVolumeModeSequence)[4], 159);
    EXPECT_EQ(SeqVolumeDatToSeq(img, kVolumeModeDirect)[4], 227);
    EXPECT_EQ(SeqVolumeDatToSeq(img, 7)[4], 159);  // a mode above 1 is sequence mode

    PickVolumeLevel(img, kVolumeModeDirect, 1, 200);
    EXPECT_EQ(img[0x01A1], 200);
    PickVolumeLevel(img, kVolumeModeSequence, 1, 200);
    EXPECT_EQ(img[0x01A1], 110);
    EXPECT_THROW(PickVolumeLevel(img, 0, 11, 0), Failure);

    VolumeDefault(img, kVolumeModeSequence);
    EXPECT_EQ(img[0x01A0], 0);
    EXPECT_EQ(img[0x01AA], 253);
    EXPECT_EQ(img[0x01AB], 90);
    const std::array<int, 10> steps = {63, 111, 143, 159, 175, 191, 207, 223, 239, 252};
    EXPECT_EQ(SeqVolumeDatToSeq(img, kVolumeModeSequence), steps);

    VolumeDefault(img, kVolumeModeDirect);
    const uint8_t direct[11] = {108, 68, 60, 54, 48, 40, 32, 24, 16, 8, 0};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(img[0x01A0 + i], direct[i]);

    EXPECT_EQ(VolumeLevelCaption(FaceTextTable(3), 3), "Volume  3 Level");
    EXPECT_EQ(VolumeLevelCaption(FaceTextTable(3), 10), "Volume 10 Level");
    EXPECT_EQ(VolumeLevelCaption(FaceTextTable(1), 1), "音量  1 级");
    EXPECT_EQ(VoxLevelCaption(FaceTextTable(1), 9), "10级");
    EXPECT_EQ(VoxLevelCaption(FaceTextTable(3), 0), "1");

    SetVolumeUseTable(img, false);
    EXPECT_EQ(img[0x01AB], 255);
    EXPECT_FALSE(VolumeUseTable(img));
}

// ---------------------------------------------------------------------------------------

struct TwoToneFixture : ::testing::Test {
    ByteImage img;
    TwoToneTable cells{};
    int r = TwoToneAddr(3);
    void SetUp() override {
        img.fill(0x77);
        for (auto& c : cells) c = {};
    }
};

TEST_F(TwoToneFixture, AFrequencyAloneGetsADurationAndTheMarker) {
    cells[2].aFre = "2000";
    EncodeTwoTone(img, cells);
    EXPECT_EQ(img[r + 0], 0x20);
    EXPECT_EQ(img[r + 1], 0x4E);
    EXPECT_EQ(img[r + 2], 3);
    EXPECT_EQ(cells[2].aTime, "0.3");
    EXPECT_EQ(img[r + 6], 0xFF);
    EXPECT_EQ(img[r + 7], 90);
    EXPECT_EQ(img[r + 3], 0xFF);
    EXPECT_EQ(img[r + 5], 0xFF);
}

TEST_F(TwoToneFixture, FrequencyCellsAreLimited) {
    struct Case {
        const char* typed;
        const char* cell;
        int stored;
    };
    // The cell shows what is stored, as a load would show it.
    const Case cases[] = {
        {"100", "350.0", 3500},    {"5000", "3000.0", 30000},    {"word", "1500.0", 15000},
        {"349.96", "350.0", 3500}, {"1234.55", "1234.6", 12346}, {"1234.45", "1234.4", 12344},
        {"1e10", "3000.0", 30000}, {"inf", "1500.0", 15000},     {" 2000 ", "2000.0", 20000}};
    for (const auto& c : cases) {
        cells[2] = {};
        cells[2].bFre = c.typed;
        EncodeTwoTone(img, cells);
        EXPECT_EQ(cells[2].bFre, c.cell) << c.typed;
        EXPECT_EQ(img[r + 3] | (img[r + 4] << 8), c.stored) << c.typed;
    }
}

TEST_F(TwoToneFixture, BothTonesTakeAnIntervalAndClearingEmptiesTheEntry) {
    cells[2] = {"1000", "1.5", "2000", "", ""};
    EncodeTwoTone(img, cells);
    EXPECT_EQ(img[r + 2], 15);
    EXPECT_EQ(img[r + 5], 3);
    EXPECT_EQ(img[r + 6], 3);
    EXPECT_EQ(cells[2].interval, "0.3");

    cells[2].aFre.clear();
    cells[2].bFre.clear();
    EncodeTwoTone(img, cells);
    for (int o : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(img[r + o], 0xFF) << o;
    EXPECT_EQ(img[r + 6], 3);  // the interval byte keeps its value
    EXPECT_EQ(cells[2], TwoToneCells{});
}

TEST_F(TwoToneFixture, LoadingShowsWhatIsInRangeAndRepairsTimes) {
    auto put = [&](int e, int aFre, int aTime, int bFre, int bTime, int interval, int marker) {
        int a = TwoToneAddr(e);
        img[a] = aFre & 0xFF, img[a + 1] = aFre >> 8, img[a + 2] = aTime;
        img[a + 3] = bFre & 0xFF, img[a + 4] = bFre >> 8, img[a + 5] = bTime;
        img[a + 6] = interval, img[a + 7] = marker;
    };
    put(1, 20000, 3, 0xFFFF, 0xFF, 0xFF, 90);
    put(2, 32000, 5, 2885, 150, 21, 90);
    put(3, 20000, 3, 20000, 3, 3, 0xFF);  // no marker: empty
    put(4, 31060, 100, 31061, 4, 25, 90);
    TwoToneTable t = LoadTwoTone(img);
    EXPECT_EQ(t[0], (TwoToneCells{"2000.0", "0.3", "", "", ""}));
    EXPECT_EQ(t[1], (TwoToneCells{"", "", "288.5", "1.0", ""}));
    EXPECT_EQ(img[TwoToneAddr(2) + 5], 10);
    EXPECT_EQ(img[TwoToneAddr(2) + 6], 21);  // one frequency only: the interval is not looked at
    EXPECT_EQ(t[2], TwoToneCells{});
    EXPECT_EQ(t[3], (TwoToneCells{"3106.0", "10.0", "", "", ""}));
    EXPECT_EQ(TwoToneDurationList().size(), 96u);
    EXPECT_EQ(TwoToneDurationList().back(), "10.0");
    EXPECT_EQ(TwoToneIntervalList().size(), 21u);
}

TEST_F(TwoToneFixture, ModelEditsReencodeAllEntriesAndIntervalIsRepairedOnLoad) {
    FunctionModel m(3);
    m.InitOpt(img);
    m.SetTwoToneCell(img, 16, TwoToneColumn::AFre, "1000");
    m.SetTwoToneCell(img, 16, TwoToneColumn::BFre, "1200");
    EXPECT_EQ(img[TwoToneAddr(16) + 6], 3);
    img[TwoToneAddr(16) + 6] = 30;
    m.InitOpt(img);
    EXPECT_EQ(m.twoTone()[15].interval, "0.5");
    EXPECT_EQ(img[TwoToneAddr(16) + 6], 5);
}

// ---------------------------------------------------------------------------------------

TEST(RdWrCode, StoredCodeIsIndicatedButNeverShown) {
    ByteImage img;
    FunctionModel m(3);
    m.InitOpt(img);
    m.SetRdWrCodeText(img, "5");
    const uint8_t expected[6] = {53, 0, 0, 0, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(img[kRdWrCodeAddrs[i]], expected[i]);
    EXPECT_TRUE(m.rdWrCodeStored());
    EXPECT_EQ(m.rdWrCodeText(), "5");
    EXPECT_EQ(img[0x0388], 0);  // the marker bytes between are not part of the code

    m.SetRdWrCodeText(img, "中A12");  // cut to three characters
    EXPECT_EQ(img[0x0385] | (img[0x0386] << 8), 1045);
    EXPECT_EQ(img[0x0387] | (img[0x038B] << 8), 'A');
    EXPECT_EQ(img[0x038C] | (img[0x038D] << 8), '1');

    m.SetRdWrCodeText(img, "   ");
    for (int a : kRdWrCodeAddrs) EXPECT_EQ(img[a], 0xFF);
    EXPECT_FALSE(m.rdWrCodeStored());
    EXPECT_EQ(m.rdWrCodeText(), "");

    // Loading: a stored code turns the box red and leaves its text; none empties it.
    m.SetRdWrCodeText(img, "ab");
    WriteStoredRdWrCode(img, "xyz");
    m.InitOpt(img);
    EXPECT_TRUE(m.rdWrCodeStored());
    EXPECT_EQ(m.rdWrCodeText(), "ab");
    for (int a : kRdWrCodeAddrs) img[a] = 0xFF;
    m.InitOpt(img);
    EXPECT_FALSE(m.rdWrCodeStored());
    EXPECT_EQ(m.rdWrCodeText(), "");
}

TEST(RdWrCode, NewCodeLivesOutsideTheImage) {
    FunctionModel m(3);
    NewCodeBuf start = m.newCodeBuf();
    for (int p : kNewCodeBufPositions) EXPECT_EQ(start[p], 0xFF);
    EXPECT_EQ(start[0], 0);

    m.SetNewRdWrCodeChecked(true);
    m.SetNewRdWrCodeText("1€2");  // the euro sign is outside the set: dropped from the box
    EXPECT_EQ(m.newRdWrCodeText(), "12");
    EXPECT_EQ(DecodeRdWrCode(NewCodeBytes(m.newCodeBuf())), "12");
    EXPECT_EQ(m.newCodeBuf()[5], '1');
    EXPECT_EQ(m.newCodeBuf()[7], '2');
    EXPECT_EQ(m.newCodeBuf()[12], 0);

    NewCodeBuf kept = m.newCodeBuf();
    m.SetNewRdWrCodeChecked(false);
    EXPECT_FALSE(m.newRdWrCodeVisible());
    ByteImage img;
    m.InitOpt(img);
    EXPECT_EQ(m.newCodeBuf(), kept);
    EXPECT_TRUE(ReservedRdWrCodes().empty());
}

TEST(CodeText, ConversionsAndPauseFlags) {
    EXPECT_EQ(DelInvalidChar("12ab*#x E", CodeTextKind::CodeChars), "12AB*# ");
    EXPECT_EQ(DelInvalidChar("A1b2", CodeTextKind::Digits), "12");
    CodeBuf buf = TextToAscii("0aE f#*");
    const uint8_t expected[7] = {0x30, 0x41, 0x45, 0x20, 0x46, 0x23, 0x2A};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(buf[i], expected[i]);
    EXPECT_EQ(buf[7], 0xFF);
    EXPECT_EQ(TextToAscii(std::string(20, '1'))[15], 0x31);  // cut to 16, nothing more
    EXPECT_EQ(AsciiToTxt(CodeBuf{0x31, 0x00, 0x45, 0x46, 0x2B, 0x20, 0xFF, 0x23, 0x2A, 0x47, 0x61,
                                 0x39, 0xFF, 0xFF, 0xFF, 0xFF}),
              "1EF #*9");

    ByteImage img;
    img[0x003D] = 0x81;
    SetPttIdPause(img, 3, true);
    EXPECT_EQ(img[0x003D], 0xC1);
    SetPttIdPauseFlags(img, 0xFFFF);
    EXPECT_EQ(PttIdPauseFlags(img), 0xFFFF);
    SetPttIdPauseFlags(img, 0x0004);
    EXPECT_EQ(img[0x003D], 0xC1);
    EXPECT_EQ(img[0x001D], 0x00);
    EXPECT_EQ(PttIdPauseFlags(img), 0x0004);
}

// ---------------------------------------------------------------------------------------

TEST(WritePreparation, ForcesSideKeysOptionsAndRecordBits) {
    ByteImage img;
    img.fill(0xFF);
    img[0x0367] = 0x00;
    img[0x036F] = 0xA3;
    img[0x03FC] = 0x80;
    img[0x03FE] = 0x00;
    img[0x011C] = 0xFF;
    FunctionModel m(3);
    m.InitOpt(img);
    m.Pick(img, m.indexOf("listSk1Short"), 9);
    ByteImage before = img;

    WriteParamBits bits = PrepareImageForWrite(m, img);
    EXPECT_TRUE(bits.bit7Of03FC);
    EXPECT_FALSE(bits.bit2Of03FE);

    EXPECT_EQ(img[0x0360], 0x00);
    EXPECT_EQ(img[0x0361], 0x09);
    EXPECT_EQ(img[0x0362], 0x00);
    EXPECT_EQ(img[0x0363], 0x1D);
    // 0x0367: bit 0 forced, radio function enabled (bit 5 clear), low-battery power-off
    // cleared, lamp tone ticked.
    EXPECT_EQ(img[0x0367] & 0x01, 0x01);
    EXPECT_EQ(img[0x0367] & 0x20, 0x00);
    EXPECT_EQ(img[0x0367] & 0x08, 0x00);
    EXPECT_EQ(img[0x0367] & 0x80, 0x80);
    EXPECT_EQ(img[0x036A], 0xDD);  // identity and PTT ID no-pause cleared, the rest set
    EXPECT_EQ(img[0x036C] & 0x0B, 0x0B);
    EXPECT_EQ(img[0x0368] >> 4, 0);
    EXPECT_EQ(img[0x036D] & 0x80, 0);
    EXPECT_EQ(img[0x0131], 0);
    EXPECT_EQ(img[0x03DC], 0);
    EXPECT_EQ(img[0x036F], 175);
    EXPECT_EQ(m.state("cboRadioVolume").selected, 15);
    EXPECT_TRUE(m.state("chkRadioFuncEnable").checked);

    for (int n = 1; n <= 16; ++n) {
        int rec = 16 * n;
        EXPECT_EQ(img[rec + 12], before[rec + 12] & 0x98) << n;
        EXPECT_EQ(img[rec + 14], before[rec + 14] & 0xFE) << n;
        EXPECT_EQ(img[rec + 13], before[rec + 13]) << n;
    }
    EXPECT_EQ(img[0x011C], 0xFF);  // the bytes after the last record are left alone
    EXPECT_EQ(img[0x011E], before[0x011E]);
}

TEST(WritePreparation, SameResultForTheSameModelAndImage) {
    ByteImage a;
    for (int i = 0; i < a.size(); ++i) a[i] = static_cast<uint8_t>(i * 7);
    ByteImage b = a;
    FunctionModel ma(3), mb(3);
    ma.InitOpt(a);
    mb.InitOpt(b);
    PrepareImageForWrite(ma, a);
    PrepareImageForWrite(mb, b);
    EXPECT_EQ(a, b);
    ByteImage again = a;
    PrepareImageForWrite(ma, again);
    EXPECT_EQ(again, a);  // preparing twice changes nothing more

    // A page that was never shown is loaded from the image first: same result.
    ByteImage c;
    for (int i = 0; i < c.size(); ++i) c[i] = static_cast<uint8_t>(i * 7);
    FunctionModel fresh(3);
    PrepareImageForWrite(fresh, c);
    EXPECT_EQ(c, a);
}

}  // namespace
}  // namespace tarvos

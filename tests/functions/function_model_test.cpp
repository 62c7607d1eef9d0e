// The page model: loading in order, couplings, enabled states, the VOX lists, the texts.
#include "functions/function_model.h"

#include <gtest/gtest.h>

#include "functions/volume.h"

namespace tarvos {
namespace {

struct ModelFixture : ::testing::Test {
    ByteImage img;
    RecordingSink sink;
    ErrorLog log{&sink};
    FunctionModel m{3, &log};
    void pick(const char* name, int p) { m.Pick(img, m.indexOf(name), p); }
    void check(const char* name, bool on) { m.SetChecked(img, m.indexOf(name), on); }
    void type(const char* name, std::string_view text) { m.SetText(img, m.indexOf(name), text); }
};

TEST_F(ModelFixture, EntriesAreBuiltFromFaceTextInEachLanguage) {
    m.InitOpt(img);
    struct Case {
        const char* control;
        size_t count;
        const char* first;
        const char* last;
    };
    const Case english[] = {
        {"cboTot", 19, "Off", "270s"},
        {"cboPreTot", 11, "Off", "10s"},
        {"cboPwrOnTone", 8, "Off", "Tone-7"},
        {"cboAlarmCh", 17, "Selected CH", "Fixed CH: 16"},
        {"cboRadioSql", 33, "0", "32"},
        {"cboSaveMode", 9, "1 - 2", "1 - 10"},
        {"cboTailDel", 8, "1--120 Degree", "8--Off"},
        {"cboLowBatAlarmTimer", 256, "Off", "510s"},
        {"listSk1Short", 18, "1--Off", "19--Adjust Vox Level"},
        {"listSk1Long", 19, "1--Off", "19--Adjust Vox Level"},
        {"cboSk1LongTime", 256, "0.00s", "12.75s"},
        {"cboVoxDly", 6, "0.3s", "3.0s"},
        {"cboVoxCmpDat(1)", 181, "0", "180"},
        {"cboScanRxDly", 251, "0s", "250s"},
        {"cboPreCarTime", 256, "0", "5100"},
        {"cboCodeContiTime", 243, "80", "2500"},
        {"cboStunGrpCode", 7, "Off", "#"},
        {"cboAutoRstTimer", 256, "Off", "255s"},
        {"cboDtmfCallAlarm", 256, "Off", "Glint2540s"},
        {"cboDtmf2ToneVol", 256, "0", "255"},
        {"cboRadioId(5)", 10, "Off", "9"},
        {"cboSaveChNo", 16, "1", "16"},
    };
    for (const auto& c : english) {
        const auto& e = m.state(c.control).entries;
        ASSERT_EQ(e.size(), c.count) << c.control;
        EXPECT_EQ(e.front(), c.first) << c.control;
        EXPECT_EQ(e.back(), c.last) << c.control;
    }
    EXPECT_EQ(m.state("listSk1Short").entries[9], "11--Channel Lock");
    EXPECT_EQ(m.state("listSk1Long").entries[9], "10--Squelch Off Momentary");
    EXPECT_EQ(m.state("listSk1Long").entries[15], "16--Emergency Alarm    ");
    EXPECT_EQ(m.state("cboDtmfCallAlarm").entries[1], "Continuous");
    EXPECT_EQ(m.state("cboDtmfCallAlarm").entries[2], "Glint10s");

    FunctionModel chs(1);
    chs.InitOpt(img);
    EXPECT_EQ(chs.state("cboTot").entries[2], "30秒");
    EXPECT_EQ(chs.state("cboTailDel").entries[4], "5--120度+频率");
    EXPECT_EQ(chs.state("cboAlarmCh").entries[1], "指定信道 1");
    EXPECT_EQ(FunctionModel(7).language(), 3);
}

TEST_F(ModelFixture, DigitDurationPickAlsoSetsTheInterval) {
    m.InitOpt(img);
    pick("cboCodeContiTime", 12);
    EXPECT_EQ(img[0x03DA], 19);
    EXPECT_EQ(img[0x03DB], 19);
    EXPECT_EQ(m.state("cboCodeSpaceTime").selected, 12);
    pick("cboCodeSpaceTime", 30);  // the other way round there is no coupling
    EXPECT_EQ(img[0x03DA], 19);
    EXPECT_EQ(img[0x03DB], 37);
}

TEST_F(ModelFixture, DifferentDurationAndIntervalLoadAsStoredEveryTime) {
    img[0x03DA] = 20;
    img[0x03DB] = 40;
    for (int pass = 0; pass < 2; ++pass) {
        m.InitOpt(img);
        EXPECT_EQ(m.state("cboCodeContiTime").selected, 13);
        EXPECT_EQ(m.state("cboCodeSpaceTime").selected, 33);
        EXPECT_EQ(img[0x03DA], 20);
        EXPECT_EQ(img[0x03DB], 40);
    }
}

TEST_F(ModelFixture, TxEndToneCarriesTheMonitorToneWithIt) {
    img[0x036D] = 0x00;  // end tone off
    img[0x0367] = 0x10;  // monitor end tone on
    m.InitOpt(img);
    EXPECT_FALSE(m.state("chkTxEndTone").checked);
    EXPECT_TRUE(m.state("chkMoniTxEndTone").checked);  // loaded from its own bit
    EXPECT_FALSE(m.enabled("chkMoniTxEndTone"));

    check("chkTxEndTone", true);
    EXPECT_TRUE(m.state("chkMoniTxEndTone").checked);
    EXPECT_TRUE(m.enabled("chkMoniTxEndTone"));
    check("chkTxEndTone", false);
    EXPECT_FALSE(m.state("chkMoniTxEndTone").checked);
    EXPECT_EQ(img[0x0367] & 0x10, 0);
    EXPECT_FALSE(m.enabled("chkMoniTxEndTone"));
}

TEST_F(ModelFixture, DependentControlsFollowTheirController) {
    m.InitOpt(img);
    struct Dep {
        const char* controller;
        int off;  // entry (or 0/1 check state) that disables
        int on;
        std::vector<const char*> dependents;
    };
    const Dep deps[] = {
        {"cboTailDel", 7, 2, {"chkNoCdEncRxFreTail", "chkNoCdEncTxFreTail"}},
        {"cboLowBatAlarmTimer", 0, 1, {"cboLowPwrToneSort", "chkLowBatAn", "chkLowBatTone"}},
        {"cboScanPriChSort", 2, 1, {"cboPriCh"}},
        {"chkBatSave", 0, 1, {"cboSaveMode"}},
    };
    for (const auto& d : deps) {
        bool isCheck = d.controller[0] == 'c' && d.controller[1] == 'h';
        for (int value : {d.off, d.on}) {
            ByteImage before = img;
            if (isCheck)
                check(d.controller, value != 0);
            else
                pick(d.controller, value);
            for (const char* dep : d.dependents)
                EXPECT_EQ(m.enabled(dep), value == d.on)
                    << d.controller << " " << value << " " << dep;
        }
    }
    pick("cboTailDel", 7);
    EXPECT_EQ(img[0x036B], 0x00);
    // A disabled control keeps its stored value.
    img[0x036A] = 0x0C;
    m.InitOpt(img);
    EXPECT_FALSE(m.enabled("chkNoCdEncRxFreTail"));
    EXPECT_TRUE(m.state("chkNoCdEncRxFreTail").checked);
    EXPECT_EQ(img[0x036A], 0x0C);

    type("txtDtmfCloseCode", "12");
    EXPECT_FALSE(m.enabled("cboDtmfCloseSort"));
    type("txtDtmfCloseCode", "123");
    EXPECT_TRUE(m.enabled("cboDtmfCloseSort"));
    EXPECT_TRUE(m.enabled("cboTot"));  // no dependency at all
}

TEST_F(ModelFixture, VoxListsTakeTheDefaultWhenTheMarkerIsMissing) {
    img[0x019E] = 0;
    img[0x0194] = 3;
    m.InitOpt(img);
    const uint8_t expected[10] = {170, 155, 140, 125, 110, 95, 80, 65, 50, 35};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(img[0x0194 + k], expected[k]);
    EXPECT_EQ(img[0x019E], 90);
    EXPECT_EQ(m.state("cboVoxCmpDat(1)").selected, 170);
    EXPECT_EQ(m.state("cboVoxCmpDat(1)").tooltip, "2200mv");

    // With the marker, each list loads its byte, above 180 becoming 180.
    img[0x0194] = 60;
    img[0x019D] = 200;
    m.InitOpt(img);
    EXPECT_EQ(m.state("cboVoxCmpDat(1)").selected, 60);
    EXPECT_EQ(img[0x019D], 180);
    EXPECT_EQ(m.state("cboVoxCmpDat(10)").tooltip, "2329mv");

    // After an open or a read an implausible first value brings the defaults back.
    img[0x0194] = 19;
    m.SoftDisplay(img);
    EXPECT_EQ(img[0x0194], 170);
    img[0x0194] = 20;
    m.SoftDisplay(img);
    EXPECT_EQ(img[0x0194], 20);
}

TEST_F(ModelFixture, CodeBoxesFilterAndEncode) {
    m.InitOpt(img);
    type("txtPttBot", "12ab*#x");
    EXPECT_EQ(m.state("txtPttBot").text, "12AB*#");
    const uint8_t bot[6] = {0x31, 0x32, 0x41, 0x42, 0x2A, 0x23};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(img[0x0140 + i], i < 6 ? bot[i] : 0xFF) << i;

    type("txtDtmfIdCode", "A1");
    EXPECT_EQ(m.state("txtDtmfIdCode").text, "1");
    EXPECT_EQ(img[0x0120], 0x31);
    for (int i = 1; i < 10; ++i) EXPECT_EQ(img[0x0120 + i], 0xFF);
    EXPECT_EQ(img[0x012A], 0x00);  // past the field

    img[0x01E8] = 0x77;
    img[0x01F7] = 0x66;
    type("txtDtmfCloseCode", "0123456789");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(img[0x01E0 + i], 0x30 + i);
    EXPECT_EQ(img[0x01F8], 0x38);
    EXPECT_EQ(img[0x01F9], 0x39);
    EXPECT_EQ(img[0x01E8], 0x77);
    EXPECT_EQ(img[0x01F7], 0x66);

    // A box accepts no more than its field: nothing is written past it.
    img[0x0160] = 0x5A;
    type("txtPttEot", "12345678901234567890");
    EXPECT_EQ(m.state("txtPttEot").text, "1234567890123456");
    EXPECT_EQ(img[0x0160], 0x5A);
    type("txtDtmfCloseCode", "123456789012");
    EXPECT_EQ(m.state("txtDtmfCloseCode").text, "1234567890");
    EXPECT_EQ(img[0x01FA], 0x00);
}

TEST_F(ModelFixture, CodeBoxesLoadAndDropWhatCannotBeTyped) {
    m.InitOpt(img);
    type("txtPttBot", "999");
    // ID field 31 32 FF…: two digits whatever the boxes loaded before showed.
    img[0x0120] = 0x31;
    img[0x0121] = 0x32;
    for (int i = 2; i < 10; ++i) img[0x0120 + i] = 0xFF;
    // E and F decode but are no code characters: loading rewrites the field without them.
    img[0x0150] = 0x31;
    img[0x0151] = 0x45;
    img[0x0152] = 0x46;
    img[0x0153] = 0x32;
    for (int i = 4; i < 16; ++i) img[0x0150 + i] = 0x00;
    m.InitOpt(img);
    EXPECT_EQ(m.state("txtDtmfIdCode").text, "12");
    EXPECT_EQ(m.state("txtPttEot").text, "12");
    EXPECT_EQ(img[0x0150], 0x31);
    EXPECT_EQ(img[0x0151], 0x32);
    for (int i = 2; i < 16; ++i) EXPECT_EQ(img[0x0150 + i], 0xFF);
}

TEST_F(ModelFixture, MessageLines) {
    m.InitOpt(img);
    type("txtInfo(1)", "AB");
    EXPECT_EQ(img[0x0300], 'A');
    EXPECT_EQ(img[0x0302], 'B');
    for (int i = 4; i < 32; ++i) EXPECT_EQ(img[0x0300 + i], 0);
    EXPECT_EQ(m.state("txtInfo(1)").text, "AB");

    type("txtInfo(2)", "中\"x  ");  // the double quote is outside the radio's set
    EXPECT_EQ(img[0x0320], 1045 & 0xFF);
    EXPECT_EQ(img[0x0321], 1045 >> 8);
    EXPECT_EQ(img[0x0322], 0x8E);
    EXPECT_EQ(img[0x0323], 0x55);
    EXPECT_EQ(m.state("txtInfo(2)").text, "中x");

    // Cut to 16 characters; the next line is not touched.
    type("txtInfo(1)", "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(m.state("txtInfo(1)").text, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(img[0x0320], 1045 & 0xFF);

    // Loading a line with no characters in it: shown empty, stored as spaces.
    for (int i = 0; i < 32; ++i) img[0x0300 + i] = 0xFF;
    m.InitOpt(img);
    EXPECT_EQ(m.state("txtInfo(1)").text, "");
    for (int i = 0; i < 32; ++i) EXPECT_EQ(img[0x0300 + i], 0);
}

TEST_F(ModelFixture, TextsReachingTheEncoderLongerThanTheFieldAreCut) {
    m.InitOpt(img);
    type("txtAutoMem(7)", std::string(40, '1'));
    EXPECT_EQ(m.state("txtAutoMem(7)").text.size(), 16u);
    EXPECT_EQ(img[0x0280], 0x00);  // the two-tone table right after it
}

TEST_F(ModelFixture, ObserversSeeEveryChange) {
    std::vector<int> seen;
    m.setObserver([&](int index) { seen.push_back(index); });
    m.InitOpt(img);
    uint64_t r = m.revision();
    pick("cboTot", 3);
    EXPECT_GT(m.revision(), r);
    EXPECT_EQ(seen.back(), m.indexOf("cboTot"));
}

TEST_F(ModelFixture, LoadFailuresAreLoggedAndStopTheLoad) {
    ByteImage small(0x0200);  // too small for the option bytes at 0x0368
    m.InitOpt(small);
    ASSERT_EQ(sink.locations(), std::vector<std::string>{"frmChMem->InitOpt:"});
    EXPECT_EQ(m.state("cboAnVoice").selected, 0);  // loaded before the failure
    EXPECT_EQ(m.state("cboSql").selected, -1);     // not reached
}

}  // namespace
}  // namespace tarvos

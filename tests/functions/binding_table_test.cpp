// The binding table against the image: every entry's code loads back as itself, write-backs
// touch only their own bits, load rules replace what they reject by the right default.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "functions/bindings.h"
#include "functions/function_model.h"

namespace tarvos {
namespace {

// An image whose bytes all differ from their neighbours, so a stray write shows.
ByteImage PatternImage(uint8_t seed) {
    ByteImage image;
    for (int i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(seed + 37 * i);
    return image;
}

// A model loaded from img (the marker makes the VOX lists load from their bytes).
FunctionModel Loaded(ByteImage& img) {
    img[kVoxCmpMarkerAddr] = kVoxCmpMarker;
    FunctionModel m(3);
    m.InitOpt(img);
    return m;
}

TEST(BindingTable, NamesAreUniqueAndFieldsLieInTheRadioMemory) {
    std::set<std::string> names;
    for (const auto& b : FunctionBindings()) {
        EXPECT_TRUE(names.insert(b.name).second) << b.name;
        EXPECT_TRUE(b.field.valid()) << b.name;
        if (b.textRule == TextRule::Code) {
            EXPECT_TRUE(b.codeField.valid()) << b.name;
        }
        for (const auto& d : b.enables) EXPECT_GE(FindBinding(d), 0) << d;
    }
    EXPECT_EQ(FindBinding("cboNoSuchThing"), -1);
}

TEST(BindingTable, RowsAreInLoadOrder) {
    const std::vector<std::string> milestones = {
        "cboTot",          "cboLowPwrToneSort",  "chkAnBatVolt",     "cboSaveChNo",
        "chkLowBatPwrOff", "listSk1Short",       "cboSk2LongTime",   "cboVoxFunc",
        "cboVoxCmpDat(1)", "cboVoxCmpDat(10)",   "cboScanPriChSort", "chkSwiChExitScan",
        "cboPreCarTime",   "cboDtmfCloseSort",   "txtPttBot",        "txtAutoMem(7)",
        "cboTtPreCarTime", "vsfgGridTwoTone(1)", "txtInfo(1)",       "txtInfo(2)",
        "cboRadioId(0)",   "cboRadioId(5)",      "chkAnRadioId"};
    int last = -1;
    for (const auto& name : milestones) {
        int i = FindBinding(name);
        EXPECT_GT(i, last) << name;
        last = i;
    }
    EXPECT_EQ(last, static_cast<int>(FunctionBindings().size()) - 1);
}

// Every entry of every list: pick it, load the image into a fresh model, see the same entry
// and the same byte.
TEST(BindingTable, EveryListEntryRoundTripsThroughItsLoadRule) {
    const auto& table = FunctionBindings();
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        if (table[i].kind != ControlKind::List) continue;
        ByteImage img = PatternImage(0x11);
        FunctionModel writer = Loaded(img);
        int count = static_cast<int>(writer.state(i).entries.size());
        ASSERT_GT(count, 0) << table[i].name;
        FunctionModel reader(3);
        for (int p = 0; p < count; ++p) {
            writer.Pick(img, i, p);
            ByteImage before = img;
            reader.LoadControl(img, i);
            EXPECT_EQ(reader.state(i).selected, p) << table[i].name << " entry " << p;
            EXPECT_EQ(img, before) << table[i].name << " entry " << p << " was normalised";
        }
    }
}

// A write-back changes only the bits of its own field.
TEST(BindingTable, WriteBacksChangeOnlyTheirOwnBits) {
    const auto& table = FunctionBindings();
    for (uint8_t seed : {uint8_t{0x00}, uint8_t{0xFF}, uint8_t{0x5A}}) {
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            const Binding& b = table[i];
            if (b.kind != ControlKind::List && b.kind != ControlKind::Check) continue;
            ByteImage img = PatternImage(seed);
            FunctionModel m = Loaded(img);
            int count =
                b.kind == ControlKind::List ? static_cast<int>(m.state(i).entries.size()) : 2;
            for (int p = 0; p < count; ++p) {
                ByteImage before = img;
                m.SetByCode(img, b.name, p);  // couplings are tested on their own
                for (int a = 0; a < img.size(); ++a) {
                    uint8_t changed = img[a] ^ before[a];
                    uint8_t allowed = a == b.field.addr ? b.field.mask() : 0;
                    EXPECT_EQ(changed & ~allowed, 0)
                        << b.name << " entry " << p << " touched 0x" << std::hex << a;
                }
            }
        }
    }
}

struct LoadCase {
    const char* control;
    int addr;
    uint8_t stored;
    int entry;      // shown after loading
    uint8_t after;  // the byte after loading
};

// Names each case by what it loads (cboTot_200), so the test names stay the same from build to
// build instead of showing the case's raw bytes.
std::string LoadCaseName(const ::testing::TestParamInfo<LoadCase>& info) {
    return std::string(info.param.control) + "_" + std::to_string(info.param.stored) + "_" +
           std::to_string(info.index);
}

class LoadRules : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, ShowsTheEntryAndNormalisesTheByte) {
    const LoadCase& c = GetParam();
    ByteImage img;
    img[c.addr] = c.stored;
    FunctionModel m(3);
    m.LoadControl(img, m.indexOf(c.control));
    EXPECT_EQ(m.state(c.control).selected, c.entry);
    EXPECT_EQ(img[c.addr], c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadRules,
    ::testing::Values(
        LoadCase{"cboTot", 0x0130, 200, 4, 4}, LoadCase{"cboTot", 0x0130, 18, 18, 18},
        LoadCase{"cboTot", 0x0130, 19, 4, 4}, LoadCase{"cboPreTot", 0x0131, 11, 0, 0},
        LoadCase{"cboAnVoice", 0x012F, 3, 0, 0}, LoadCase{"cboSql", 0x0134, 10, 5, 5},
        LoadCase{"cboRadioSql", 0x036E, 0xFF, 19, 153},
        LoadCase{"cboRadioSql", 0x036E, 133, 19, 153},
        LoadCase{"cboRadioSql", 0x036E, 166, 32, 166},
        LoadCase{"cboRadioVolume", 0x036F, 159, 15, 175},
        LoadCase{"cboRadioVolume", 0x036F, 160, 0, 160},
        LoadCase{"cboSaveMode", 0x0369, 170, 8, 165}, LoadCase{"cboSaveMode", 0x0369, 141, 8, 165},
        LoadCase{"cboSaveMode", 0x0369, 142, 0, 144}, LoadCase{"cboSaveMode", 0x0369, 147, 2, 149},
        LoadCase{"cboSaveMode", 0x0369, 156, 5, 157}, LoadCase{"cboSaveMode", 0x0369, 163, 8, 165},
        LoadCase{"cboTailDel", 0x036B, 0x80, 4, 0x10},
        LoadCase{"cboTailDel", 0x036B, 0x00, 7, 0x00},
        LoadCase{"cboTailDel", 0x036B, 0x0C, 2, 0x04},
        LoadCase{"cboTailDel", 0x036B, 0xC0, 6, 0x40},
        LoadCase{"cboTwoWayVolumeLevel", 0x03E6, 11, 10, 10},
        LoadCase{"listSk1Short", 0x0360, 9, 0, 0}, LoadCase{"listSk1Short", 0x0360, 10, 9, 10},
        LoadCase{"listSk1Short", 0x0360, 18, 17, 18}, LoadCase{"listSk1Short", 0x0360, 19, 0, 0},
        LoadCase{"listSk1Long", 0x0361, 9, 9, 9}, LoadCase{"listSk2Long", 0x0363, 0x1D, 0, 0},
        LoadCase{"cboVoxLevel", 0x013A, 11, 0, 0}, LoadCase{"cboVoxDly", 0x013B, 6, 3, 3},
        LoadCase{"cboScanPriChSort", 0x0160, 3, 0, 0}, LoadCase{"cboPriCh", 0x0161, 17, 0, 0},
        LoadCase{"cboScanTxMode", 0x0164, 4, 0, 0}, LoadCase{"cboScanRxDly", 0x0165, 251, 3, 3},
        LoadCase{"cboScanTxDly", 0x0167, 250, 250, 250},
        LoadCase{"cboCodeContiTime", 0x03DA, 6, 3, 10},
        LoadCase{"cboCodeContiTime", 0x03DA, 7, 0, 7},
        LoadCase{"cboCodeContiTime", 0x03DA, 249, 242, 249},
        LoadCase{"cboCodeContiTime", 0x03DA, 250, 43, 50},
        LoadCase{"cboCodeSpaceTime", 0x03DB, 0, 3, 10},
        LoadCase{"cboCodeSpaceTime", 0x03DB, 243, 236, 243},
        LoadCase{"cboStunGrpCode", 0x03DD, 0x2A, 5, 0x2A},
        LoadCase{"cboStunGrpCode", 0x03DD, 0x45, 0, 0},
        LoadCase{"cboDtmfGrpCode", 0x0116, 0x23, 6, 0x23},
        LoadCase{"cboDtmfCloseSort", 0x01FA, 0x03, 1, 0x01},
        LoadCase{"cboDtmfCloseSort", 0x01FA, 0xFE, 0, 0x00},
        LoadCase{"cboDtmf2ToneVol", 0x03E0, 227, 159, 227},
        LoadCase{"cboDtmf2ToneVol", 0x03E0, 255, 255, 255}),
    LoadCaseName);

struct BitCase {
    const char* control;
    int addr;
    int bit;
};

// Check boxes: set bit = checked, inverted rows the other way round; loading writes nothing.
TEST(BindingTable, CheckBoxesFollowTheirBit) {
    const BitCase cases[] = {
        {"chkAnBatVolt", 0x036D, 6},
        {"chkPwrOnAnBatVolt", 0x036A, 0},
        {"chkNoCdEncTxFreTail", 0x036A, 2},
        {"chkNoCdEncRxFreTail", 0x036A, 3},
        {"chkBatSave", 0x0135, 0},
        {"chkLowBatTx", 0x036D, 1},
        {"chkBeep", 0x0136, 0},
        {"chkJumpFreFunc", 0x03FD, 6},
        {"chkTxEndTone", 0x036D, 0},
        {"chkMoniTxEndTone", 0x0367, 4},
        {"chkLowBatAn", 0x036C, 5},
        {"chkLowBatTone", 0x036C, 6},
        {"chkLowTxPwrRgLig", 0x036C, 7},
        {"chkRedGreenLig", 0x036D, 3},
        {"chkAnPwrOn", 0x036D, 4},
        {"chkSwiLampTone", 0x0367, 7},
        {"chkHighBatPwrOff", 0x0367, 2},
        {"chkLowBatPwrOff", 0x0367, 3},
        {"chkAnVoxOnOff", 0x036C, 3},
        {"chkNoMicEnableVox", 0x036A, 7},
        {"chkScanStartHint", 0x036C, 0},
        {"chkExitScanHint", 0x036C, 1},
        {"chkAnScanOnOff", 0x036C, 2},
        {"chkScanLig", 0x036C, 4},
        {"chkCh16Scan", 0x036D, 5},
        {"chkSwiChExitScan", 0x036A, 6},
        {"chkDtmfMoni", 0x0115, 0},
        {"chkNoRespPttIdNoPause", 0x036A, 5},
        {"chkDtmfCallAlarmTone", 0x036A, 4},
        {"chkTtBeep", 0x03DF, 0},
        {"chkAnRadioId", 0x036A, 1},
    };
    FunctionModel m(3);
    for (const auto& c : cases) {
        for (bool set : {false, true}) {
            ByteImage img;
            img[c.addr] = static_cast<uint8_t>(set ? (1u << c.bit) : 0xFF & ~(1u << c.bit));
            uint8_t stored = img[c.addr];
            m.LoadControl(img, m.indexOf(c.control));
            EXPECT_EQ(m.state(c.control).checked, set) << c.control;
            EXPECT_EQ(img[c.addr], stored) << c.control;
        }
    }
    // Inverted rows: unchecking sets the bit.
    ByteImage img;
    m.SetChecked(img, m.indexOf("chkAlarmSwitch"), false);
    m.SetChecked(img, m.indexOf("chkRadioFuncEnable"), false);
    EXPECT_EQ(img[0x036D], 0x04);
    EXPECT_EQ(img[0x0367], 0x20);
    m.LoadControl(img, m.indexOf("chkAlarmSwitch"));
    EXPECT_FALSE(m.state("chkAlarmSwitch").checked);
    img[0x036D] = 0;
    m.LoadControl(img, m.indexOf("chkAlarmSwitch"));
    EXPECT_TRUE(m.alarmSwitchChecked());
}

TEST(BindingTable, SpecialEncodings) {
    ByteImage img;
    FunctionModel m(3);
    m.InitOpt(img);
    img.fill(0);
    auto pick = [&](const char* name, int p) { m.Pick(img, m.indexOf(name), p); };

    pick("listSk1Short", 9);  // "11--Channel Lock"
    EXPECT_EQ(img[0x0360], 10);
    pick("listSk2Short", 8);
    EXPECT_EQ(img[0x0362], 8);

    img[0x03EA] = 0x05;
    pick("cboRadioId(3)", 0);  // Off: high nibble 0xC, low nibble kept
    EXPECT_EQ(img[0x03EA], 0xC5);
    pick("cboRadioId(2)", 9);
    EXPECT_EQ(img[0x03EA], 0xC9);

    img[0x03E3] = 0xF0;
    pick("cboAlarmCh", 16);  // channel 16: bits 0-3 = 0xF, bit 4 cleared, bits 5-7 kept
    EXPECT_EQ(img[0x03E3], 0xEF);
    m.LoadControl(img, m.indexOf("cboAlarmCh"));
    EXPECT_EQ(m.state("cboAlarmCh").selected, 16);
    img[0x03E3] = 0x03;
    pick("cboAlarmCh", 0);  // selected channel: bit 4 set, bits 0-3 kept
    EXPECT_EQ(img[0x03E3], 0x13);

    pick("cboTailDel", 7);
    EXPECT_EQ(img[0x036B], 0x00);
    pick("cboTailDel", 2);
    EXPECT_EQ(img[0x036B], 0x04);

    pick("cboDtmf2ToneVol", 0);
    EXPECT_EQ(img[0x03E0], 0);
    pick("cboDtmf2ToneVol", 200);
    EXPECT_EQ(img[0x03E0], 110);
    pick("cboDtmf2ToneVol", 255);
    EXPECT_EQ(img[0x03E0], 255);

    pick("cboStunGrpCode", 4);
    EXPECT_EQ(img[0x03DD], 0x44);
    pick("cboDtmfGrpCode", 0);
    EXPECT_EQ(img[0x0116], 0x00);

    pick("cboRadioSql", 0);
    EXPECT_EQ(img[0x036E], 134);
    pick("cboRadioVolume", 15);
    EXPECT_EQ(img[0x036F], 175);
    pick("cboCodeSpaceTime", 242);
    EXPECT_EQ(img[0x03DB], 249);

    pick("cboPwrOnTone", 7);
    pick("cboSaveChNo", 15);
    EXPECT_EQ(img[0x0368], 0xF7);

    EXPECT_THROW(pick("cboTot", 19), Failure);
    EXPECT_THROW(pick("listSk1Short", 18), Failure);
    EXPECT_THROW(m.Pick(img, m.indexOf("chkBeep"), 0), Failure);
}

}  // namespace
}  // namespace tarvos

// The general settings of the binding table: the general lists, the check boxes with the
// saved channel number and the power-off boxes, and the side keys.

#include <cstdio>

#include "functions/binding_groups.h"
#include "functions/binding_rows.h"
#include "functions/function_model.h"
#include "functions/row_encodings.h"

namespace tarvos::table {

namespace {
Entries TotEntries(const FaceTextTable& ft) {
    return Prepend(ft[260], Scaled(1, 18, 15, 0, ft[261]));
}
Entries PreTotEntries(const FaceTextTable& ft) {
    return Prepend(ft[262], Scaled(1, 10, 1, 0, ft[261]));
}
Entries AnVoiceEntries(const FaceTextTable& ft) {
    return Texts(ft, 263, 265);
}
Entries PwrOnToneEntries(const FaceTextTable& ft) {
    Entries e{ft[266]};
    for (int i = 1; i <= 7; ++i) e.push_back(ft[267] + Num(i));
    return e;
}
Entries Digits0To9(const FaceTextTable&) {
    return Range(0, 9);
}
Entries AlarmChEntries(const FaceTextTable& ft) {
    Entries e{ft[385]};
    for (int i = 1; i <= 16; ++i) e.push_back(ft[386] + " " + Num(i));
    return e;
}
Entries Range0To32(const FaceTextTable&) {
    return Range(0, 32);
}
Entries Range0To15(const FaceTextTable&) {
    return Range(0, 15);
}
Entries SaveModeEntries(const FaceTextTable& ft) {
    return Texts(ft, 276, 284);
}
Entries TailDelEntries(const FaceTextTable& ft) {
    return Texts(ft, 285, 292);
}
Entries AlarmSortEntries(const FaceTextTable& ft) {
    return Texts(ft, 331, 332);
}
Entries LowBatAlarmTimerEntries(const FaceTextTable& ft) {
    return Prepend(ft[293], Scaled(1, 255, 2, 0, ft[294]));
}
Entries LowPwrToneSortEntries(const FaceTextTable& ft) {
    return Texts(ft, 347, 348);
}
Entries Range1To16(const FaceTextTable&) {
    return Range(1, 16);
}
// The short-press lists leave out "10--Squelch Off Momentary" (FaceText 420).
Entries SideKeyShortEntries(const FaceTextTable& ft) {
    Entries e = Texts(ft, 411, 419);
    for (int i = 421; i <= 429; ++i) e.push_back(ft[i]);
    return e;
}
Entries SideKeyLongEntries(const FaceTextTable& ft) {
    return Texts(ft, 411, 429);
}
Entries HoldTimeEntries(const FaceTextTable& ft) {  // p × 0.05 s with two decimals
    Entries e;
    for (int p = 0; p <= 255; ++p) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d.%02d", p * 5 / 100, p * 5 % 100);
        e.push_back(buf + ft[395]);
    }
    return e;
}
}  // namespace

void AddGeneralRows(std::vector<Binding>& t) {
    using namespace rows;
    auto add = [&t](Binding b) { t.push_back(std::move(b)); };

    // 1. General lists.
    add(List("cboTot", kFraOptionSet, "lblTot", 213, Byte(0x0130), TotEntries, Below(19, 4)));
    add(List("cboPreTot", kFraMoreFunc, "lblPreTot", 214, Byte(0x0131), PreTotEntries,
             Below(11, 0)));
    add(List("cboAnVoice", kFraOptionSet, "lblAnVoice", 215, Byte(0x012F), AnVoiceEntries,
             Below(3, 0)));
    add(List("cboPwrOnTone", kFraOptionSet, "lblPwrOnTone", 216, Bits(0x0368, 0, 2),
             PwrOnToneEntries));
    add(List("cboSql", kFraOptionSet, "lblSql", 217, Byte(0x0134), Digits0To9, Below(10, 5)));
    add(Special(
        List("cboAlarmCh", kFraMoreFunc, "lblAlarmCh", 384, Bits(0x03E3, 0, 4), AlarmChEntries),
        EncodeAlarmCh, DecodeAlarmCh));
    add(List("cboRadioSql", kFraMoreFunc, "lblRadioSql", 218, Byte(0x036E), Range0To32,
             Outside(134, 166, 153), 134));
    add(List("cboRadioVolume", kFraMoreFunc, "lblRadioVolume", 219, Byte(0x036F), Range0To15,
             Outside(160, 175, 175), 160));
    add(Special(List("cboSaveMode", kFraMoreFunc, "lblSaveMode", 220, Byte(0x0369), SaveModeEntries,
                     Outside(142, 170, 170)),
                EncodeSaveMode, DecodeSaveMode));
    add(Enables(
        Special(List("cboTailDel", kTabDtmf, "lblTailDel", 221, Byte(0x036B), TailDelEntries),
                EncodeTailDel, DecodeTailDel),
        {"chkNoCdEncRxFreTail", "chkNoCdEncTxFreTail"},
        [](const ControlState& s) { return s.selected != 7; }));
    add(List("cboAlarmSort", kFraMoreFunc, "lblAlarmSort", 330, Bit(0x0367, 1), AlarmSortEntries));
    add(List("cboTwoWayVolumeLevel", kFraMoreFunc, "lblTwoWayVolumeLevel", 333, Byte(0x03E6),
             OffThen1To10, Below(11, 10)));
    add(Enables(List("cboLowBatAlarmTimer", kFraBattery, "lblLowBatAlarmTimer", 272, Byte(0x0364),
                     LowBatAlarmTimerEntries),
                {"cboLowPwrToneSort", "chkLowBatAn", "chkLowBatTone"},
                [](const ControlState& s) { return s.selected != 0; }));
    add(List("cboLowPwrToneSort", kFraMoreFunc, "lblLowPwrToneSort", 346, Bit(0x036D, 7),
             LowPwrToneSortEntries));

    // 2. Check boxes, the saved channel number, the power-off boxes.
    add(Check("chkAnBatVolt", kFraBattery, 349, Bit(0x036D, 6)));
    add(Check("chkPwrOnAnBatVolt", kFraMoreFunc, 351, Bit(0x036A, 0)));
    add(Check("chkNoCdEncTxFreTail", kFraMoreFunc, 355, Bit(0x036A, 2)));
    add(Check("chkNoCdEncRxFreTail", kFraMoreFunc, 361, Bit(0x036A, 3)));
    add(Enables(Check("chkBatSave", kFraMoreFunc, 223, Bit(0x0135, 0)), {"cboSaveMode"},
                [](const ControlState& s) { return s.checked; }));
    add(Check("chkLowBatTx", kFraMoreFunc, 224, Bit(0x036D, 1)));
    add(Check("chkBeep", kFraOptionSet, 225, Bit(0x0136, 0)));
    add(Check("chkJumpFreFunc", kFraOptionSet, 173, Bit(0x03FD, 6)));
    add(Check("chkAlarmSwitch", kFraOptionSet, 404, Bit(0x036D, 2), true));
    add(Coupled(Enables(Check("chkTxEndTone", kFraMoreFunc, 222, Bit(0x036D, 0)),
                        {"chkMoniTxEndTone"}, [](const ControlState& s) { return s.checked; }),
                CoupleTxEndTone));
    add(Check("chkMoniTxEndTone", kFraMoreFunc, 326, Bit(0x0367, 4)));
    add(Check("chkRadioFuncEnable", kFraMoreFunc, 327, Bit(0x0367, 5), true));
    add(Check("chkLowBatAn", kFraMoreFunc, 273, Bit(0x036C, 5)));
    add(Check("chkLowBatTone", kFraMoreFunc, 274, Bit(0x036C, 6)));
    add(Check("chkLowTxPwrRgLig", kFraBattery, 275, Bit(0x036C, 7)));
    add(Check("chkRedGreenLig", kFraMoreFunc, 341, Bit(0x036D, 3)));
    add(Check("chkAnPwrOn", kFraOptionSet, 342, Bit(0x036D, 4)));
    add(Check("chkSwiLampTone", kFraMoreFunc, 408, Bit(0x0367, 7)));
    add(Fixed(
        List("cboSaveChNo", kFraMoreFunc, "lblSaveChNo", 407, Bits(0x0368, 4, 7), Range1To16)));
    add(Check("chkHighBatPwrOff", kFraMoreFunc, 398, Bit(0x0367, 2)));
    add(Check("chkLowBatPwrOff", kTabDtmf, 399, Bit(0x0367, 3)));

    // 3. Side keys.
    add(Special(List("listSk1Short", kFraKeyAssign, "lblKeySk1Short", 227, Byte(0x0360),
                     SideKeyShortEntries),
                EncodeSideKeyShort, DecodeSideKeyShort));
    add(List("listSk1Long", kFraKeyAssign, "lblKeySk1Long", 228, Byte(0x0361), SideKeyLongEntries,
             Below(19, 0)));
    add(Special(List("listSk2Short", kFraKeyAssign, "lblKeySk2Short", 229, Byte(0x0362),
                     SideKeyShortEntries),
                EncodeSideKeyShort, DecodeSideKeyShort));
    add(List("listSk2Long", kFraKeyAssign, "lblKeySk2Long", 230, Byte(0x0363), SideKeyLongEntries,
             Below(19, 0)));
    add(List("cboSk1LongTime", kFraKeyAssign, "lblSk1LongTime", 393, Byte(0x0365),
             HoldTimeEntries));
    add(List("cboSk2LongTime", kFraKeyAssign, "lblSk2LongTime", 394, Byte(0x0366),
             HoldTimeEntries));
}

}  // namespace tarvos::table

#include "functions/bindings.h"

#include <cmath>
#include <cstdio>

#include "functions/function_model.h"
#include "functions/two_tone.h"
#include "functions/volume.h"

namespace tarvos {

// ---------------------------------------------------------------------------------------
// Entries. «x» is the decimal text of x; a unit text follows where the page shows one.

namespace {
using Entries = std::vector<std::string>;
std::string Num(int x) {
    return std::to_string(x);
}

Entries Range(int from, int to) {  // "from" .. "to"
    Entries e;
    for (int i = from; i <= to; ++i) e.push_back(Num(i));
    return e;
}
Entries Texts(const FaceTextTable& ft, int first, int last) {
    Entries e;
    for (int i = first; i <= last; ++i) e.push_back(ft[i]);
    return e;
}
Entries Prepend(std::string first, Entries rest) {
    rest.insert(rest.begin(), std::move(first));
    return rest;
}
// «scale·i + add» + unit for i = from..to.
Entries Scaled(int from, int to, int scale, int add, const std::string& unit) {
    Entries e;
    for (int i = from; i <= to; ++i) e.push_back(Num(scale * i + add) + unit);
    return e;
}

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
Entries OffThen1To10(const FaceTextTable& ft) {
    return Prepend(ft[295], Range(1, 10));
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
Entries VoxFuncEntries(const FaceTextTable& ft) {
    return Texts(ft, 446, 447);
}
Entries VoxDlyEntries(const FaceTextTable& ft) {
    return Texts(ft, 296, 301);
}
Entries VoxRxForbidEntries(const FaceTextTable& ft) {
    return Texts(ft, 302, 303);
}
Entries Range0To180(const FaceTextTable&) {
    return Range(0, 180);
}
Entries ScanPriChSortEntries(const FaceTextTable& ft) {
    return Texts(ft, 304, 306);
}
Entries PriChEntries(const FaceTextTable& ft) {
    return Prepend(ft[307], Range(1, 16));
}
Entries ScanTxModeEntries(const FaceTextTable& ft) {
    return Texts(ft, 308, 311);
}
Entries ScanDlyEntries(const FaceTextTable& ft) {
    return Scaled(0, 250, 1, 0, ft[312]);
}
Entries Ms20Entries(const FaceTextTable&) {
    return Scaled(0, 255, 20, 0, "");
}
Entries DigitTimeEntries(const FaceTextTable&) {
    return Scaled(0, 242, 10, 80, "");
}
Entries GroupCodeEntries(const FaceTextTable& ft) {
    return Texts(ft, 313, 319);
}
Entries PttIdPauseTimeEntries(const FaceTextTable& ft) {
    return Scaled(0, 255, 1, 0, ft[294]);
}
Entries AutoRstTimerEntries(const FaceTextTable& ft) {
    return Prepend(ft[295], Scaled(1, 255, 1, 0, ft[294]));
}
Entries CallAlarmEntries(const FaceTextTable& ft) {
    Entries e{ft[320], ft[366]};
    for (int i = 2; i <= 255; ++i) e.push_back(ft[321] + Num(10 * i - 10) + ft[322]);
    return e;
}
Entries StunSortEntries(const FaceTextTable& ft) {
    return Texts(ft, 323, 324);
}
Entries Range0To255(const FaceTextTable&) {
    return Range(0, 255);
}
Entries RadioIdEntries(const FaceTextTable& ft) {
    return Prepend(ft[353], Range(1, 9));
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Encodings of the special rows.

namespace rows {

// Short presses offer no code 9 (a momentary function needs a held key): entries 9..17
// are codes 10..18.
void EncodeSideKeyShort(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, p <= 8 ? p : p + 1);
}
int DecodeSideKeyShort(const ByteImage& image, const Binding& row) {
    int code = static_cast<int>(Get(image, row.field));
    if (code <= 8) return code;
    if (code >= 10 && code <= 18) return code - 1;
    return 0;
}

// Bits 0-4 of 0x03E3: bit 4 set means "the selected channel", else bits 0-3 name channel
// 1..16; bits 5-7 belong to something else and are kept.
void EncodeAlarmCh(ByteImage& image, const Binding& row, int p) {
    unsigned v = Get(image, row.field);
    v = p == 0 ? (v | 0x10) : static_cast<unsigned>(p - 1);
    Set(image, row.field, v);
}
int DecodeAlarmCh(const ByteImage& image, const Binding& row) {
    unsigned v = Get(image, row.field);
    return (v & 0x10) ? 0 : static_cast<int>(v & 0x0F) + 1;
}

// One bit per mode; the byte holds a single set bit, or none for "Off". A byte with only
// bit 7 set is shown as "120 + Freq".
void EncodeTailDel(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, p < 7 ? (1u << p) : 0u);
}
int DecodeTailDel(const ByteImage& image, const Binding& row) {
    unsigned v = Get(image, row.field);
    for (int bit = 0; bit <= 6; ++bit)
        if (v & (1u << bit)) return bit;
    return (v & 0x80) ? 4 : 7;
}

namespace {
constexpr int kSaveModeCodes[9] = {144, 146, 149, 152, 155, 157, 159, 162, 165};
constexpr int kSaveModeUpper[9] = {144, 146, 149, 152, 155, 157, 159, 162, 170};
constexpr int kGroupCodes[7] = {0x00, 0x41, 0x42, 0x43, 0x44, 0x2A, 0x23};
}  // namespace

void EncodeSaveMode(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, static_cast<unsigned>(kSaveModeCodes[p]));
}
int DecodeSaveMode(const ByteImage& image, const Binding& row) {
    int code = static_cast<int>(Get(image, row.field));
    for (int p = 0; p < 9; ++p)
        if (code <= kSaveModeUpper[p]) return p;
    return 8;
}

// A nibble per identity digit; "Off" is stored as 0xC.
void EncodeRadioId(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, p == 0 ? 0xCu : static_cast<unsigned>(p));
}
int DecodeRadioId(const ByteImage& image, const Binding& row) {
    unsigned v = Get(image, row.field);
    return (v == 0 || v >= 10) ? 0 : static_cast<int>(v);
}

// The ASCII code of the shown character, 0 for "Off".
void EncodeGroupCode(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, static_cast<unsigned>(kGroupCodes[p]));
}
int DecodeGroupCode(const ByteImage& image, const Binding& row) {
    int code = static_cast<int>(Get(image, row.field));
    for (int p = 0; p < 7; ++p)
        if (kGroupCodes[p] == code) return p;
    return 0;
}

// Loudness steps through VoiceSeq, as the volume dialog's sequence mode.
void EncodeToneVolume(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, VoiceSeq()[p]);
}
int DecodeToneVolume(const ByteImage& image, const Binding& row) {
    return VolumeDatToSeq(static_cast<int>(Get(image, row.field)));
}

// The stun type writes the whole byte but is read from bit 0.
int DecodeStunSort(const ByteImage& image, const Binding& row) {
    return static_cast<int>(Get(image, row.field) & 1u);
}

}  // namespace rows

std::string VoxCmpTooltip(int code) {
    return std::to_string(std::lround(code * 3300.0 / 255.0)) + "mv";
}

std::string VoxLevelCaption(const FaceTextTable& ft, int k) {
    return Num(k + 1) + ft[402];
}

// Couplings, run after a user's change (defined with the model, which they change).
void CoupleTxEndTone(FunctionModel& model, ByteImage& image, const Binding& row);
void CoupleCodeContiTime(FunctionModel& model, ByteImage& image, const Binding& row);

// ---------------------------------------------------------------------------------------
// The table.

namespace {
constexpr const char* kFraOptionSet = "fraOptionSet";
constexpr const char* kFraMoreFunc = "fraMoreFunc";
constexpr const char* kFraKeyAssign = "fraKeyAssign";
constexpr const char* kTabDtmf = "sstabMoreFunc(DTMF)";
constexpr const char* kFraDtmfEnc = "fraDtmfEnc";
constexpr const char* kFraDtmfDec = "fraDtmfDec";
constexpr const char* kFraStun = "fraStun";
constexpr const char* kFraAutoDialList = "fraAutoDialList";
constexpr const char* kFraTwoTone = "fraTwoTone";
constexpr const char* kFraVox = "fraVox";
constexpr const char* kFraScan = "fraScan";
constexpr const char* kFraBattery = "fraBattery";
constexpr const char* kFraEmbedMsg = "fraEmbedMsg";

// "codes ≥ limit → def"
LoadRule Below(int limit, int def) {
    return LoadRule{0, limit - 1, -1, def};
}
// "codes below low or above high → def"
LoadRule Outside(int low, int high, int def) {
    return LoadRule{low, high, def, def};
}

Binding List(std::string name, const char* frame, std::string label, int caption, Field field,
             EntriesFn entries, LoadRule rule = {}, int offset = 0) {
    Binding b;
    b.name = std::move(name);
    b.kind = ControlKind::List;
    b.frame = frame;
    b.captionLabel = std::move(label);
    b.caption = caption;
    b.field = field;
    b.entries = entries;
    b.rule = rule;
    b.offset = offset;
    return b;
}

Binding Check(std::string name, const char* frame, int caption, Field field,
              bool inverted = false) {
    Binding b;
    b.name = std::move(name);
    b.kind = ControlKind::Check;
    b.frame = frame;
    b.caption = caption;
    b.field = field;
    b.inverted = inverted;
    return b;
}

Binding CodeText(std::string name, const char* frame, std::string label, int caption,
                 const CodeField& field, std::string tooltip) {
    Binding b;
    b.name = std::move(name);
    b.kind = ControlKind::Text;
    b.frame = frame;
    b.captionLabel = std::move(label);
    b.caption = caption;
    b.field = Byte(field.base);
    b.textRule = TextRule::Code;
    b.codeField = field;
    b.maxLength = field.length;
    b.tooltip = std::move(tooltip);
    return b;
}

Binding Special(Binding b, EncodeFn encode, DecodeFn decode) {
    b.encode = encode;
    b.decode = decode;
    return b;
}

Binding Enables(Binding b, std::vector<std::string> dependents, EnablesFn when) {
    b.enables = std::move(dependents);
    b.enablesWhen = when;
    return b;
}

Binding Coupled(Binding b, CouplingFn coupling) {
    b.coupling = coupling;
    return b;
}

Binding Fixed(Binding b) {
    b.fixedEntries = true;
    return b;
}

std::vector<Binding> BuildTable() {
    using namespace rows;
    std::vector<Binding> t;
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

    // 4. VOX.
    add(List("cboVoxFunc", kTabDtmf, "lblVoxFunc", 448, Bit(0x0139, 0), VoxFuncEntries));
    add(List("cboVoxLevel", kTabDtmf, "lblVoxLevel", 231, Byte(0x013A), OffThen1To10,
             Below(11, 0)));
    add(List("cboVoxDly", kTabDtmf, "lblVoxDly", 232, Byte(0x013B), VoxDlyEntries, Below(6, 3)));
    add(List("cboVoxRxForbid", kFraMoreFunc, "lblVoxRxForbid", 233, Bit(0x0138, 0),
             VoxRxForbidEntries));
    add(Check("chkAnVoxOnOff", kFraMoreFunc, 234, Bit(0x036C, 3)));
    add(Check("chkNoMicEnableVox", kFraMoreFunc, 397, Bit(0x036A, 7)));
    for (int k = 1; k <= 10; ++k) {
        Binding b =
            Fixed(List("cboVoxCmpDat(" + Num(k) + ")", kFraVox, "lblVoxCmpDat", 401,
                       Byte(static_cast<uint16_t>(0x0193 + k)), Range0To180, Below(181, 180)));
        b.voxIndex = k;
        add(std::move(b));
    }

    // 5. Scan.
    add(Enables(List("cboScanPriChSort", kFraScan, "lblScanPriChSort", 235, Byte(0x0160),
                     ScanPriChSortEntries, Below(3, 0)),
                {"cboPriCh"}, [](const ControlState& s) { return s.selected == 1; }));
    add(List("cboPriCh", kFraScan, "lblPriCh", 236, Byte(0x0161), PriChEntries, Below(17, 0)));
    add(List("cboScanTxMode", kFraScan, "lblScanTxMode", 237, Byte(0x0164), ScanTxModeEntries,
             Below(4, 0)));
    add(List("cboScanRxDly", kFraMoreFunc, "lblScanRxDly", 238, Byte(0x0165), ScanDlyEntries,
             Below(251, 3)));
    add(List("cboScanTxDly", kFraMoreFunc, "lblScanTxDly", 239, Byte(0x0167), ScanDlyEntries,
             Below(251, 3)));
    add(Check("chkScanStartHint", kFraMoreFunc, 240, Bit(0x036C, 0)));
    add(Check("chkExitScanHint", kFraMoreFunc, 241, Bit(0x036C, 1)));
    add(Check("chkAnScanOnOff", kFraMoreFunc, 242, Bit(0x036C, 2)));
    add(Check("chkScanLig", kFraScan, 243, Bit(0x036C, 4)));
    add(Check("chkCh16Scan", kTabDtmf, 343, Bit(0x036D, 5)));
    add(Check("chkSwiChExitScan", kFraMoreFunc, 396, Bit(0x036A, 6)));

    // 6. DTMF. The digit duration and interval lists write codes 7..249, and every one of
    // them loads back as itself: a code below 7 becomes 10 (150 ms), above 249 becomes 50
    // (510 ms).
    add(List("cboPreCarTime", kFraDtmfEnc, "lblPreCarTime", 245, Byte(0x03D9), Ms20Entries));
    add(Coupled(List("cboCodeContiTime", kFraDtmfEnc, "lblCodeContiTime", 246, Byte(0x03DA),
                     DigitTimeEntries, LoadRule{7, 249, 10, 50}, 7),
                CoupleCodeContiTime));
    add(List("cboCodeSpaceTime", kFraDtmfEnc, "lblCodeSpaceTime", 247, Byte(0x03DB),
             DigitTimeEntries, LoadRule{7, 249, 10, 50}, 7));
    add(Check("chkDtmfMoni", kFraDtmfEnc, 340, Bit(0x0115, 0)));
    add(Check("chkNoRespPttIdNoPause", kFraMoreFunc, 390, Bit(0x036A, 5)));
    add(Check("chkDtmfCallAlarmTone", kFraDtmfDec, 391, Bit(0x036A, 4)));
    add(Special(
        List("cboStunGrpCode", kFraStun, "lblStunGrpCode", 392, Byte(0x03DD), GroupCodeEntries),
        EncodeGroupCode, DecodeGroupCode));
    add(List("cboPttIdPauseTime", kFraMoreFunc, "lblPttIdPauseTime", 344, Byte(0x03DC),
             PttIdPauseTimeEntries));
    add(List("cboAutoRstTimer", kFraDtmfDec, "lblAutoRstTimer", 345, Byte(0x0117),
             AutoRstTimerEntries));
    add(Special(
        List("cboDtmfGrpCode", kFraDtmfDec, "lblDtmfGrpCode", 252, Byte(0x0116), GroupCodeEntries),
        EncodeGroupCode, DecodeGroupCode));
    add(List("cboDtmfCallAlarm", kFraDtmfDec, "lblDtmfCallAlarm", 253, Byte(0x0118),
             CallAlarmEntries));
    add(Special(
        List("cboDtmfCloseSort", kFraStun, "lblDtmfCloseSort", 256, Byte(0x01FA), StunSortEntries),
        nullptr, DecodeStunSort));
    add(CodeText("txtPttBot", kFraDtmfEnc, "lblPttBot", 248, kPttBotField, "0--9, A--D, *, #"));
    add(CodeText("txtPttEot", kFraDtmfEnc, "lblPttEot", 249, kPttEotField, "0--9, A--D, *, #"));
    add(CodeText("txtDtmfIdCode", kFraDtmfDec, "lblDtmfIdCode", 251, kDtmfIdCodeField, "0--9"));
    add(Enables(
        CodeText("txtDtmfCloseCode", kFraStun, "lblDtmfCloseCode", 255, kDtmfCloseCodeField, ""),
        {"cboDtmfCloseSort"}, [](const ControlState& s) { return s.text.size() > 2; }));
    for (int k = 0; k <= 7; ++k) {
        Binding b =
            CodeText("txtAutoMem(" + Num(k) + ")", kFraAutoDialList, "lblAutoMem(" + Num(k) + ")",
                     -1, AutoMemField(k), "0--9, A--D, *, #, ");
        b.fixedCaption = Num(k + 1);
        add(std::move(b));
    }

    // 7. Two-tone.
    add(List("cboTtPreCarTime", kFraTwoTone, "lblTtPreCarTime", 245, Byte(0x03E4), Ms20Entries));
    add(List("cboTtAutoRstTimer", kFraTwoTone, "lblTtAutoRstTimer", 345, Byte(0x03DE),
             AutoRstTimerEntries));
    add(Fixed(Special(
        List("cboDtmf2ToneVol", kFraMoreFunc, "lblDtmf2ToneVol", 409, Byte(0x03E0), Range0To255),
        EncodeToneVolume, DecodeToneVolume)));
    add(Check("chkTtBeep", kFraTwoTone, 340, Bit(0x03DF, 0)));
    for (int g = 0; g <= 1; ++g) {
        Binding b;
        b.name = "vsfgGridTwoTone(" + Num(g) + ")";
        b.kind = ControlKind::Grid;
        b.frame = kFraTwoTone;
        b.field = Byte(static_cast<uint16_t>(kTwoToneBase + 64 * g));
        b.grid = g;
        add(std::move(b));
    }

    // 8. Embedded message lines.
    for (int k = 1; k <= 2; ++k) {
        Binding b;
        b.name = "txtInfo(" + Num(k) + ")";
        b.kind = ControlKind::Text;
        b.frame = kFraEmbedMsg;
        b.captionLabel = k == 1 ? "lblInfo1" : "lblInfo2";
        b.caption = k == 1 ? 258 : -1;
        b.fixedCaption = k == 1 ? "" : "信息2";
        b.field = Byte(static_cast<uint16_t>(0x0300 + 32 * (k - 1)));
        b.textRule = TextRule::Message;
        b.messageLine = k;
        b.maxLength = 16;
        add(std::move(b));
    }

    // 9. Identity digits: a nibble each, low nibble for even k.
    for (int k = 0; k <= 5; ++k) {
        auto addr = static_cast<uint16_t>(0x03E9 + k / 2);
        Field nibble = k % 2 == 0 ? Bits(addr, 0, 3) : Bits(addr, 4, 7);
        add(Special(List("cboRadioId(" + Num(k) + ")", kFraMoreFunc, "lblRadioId", 352, nibble,
                         RadioIdEntries),
                    EncodeRadioId, DecodeRadioId));
    }
    add(Check("chkAnRadioId", kFraMoreFunc, 354, Bit(0x036A, 1)));
    return t;
}
}  // namespace

const std::vector<Binding>& FunctionBindings() {
    static const std::vector<Binding> table = BuildTable();
    return table;
}

int FindBinding(std::string_view name) {
    const auto& t = FunctionBindings();
    for (size_t i = 0; i < t.size(); ++i)
        if (t[i].name == name) return static_cast<int>(i);
    return -1;
}

}  // namespace tarvos

// The DTMF and two-tone rows of the binding table: encoder, decoder, stun and auto-dial
// codes, and the two-tone lists and grids, which share the DTMF timing lists.

#include "functions/binding_groups.h"
#include "functions/binding_rows.h"
#include "functions/function_model.h"
#include "functions/row_encodings.h"
#include "functions/two_tone.h"

namespace tarvos::table {

namespace {
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
}  // namespace

void AddDtmfRows(std::vector<Binding>& t) {
    using namespace rows;
    auto add = [&t](Binding b) { t.push_back(std::move(b)); };

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
}

}  // namespace tarvos::table

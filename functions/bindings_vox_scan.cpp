// The VOX and scan rows of the binding table, the ten VOX comparison lists among them.

#include "functions/binding_groups.h"
#include "functions/binding_rows.h"
#include "functions/function_model.h"

namespace tarvos::table {

namespace {
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
}  // namespace

void AddVoxScanRows(std::vector<Binding>& t) {
    auto add = [&t](Binding b) { t.push_back(std::move(b)); };

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
}

}  // namespace tarvos::table

#include "functions/write_prepare.h"

#include "memory/channel_codec.h"

namespace tarvos {

namespace {
// The forced settings, each set through its control's own handler.
struct ForcedValue {
    const char* control;
    int value;  // check boxes: 1 ticked, 0 unticked; lists: the entry
};
constexpr ForcedValue kForcedValues[] = {
    {"chkNoCdEncRxFreTail", 1}, {"chkNoCdEncTxFreTail", 1}, {"chkSwiLampTone", 1},
    {"chkAnVoxOnOff", 1},       {"chkRadioFuncEnable", 1},  {"chkNoMicEnableVox", 1},
    {"chkSwiChExitScan", 1},    {"chkScanStartHint", 1},    {"chkExitScanHint", 1},
    {"cboSaveChNo", 0},         {"cboLowPwrToneSort", 0},   {"cboPreTot", 0},
    {"cboPttIdPauseTime", 0},   {"cboRadioVolume", 0},      {"cboRadioVolume", 15},
    {"chkLowBatPwrOff", 0},     {"chkAnRadioId", 0},        {"chkNoRespPttIdNoPause", 0},
};

constexpr const char* kSideKeyLists[] = {"listSk1Short", "listSk1Long", "listSk2Short",
                                         "listSk2Long"};
constexpr uint8_t kForcedSideKeys[4] = {0x00, 0x09, 0x00, 0x1D};
}  // namespace

WriteParamBits PrepareImageForWrite(FunctionModel& model, ByteImage& image) {
    if (!model.loaded()) model.InitOpt(image);
    for (const char* list : kSideKeyLists) model.RerunListHandler(image, model.indexOf(list));
    for (int i = 0; i < 4; ++i) image.at(0x0360 + i) = kForcedSideKeys[i];
    image.at(0x0367) |= 0x01;
    for (const auto& f : kForcedValues) model.SetByCode(image, f.control, f.value);

    // Channel records 1..16: byte 12 keeps only bits 3, 4 and 7 (busy lockout and the unused
    // bit), byte 14 loses bit 0; that is, PTT ID and the 3-state options are sent cleared.
    for (int n = 1; n <= 16; ++n) {
        image.at(ChannelRecordAddr(n, 12)) &= 0x98;
        image.at(ChannelRecordAddr(n, 14)) &= 0xFE;
    }

    return ParamBitsOf(image);
}

}  // namespace tarvos

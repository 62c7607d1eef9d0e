#include "link/editor_state.h"

#include "functions/write_prepare.h"

namespace tarvos::link {

FunctionPageState FunctionPageOf(const FunctionModel& model) {
    FunctionPageState s;
    s.rdWrCodeVisible = model.rdWrCodeVisible();
    s.rdWrCodeText = model.rdWrCodeText();
    s.newRdWrCodeVisible = model.newRdWrCodeVisible();
    s.newRdWrCodeText = model.newRdWrCodeText();
    s.newRdWrCodeTicked = model.newRdWrCodeChecked();
    s.alarmSwitchTicked = model.alarmSwitchChecked();
    s.jumpFreFuncVisible = model.jumpFreFuncVisible();
    s.jumpFreFuncTicked = model.jumpFreFuncChecked();
    s.NewCodeBuf = model.newCodeBuf();
    return s;
}

void PrepareEditorsForWrite(ChannelCodec& codec, FunctionModel& model, ByteImage& image) {
    codec.ChInfoToIicDat();
    PrepareImageForWrite(model, image);
}

}  // namespace tarvos::link

#include "document/link_host.h"

namespace tarvos {

link::FunctionPageState FunctionPageOf(const FunctionModel& model) {
    link::FunctionPageState s;
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

link::FunctionPageState DocumentLinkHost::functionPage() {
    return FunctionPageOf(document_.functions());
}

WriteParamBits DocumentLinkHost::prepareImageForWrite(ByteImage&) {
    // The link writes from the document's own image.
    return document_.PrepareWrite();
}

void DocumentLinkHost::softDisplay() {
    document_.TakeReadResult();
}

int DocumentLinkHost::bandLow(const ByteImage&) {
    return document_.bandLow();
}

int DocumentLinkHost::bandHigh(const ByteImage&) {
    return document_.bandHigh();
}

}  // namespace tarvos

#pragma once
// How a transfer talks to the rest of the application.
//
// TransferObserver receives what the communication window shows: progress, the status text,
// the log, the stop box, the echo-mode box, message boxes. The window and tarvos-cli each
// render it; tests record it. Every method has an empty default.
//
// TransferHost supplies what a transfer needs from the editors: the function page's code and
// switch boxes, the preparation of the image before a write, and the redisplay after a read.

#include <array>
#include <cstdint>
#include <string>

#include "link/comm_log.h"
#include "memory/image.h"
#include "memory/read_back.h"

namespace tarvos::link {

enum class Direction { Read = 1, Write = 2 };

enum class Outcome {
    Done,     // the transfer ran to its end
    Failed,   // a step or a frame failed for good, or the radio is not supported
    Stopped,  // the user ticked the stop box after the fifth failure
    NoPort,   // no port answered the handshake
    Refused,  // the transfer ranges were refused before anything was sent
};

class TransferObserver {
  public:
    virtual ~TransferObserver() = default;
    virtual void progress(int /*percent*/) {}                   // prgCommunicate
    virtual void statusText(const std::string& /*text*/) {}     // lblComStatus
    virtual void logChanged(const CommLog& /*log*/) {}          // listRtData
    virtual void stopBox(bool /*visible*/, bool /*ticked*/) {}  // chkStopCom
    virtual void singleWire(bool /*on*/) {}                     // chkComRxMode
    virtual void comPort(int /*port*/) {}                       // status bar panel 2, "COMn"
    // A message box: FaceText number (0 for the link's own texts), text and title.
    virtual void messageBox(int /*faceText*/, const std::string& /*text*/,
                            const std::string& /*title*/) {}
    // A transfer started (the light blinks, its button is bold and disabled) or ended.
    virtual void running(Direction /*d*/, bool /*on*/) {}
    // The transfer is over; closeWindow: the window closes itself (always, except when no
    // port answered and the user had not asked to close).
    virtual void finished(Direction /*d*/, Outcome /*outcome*/, bool /*closeWindow*/) {}
};

// The function page's state that the link reads.
struct FunctionPageState {
    bool rdWrCodeVisible = false;     // txtRdWrCode visible: the model has a read/write code
    std::string rdWrCodeText;         // txtRdWrCode's text
    bool newRdWrCodeVisible = false;  // txtNewRdWrCode visible
    std::string newRdWrCodeText;      // txtNewRdWrCode's text
    bool newRdWrCodeTicked = false;   // chkNewRdWrCode
    bool alarmSwitchTicked = false;   // chkAlarmSwitch
    bool jumpFreFuncVisible = false;  // chkJumpFreFunc visible
    bool jumpFreFuncTicked = false;   // chkJumpFreFunc ticked
    // NewCodeBuf: the new code, laid out like 0x0380..0x038F (code at 5, 6, 7, 11, 12, 13).
    std::array<uint8_t, 16> NewCodeBuf{0, 0, 0, 0,    0,    0xFF, 0xFF, 0xFF,
                                       0, 0, 0, 0xFF, 0xFF, 0xFF, 0,    0};
};

class TransferHost {
  public:
    virtual ~TransferHost() = default;
    virtual FunctionPageState functionPage() { return {}; }
    // Before a write: encode the channel table into the image, then force the write values
    // of the side keys, option bytes and function controls. Returns the bits the parameter
    // frame takes from the prepared image.
    virtual WriteParamBits prepareImageForWrite(ByteImage& image) { return ParamBitsOf(image); }
    // After a successful read: every editor redisplays from the image.
    virtual void softDisplay() {}
    // BandLow and BandHigh in 10 Hz units; by default taken from the image's band bytes.
    virtual int bandLow(const ByteImage& image);
    virtual int bandHigh(const ByteImage& image);
    // chkShowMemDat ticked: refresh the memory view after a read and before a write.
    virtual bool showMemDat() { return false; }
    virtual void tableFreDat() {}
};

}  // namespace tarvos::link

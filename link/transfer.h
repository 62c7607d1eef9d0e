#pragma once
// The read and write transfers of the communication window, without the window: find the
// port, run the step list with the retry policy, move data between the image and VaDat, and
// for a write add the hand-built frames for the model, the band and the parameter areas.
//
// A read fills a staged copy of the image and commits it only when the whole list has
// succeeded, so a failed or stopped read leaves IicDat exactly as it was.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/interpreter.h"
#include "link/observer.h"
#include "link/port_layer.h"
#include "link/step_lists.h"
#include "memory/image.h"
#include "shell/error_log.h"
#include "shell/face_text.h"

namespace tarvos::link {

// FaceText numbers the transfers use.
namespace text {
inline constexpr int Unsupported = 69;
inline constexpr int Notice = 70;
inline constexpr int CommFailed = 79;
inline constexpr int CodeError = 97;
inline constexpr int Reading = 164;
inline constexpr int ReadOk = 165;
inline constexpr int ReadFailed = 166;
inline constexpr int Writing = 168;
}  // namespace text

inline constexpr int kFrameAttempts = 16;
inline constexpr int kMaxRetries = 20;
inline constexpr int kRetryStop = 255;  // the reason is shown already; stop without retrying
inline const std::array<uint8_t, 7> kClosingFrame{0x45, 0x5A, 0xA5, 0x32, 0x23, 0x45, 0xF2};

class Transfer {
  public:
    Transfer(PortLayer& ports, Interpreter& interp, StepLists& lists, SerialPort& port,
             Waiter& waiter, ErrorLog& errors, ByteImage& image, TransferHost& host,
             const FaceTextTable& text);

    Outcome Read();   // cmdRead_Click
    Outcome Write();  // cmdWrite_Click

    // The window's close request: refused while a transfer runs, and ticks the stop box.
    // Returns true when the window may close.
    bool requestClose();
    // The user clicked the stop box.
    void setStopTicked(bool ticked);

    // The reply analysis as the interpreter runs it: an unsupported radio is told so and the
    // transfer stops without retrying.
    bool AnalyseReply();

    TransferObserver* observer = nullptr;

    // Every write the radio acknowledged during the last Write(), in order: the block steps,
    // the 0x75 writes and the hand-built frames. A verification reads these areas back.
    struct WrittenArea {
        int addr;
        std::vector<uint8_t> bytes;
    };
    std::vector<WrittenArea> written;

    int StepNo = 1;
    int RetryNum = 0;
    int ComFormClosing = 0;
    std::array<uint8_t, 48> RadioPara{};
    bool stopVisible = false;
    bool stopTicked = false;
    // The last message box shown (FaceText number, 0 when none) and the status text.
    int lastMessage = 0;
    std::string lastStatus;

  private:
    struct Frame {
        std::vector<uint8_t> bytes;
        int replyLength;
        uint8_t ok;
    };
    bool begin(Direction d, Outcome& outcome);
    bool RunList(Direction d, ByteImage& target, std::vector<bool>* touched);
    bool exchange(const Frame& frame, std::vector<uint8_t>* reply = nullptr,
                  const std::string& logEachAttempt = {});
    bool codeAreaFrames();
    void noteWritten(const std::vector<uint8_t>& frame);
    // The hand-built frames after the block writes, then the closing frame; false when one
    // failed (the caller tells the user).
    bool writeFrames(bool paramBit7, bool paramBit2);
    // What a read and a write share: one transfer at a time, the start (begin), the run of
    // body (which returns whether it succeeded) under the guard of location `where`, the
    // clean-up after a failure inside it, and the outcome told to the observer.
    template <class Body>
    Outcome run(Direction d, const char* where, Body body) {
        if (running_) return Outcome::Failed;  // a second start while one runs is ignored
        running_ = true;
        Outcome outcome = Outcome::Failed;
        bool started = false;
        const bool ran = Guard(errors_, where, [&] {
            if (!begin(d, outcome)) return;
            started = true;
            ports_.ComBusy = -1;
            const bool ok = body();
            outcome = ok ? Outcome::Done : (stopped_ ? Outcome::Stopped : Outcome::Failed);
        });
        if (!ran) {
            if (started) cleanUp();
            if (observer) observer->running(d, false);
            outcome = Outcome::Failed;
        }
        running_ = false;
        if (observer)
            observer->finished(d, outcome, outcome != Outcome::NoPort || ComFormClosing == -1);
        return outcome;
    }
    void cleanUp();
    void ShowComPercent(int percent);
    void status(const std::string& s);
    void message(int faceText);
    void showStopBox(bool visible, bool ticked);
    void logLine(const std::string& s) { interp_.logLine(s); }

    PortLayer& ports_;
    Interpreter& interp_;
    StepLists& lists_;
    SerialPort& port_;
    Waiter& waiter_;
    ErrorLog& errors_;
    ByteImage& image_;
    TransferHost& host_;
    const FaceTextTable& text_;
    bool running_ = false;
    bool stopped_ = false;
};

// Model and band frame bytes for the band limits (10 Hz units): four BCD digits of 100 kHz.
std::array<uint8_t, 2> BandBcd(int limit10Hz);

}  // namespace tarvos::link

#pragma once
// The read and write transfers of the communication window, without the window: find the
// port, run the step list with the retry policy, move data between the image and VaDat, and
// for a write add the hand-built frames for the model, the band and the parameter areas.
//
// A read fills a staged copy of the image and commits it only when the whole list has
// succeeded (and, checked, when its reads agree), so a failed or stopped read leaves IicDat
// exactly as it was.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/face_text.h"
#include "link/checked_read.h"
#include "link/frames.h"
#include "link/interpreter.h"
#include "link/observer.h"
#include "link/port_layer.h"
#include "link/step_lists.h"
#include "link/stop_point.h"
#include "memory/image.h"
#include "memory/read_back.h"

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

// The retry counter of a transfer (RetryNum): failures so far, and whether the reason has
// been shown already and the transfer stops without retrying (an unsupported radio).
struct RetryState {
    int failures = 0;
    bool stopAtOnce = false;
};

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
    // Ends the running transfer after the frame in progress, whatever its retry count (the
    // stop box only ends one that keeps failing); asked before a transfer starts, that one
    // ends before anything is sent. tarvos-cli's Ctrl-C. The outcome is Stopped, and
    // stopPoint() says how far it got.
    void stopNow() { stopNow_ = true; }
    const StopPoint& stopPoint() const { return stopPoint_; }

    // Check each read: read the range twice, a third time when the two differ, and take only
    // bytes two reads agree on (see checked_read.h). Off unless set.
    void setCheckEachRead(bool on) { checkEachRead_ = on; }
    bool checkEachRead() const { return checkEachRead_; }

    // The reply analysis as the interpreter runs it: an unsupported radio is told so and the
    // transfer stops without retrying.
    bool AnalyseReply();

    void setObserver(TransferObserver* observer) { observer_ = observer; }

    // Every write the radio acknowledged during the last Write(), in order: the block steps,
    // the 0x75 writes and the hand-built frames. A verification reads these areas back.
    const std::vector<WrittenArea>& written() const { return written_; }

    // The step of the list being run (StepNo), 1-based.
    int StepNo() const { return stepNo_; }
    const RetryState& retry() const { return retry_; }
    // The user asked to close the window (ComFormClosing).
    bool closeRequested() const { return closeRequested_; }
    // The radio's 0x03D0..0x03FF as the last write read them back.
    const RadioPara& radioPara() const { return radioPara_; }
    bool stopVisible() const { return stopVisible_; }
    bool stopTicked() const { return stopTicked_; }
    // The last message box shown (FaceText number, 0 when none) and the status text.
    int lastMessage() const { return lastMessage_; }
    const std::string& lastStatus() const { return lastStatus_; }

  private:
    bool begin(Direction d, Outcome& outcome);
    bool RunList(Direction d, ByteImage& target, std::vector<bool>* touched);
    // The second (and third) read of a checked read; settles `first` or tells why it cannot.
    bool checkRead(ReadPass& first);
    // Ends the transfer where it stands at a stopNow request.
    void halt(Direction d, bool blocksDone);
    bool exchange(const Frame& frame, std::vector<uint8_t>* reply = nullptr,
                  const std::string& logEachAttempt = {});
    bool codeAreaFrames();
    void noteWritten(const std::vector<uint8_t>& frame);
    // The hand-built frames after the block writes, then the closing frame; false when one
    // failed (the caller tells the user).
    bool writeFrames(WriteParamBits bits);
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
            ports_.setBusy(true);
            const bool ok = body();
            outcome = ok ? Outcome::Done : (stopped_ ? Outcome::Stopped : Outcome::Failed);
        });
        stopNow_ = false;
        if (!ran) {
            if (started) cleanUp();
            if (observer_) observer_->running(d, false);
            outcome = Outcome::Failed;
        }
        running_ = false;
        if (observer_)
            observer_->finished(d, outcome, outcome != Outcome::NoPort || closeRequested_);
        return outcome;
    }
    void cleanUp();
    void ShowComPercent(int percent);
    void status(const std::string& s);
    void message(int faceText);
    void message(const std::string& ownText);  // a text of the link's own
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
    TransferObserver* observer_ = nullptr;
    std::vector<WrittenArea> written_;
    int stepNo_ = 1;
    RetryState retry_;
    bool closeRequested_ = false;
    RadioPara radioPara_{};
    bool stopVisible_ = false;
    bool stopTicked_ = false;
    int lastMessage_ = 0;
    std::string lastStatus_;
    bool running_ = false;
    bool stopped_ = false;
    bool stopNow_ = false;
    bool checkEachRead_ = false;
    int doneEnd_ = -1;  // a write: the last address of the blocks written in order so far
    StopPoint stopPoint_;
};

}  // namespace tarvos::link

#pragma once
// What tarvos-cli read and write share: the port (a device path or COMn), the programming
// link over QtSerialPort with a sleeping waiter, progress on standard error, Ctrl-C and
// SIGTERM stopping the transfer after the frame in progress (see stop_signals.h), and the
// message the window would have shown when a transfer fails.

#include <memory>
#include <optional>
#include <string>

#include "base/error_log.h"
#include "base/face_text.h"
#include "cli/commands.h"
#include "link/link.h"
#include "link/qt/qt_serial_port.h"

namespace tarvos::cli {

// The options read and write have in common.
struct LinkOptions {
    std::string port;
    std::optional<std::string> code;
    std::optional<std::string> newCode;
    std::optional<int> start, end;
    std::string file;  // --out for read, --in for write
    bool verify = false;
    bool check = false;  // read: check each read
};

// Parses the arguments; false (after a message on standard error) on a usage error.
bool ParseLinkOptions(const Args& args, bool write, LinkOptions& options);

// Prints progress and status to standard error: a bar that redraws on a terminal, plain
// lines otherwise. Remembers the last message box for the final message.
class StderrProgress : public link::TransferObserver {
  public:
    explicit StderrProgress(const FaceTextTable& text);
    void progress(int percent) override;
    void statusText(const std::string& text) override;
    void messageBox(int faceText, const std::string& text, const std::string& title) override;
    void finished(link::Direction d, link::Outcome outcome, bool closeWindow) override;

    std::string lastMessage;

  private:
    const FaceTextTable& text_;
    bool tty_;
    int shown_ = -1;
    bool barOpen_ = false;
};

// Creates the QCoreApplication QtSerialPort needs when the program has none yet.
void EnsureCoreApplication();

class LinkSession {
  public:
    LinkSession(ByteImage& image, link::TransferHost& host);
    ~LinkSession();

    // Maps the port and tests it as start-up does; false with the reason when unusable.
    bool usePort(const std::string& port, std::string* error);
    link::Outcome run(link::Direction d);
    // usePort, then run, telling a failure on standard error: 0 when the transfer is done,
    // else the exit code (1; refusedExit for a range that cannot be transferred, which is
    // refused before the port is opened; 128 + the signal for a transfer a signal stopped).
    int transfer(link::Direction d, const std::string& port, int refusedExit);
    // Where the transfer range comes from when the command line did not give it, for the
    // refusal ("ReadStartAddr and ReadEndAddr in tarvosk.def").
    std::string rangeOrigin;
    // The message the window would show for the outcome, in English.
    std::string failureText(link::Outcome outcome) const;
    link::Link& link() { return link_; }

  private:
    static void CheckStopSignal(void* context);
    const ByteImage& image_;
    struct AppFirst {
        AppFirst() { EnsureCoreApplication(); }
    } appFirst_;
    StderrSink sink_;
    ErrorLog errors_{&sink_};
    FaceTextTable text_{kEnglish};
    link::QtSerialPorts ports_{link::PortMap()};
    link::SleepWaiter waiter_;
    link::Link link_;
    StderrProgress progress_{text_};
};

// A hexadecimal address argument; nullopt when it is not one.
std::optional<int> ParseAddress(const std::string& text);

}  // namespace tarvos::cli

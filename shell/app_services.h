#pragma once
// The application's link to the radio: the port layer and the transfers of the link core,
// the communication window and the port dialog that show them, and the demo radio. The
// main window and the channel window reach the radio only through this object.

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "link/verify.h"
#include "memory/image.h"

class QWidget;

namespace tarvos::link {
class Link;
class SerialPort;
class Waiter;
}  // namespace tarvos::link

namespace tarvos::ui {

struct AppContext;
struct FleetSetup;

class AppServices {
  public:
    // runCommWindow's result: kNoTransfer, or kWriteFlag / kSuccessFlag bits.
    static constexpr int kNoTransfer = -1;
    static constexpr int kWriteFlag = 1;
    static constexpr int kSuccessFlag = 2;

    // The serial ports and the waiter default to QtSerialPort and the event-processing
    // waiter; tests give the in-process virtual radio and its clock.
    explicit AppServices(AppContext& app, link::SerialPort* port = nullptr,
                         link::Waiter* waiter = nullptr);
    ~AppServices();

    // Start-up: read "COM", test that port and search for another when it does not open.
    // With the system's ports the test may come a moment later (see the definition).
    void startupPortChoice();
    // First run and the port search: the lowest port that opens becomes "COM".
    void autoSetPort();
    // Start-up: the transfer ranges and the step lists.
    void prepareLink();

    // Opens the communication window modally: mode 1 reads, 2 writes (each started at once),
    // 0 shows both buttons. Returns the last transfer's outcome.
    int runCommWindow(QWidget* parent, int mode);
    // After a successful write: reads the areas it wrote back through the communication
    // window, over the port and cable mode the write used, into an image of their own (the
    // document is not touched), and compares. nullopt when the read-back did not succeed.
    std::optional<link::VerifyResult> verifyLastWrite(QWidget* parent);
    // Reads the radio's first..last through the communication window into an image of its
    // own that starts as a copy of `start`, as a read does (the port searched, the code boxes
    // of the page): the document is not touched. nullopt when the read did not succeed.
    std::optional<ByteImage> readRadio(QWidget* parent, const ByteImage& start, int first,
                                       int last);
    // WriteStartAddr and WriteEndAddr in force.
    std::pair<int, int> writeRange() const;
    // The port dialog, modal.
    void runPortDialog(QWidget* parent);
    // What the Auto Read/Write window runs its lines on: the ports that stand for a device,
    // the transfer ranges in force, and for each line a QtSerialPort and a sleeping waiter of
    // its own on a Qt thread. Tests make their own lines with setFleetSetup.
    FleetSetup fleetSetup();
    void setFleetSetup(std::function<FleetSetup()> make);

    // The window the port dialog opens over when the search before a transfer fails.
    void setMainWindow(QWidget* window);
    // Status panel 2 follows a port found by the search before a transfer.
    void setComPortShown(std::function<void()> show);

    // The memory view's refresh, which a transfer runs when chkShowMemDat is ticked, and the
    // view's last address as the communication window's grid-size box has it now.
    void setMemoryViewRefresh(std::function<void()> refresh);
    int tableMaxAddr() const;

    // Demo: a virtual radio on a pseudo-terminal, mapped to the first free port number.
    bool startDemoRadio();

    struct Impl;

  private:
    void testStartupPort();
    void finishPortChoice();
    // Runs a read of a link of its own through the communication window; true when it
    // succeeded.
    bool runOwnRead(QWidget* parent, link::Link& read);
    AppContext& app_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tarvos::ui

#pragma once
// Ports: which of the sixteen ports is used, opening and closing it, testing which ports
// exist, the automatic choice at start-up and the "PROGRAM" handshake search before every
// transfer.

#include <array>
#include <functional>
#include <string>

#include "base/error_log.h"
#include "base/settings_file.h"
#include "link/interpreter.h"
#include "link/serial_port.h"

namespace tarvos::link {

// What the last test of a port found.
enum class PortStatus { Untested, Opened, Failed };

class PortLayer {
  public:
    PortLayer(SerialPort& port, Waiter& waiter, ErrorLog& errors, SettingsFile* settings);

    // The port chosen by the user or the search ("COM" in the settings), 1..16.
    int ComPort() const { return comPort_; }
    void setComPort(int port) { comPort_ = port; }
    // The last test of each port 1..16.
    PortStatus PortState(int port) const;
    void setPortState(int port, PortStatus state);
    // The port every serial call of the protocol uses; set only by OpenPortCom.
    int PortInUse() const { return portInUse_; }
    const int& portInUseRef() const { return portInUse_; }
    // No port answered the last search (PortFail).
    bool portFailed() const { return portFailed_; }
    // A search or a transfer runs (ComBusy); the communication window refuses to close.
    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }

    // Returns true when the port opened; a failure's reason is kept in PortReason.
    bool OpenPortCom(int port);
    void CloseCom();
    void VerdictCom(int port);
    void EnableCOM();
    void AutoSetPort();
    bool ProbePort(Interpreter& interp, int port, int tries);
    void OpenCom(Interpreter& interp);

    // Reads "COM" (default "1") into ComPort.
    void loadComPort();

    // Why a port could not be opened at its last test or opening ("" when it could).
    const std::string& PortReason(int port) const;
    // The reason for ComPort, or for the first port that failed, for the user.
    std::string failureReason() const;
    // chkStopCom has value 1: the search gives up before its next attempt.
    std::function<bool()> stopRequested;
    TransferObserver* observer = nullptr;
    // Shown after a run-time failure of the search (the port-selection dialog).
    std::function<void()> showPortDialog;

  private:
    void rememberReason(int port, bool opened);
    static size_t slot(int port);

    int comPort_ = 1;
    std::array<PortStatus, kPortCount + 1> portState_{};
    std::array<std::string, kPortCount + 1> portReason_;
    int portInUse_ = 0;
    bool portFailed_ = false;
    bool busy_ = false;

    SerialPort& port_;
    Waiter& waiter_;
    ErrorLog& errors_;
    SettingsFile* settings_;
};

}  // namespace tarvos::link

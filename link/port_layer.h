#pragma once
// Ports: which of the sixteen ports is used, opening and closing it, testing which ports
// exist, the automatic choice at start-up and the "PROGRAM" handshake search before every
// transfer.

#include <array>
#include <functional>
#include <string>

#include "link/interpreter.h"
#include "link/serial_port.h"
#include "shell/error_log.h"
#include "shell/settings_file.h"

namespace tarvos::link {

class PortLayer {
  public:
    PortLayer(SerialPort& port, Waiter& waiter, ErrorLog& errors, SettingsFile* settings);

    int ComPort = 1;                              // the port chosen; "COM" in the settings
    std::array<int, kPortCount + 1> PortState{};  // 1..16: 1 opened, -1 failed, 0 untested
    int PortInUse = 0;
    int ComBaud = kBaudCode9600;
    int PortFail = 0;  // -1 no port answered
    int ComBusy = 0;   // -1 while searching or transferring

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

    // Why each port could not be opened at its last test or opening ("" when it could).
    std::array<std::string, kPortCount + 1> PortReason;
    // The reason for ComPort, or for the first port that failed, for the user.
    std::string failureReason() const;
    // chkStopCom has value 1: the search gives up before its next attempt.
    std::function<bool()> stopRequested;
    TransferObserver* observer = nullptr;
    // Shown after a run-time failure of the search (the port-selection dialog).
    std::function<void()> showPortDialog;

  private:
    void rememberReason(int port, bool opened);

    SerialPort& port_;
    Waiter& waiter_;
    ErrorLog& errors_;
    SettingsFile* settings_;
};

}  // namespace tarvos::link

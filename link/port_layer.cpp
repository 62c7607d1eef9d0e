#include "link/port_layer.h"

#include <string>

namespace tarvos::link {

namespace {
const char kHandshake[] = "TX50524F4752414DRX06TX06RX06EN";
}

PortLayer::PortLayer(SerialPort& port, Waiter& waiter, ErrorLog& errors, SettingsFile* settings)
    : port_(port), waiter_(waiter), errors_(errors), settings_(settings) {}

void PortLayer::loadComPort() {
    if (!settings_) return;
    std::string text = settings_->read("Setting", "COM", "1", 10);
    try {
        int n = std::stoi(text);
        if (n >= 1 && n <= kPortCount) ComPort = n;
    } catch (const std::exception&) {
        // Not a number: ComPort keeps its value.
    }
}

void PortLayer::rememberReason(int port, bool opened) {
    if (port < 1 || port > kPortCount) return;
    PortReason[static_cast<size_t>(port)] = opened ? std::string() : port_.openFailureReason(port);
    if (!opened && PortReason[static_cast<size_t>(port)].empty())
        PortReason[static_cast<size_t>(port)] = "COM" + std::to_string(port) + " cannot be opened";
}

std::string PortLayer::failureReason() const {
    if (ComPort >= 1 && ComPort <= kPortCount && !PortReason[static_cast<size_t>(ComPort)].empty())
        return PortReason[static_cast<size_t>(ComPort)];
    for (int p = 1; p <= kPortCount; ++p)
        if (!PortReason[static_cast<size_t>(p)].empty()) return PortReason[static_cast<size_t>(p)];
    return {};
}

bool PortLayer::OpenPortCom(int port) {
    bool opened = false;
    Guard(errors_, "modCommun->OpenPortCom", [&] {
        PortInUse = port;
        ComBaud = kBaudCode9600;
        if (port_.open(port) == 0) {
            port_.ioctl(port, ComBaud, kMode8N2);
            opened = true;
        }
        rememberReason(port, opened);
    });
    return opened;
}

void PortLayer::CloseCom() {
    Guard(errors_, "modCommun->CloseCom", [&] { port_.close(PortInUse); });
}

void PortLayer::VerdictCom(int port) {
    if (port < 1 || port > kPortCount) return;
    try {
        if (port_.open(port) != 0) {
            PortState[static_cast<size_t>(port)] = -1;
            rememberReason(port, false);
        } else {
            PortState[static_cast<size_t>(port)] = 1;
            rememberReason(port, true);
            port_.close(port);
        }
    } catch (const std::exception&) {
        PortState[static_cast<size_t>(port)] = -1;
    }
}

void PortLayer::EnableCOM() {
    for (int p = 1; p <= kPortCount; ++p) VerdictCom(p);
}

void PortLayer::AutoSetPort() {
    Guard(errors_, "mdifrmMain->AutoSetPort", [&] {
        EnableCOM();
        for (int p = 1; p <= kPortCount; ++p) {
            if (PortState[static_cast<size_t>(p)] != 1) continue;
            if (settings_) settings_->write("Setting", "COM", std::to_string(p));
            ComPort = p;
            return;
        }
    });
}

bool PortLayer::ProbePort(Interpreter& interp, int port, int tries) {
    OpenPortCom(port);
    bool answered = false;
    for (int attempt = 0; attempt <= tries; ++attempt) {
        if (stopRequested && stopRequested()) {
            port_.close(PortInUse);
            return false;
        }
        waiter_.sleep(10);
        waiter_.DelayNms(10);
        answered = interp.Run(kHandshake);
        if (answered) break;
    }
    port_.close(PortInUse);
    return answered;
}

void PortLayer::OpenCom(Interpreter& interp) {
    PortFail = -1;
    ComBusy = -1;
    bool ok = Guard(errors_, "modCommun->OpenCom", [&] {
        if (ComPort >= 1 && ComPort <= kPortCount && PortState[static_cast<size_t>(ComPort)] == 1 &&
            ProbePort(interp, ComPort, 25)) {
            // The probe closed the port; reopen it for the transfer.
            if (OpenPortCom(ComPort)) PortFail = 0;
            return;
        }
        for (int p = 1; p <= kPortCount; ++p) {
            if (PortState[static_cast<size_t>(p)] != 1 || p == ComPort) continue;
            if (!ProbePort(interp, p, 4) || !OpenPortCom(p)) continue;
            PortFail = 0;
            ComPort = p;
            if (settings_) settings_->write("Setting", "COM", std::to_string(p));
            if (observer) observer->comPort(p);
            return;
        }
    });
    ComBusy = 0;
    if (!ok) {
        PortFail = -1;
        if (showPortDialog) showPortDialog();
    }
}

}  // namespace tarvos::link

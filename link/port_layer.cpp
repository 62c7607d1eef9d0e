#include "link/port_layer.h"

#include <string>

namespace tarvos::link {

namespace {
const char kHandshake[] = "TX50524F4752414DRX06TX06RX06EN";
}

PortLayer::PortLayer(SerialPort& port, Waiter& waiter, ErrorLog& errors, SettingsFile* settings)
    : port_(port), waiter_(waiter), errors_(errors), settings_(settings) {}

size_t PortLayer::slot(int port) {
    if (port < 1 || port > kPortCount)
        Raise(err::IndexOutOfRange, "no port " + std::to_string(port));
    return static_cast<size_t>(port);
}

PortStatus PortLayer::PortState(int port) const {
    return port < 1 || port > kPortCount ? PortStatus::Untested : portState_[slot(port)];
}

void PortLayer::setPortState(int port, PortStatus state) {
    portState_[slot(port)] = state;
}

const std::string& PortLayer::PortReason(int port) const {
    static const std::string none;
    return port < 1 || port > kPortCount ? none : portReason_[slot(port)];
}

void PortLayer::loadComPort() {
    if (!settings_) return;
    std::string text = settings_->read("Setting", "COM", "1", 10);
    try {
        int n = std::stoi(text);
        if (n >= 1 && n <= kPortCount) comPort_ = n;
    } catch (const std::exception&) {
        // Not a number: ComPort keeps its value.
    }
}

void PortLayer::rememberReason(int port, bool opened) {
    if (port < 1 || port > kPortCount) return;
    std::string& reason = portReason_[slot(port)];
    reason = opened ? std::string() : port_.openFailureReason(port);
    if (!opened && reason.empty()) reason = "COM" + std::to_string(port) + " cannot be opened";
}

std::string PortLayer::failureReason() const {
    if (!PortReason(comPort_).empty()) return PortReason(comPort_);
    for (int p = 1; p <= kPortCount; ++p)
        if (!PortReason(p).empty()) return PortReason(p);
    return {};
}

bool PortLayer::OpenPortCom(int port) {
    bool opened = false;
    Guard(errors_, "modCommun->OpenPortCom", [&] {
        portInUse_ = port;
        if (port_.open(port) == 0) {
            port_.ioctl(port, kBaudCode9600, kMode8N2);
            opened = true;
        }
        rememberReason(port, opened);
    });
    return opened;
}

void PortLayer::CloseCom() {
    Guard(errors_, "modCommun->CloseCom", [&] { port_.close(portInUse_); });
}

void PortLayer::VerdictCom(int port) {
    if (port < 1 || port > kPortCount) return;
    try {
        if (port_.open(port) != 0) {
            portState_[slot(port)] = PortStatus::Failed;
            rememberReason(port, false);
        } else {
            portState_[slot(port)] = PortStatus::Opened;
            rememberReason(port, true);
            port_.close(port);
        }
    } catch (const std::exception&) {
        portState_[slot(port)] = PortStatus::Failed;
    }
}

void PortLayer::EnableCOM() {
    for (int p = 1; p <= kPortCount; ++p) VerdictCom(p);
}

void PortLayer::AutoSetPort() {
    Guard(errors_, "mdifrmMain->AutoSetPort", [&] {
        EnableCOM();
        for (int p = 1; p <= kPortCount; ++p) {
            if (PortState(p) != PortStatus::Opened) continue;
            if (settings_) settings_->write("Setting", "COM", std::to_string(p));
            comPort_ = p;
            return;
        }
    });
}

bool PortLayer::ProbePort(Interpreter& interp, int port, int tries) {
    OpenPortCom(port);
    bool answered = false;
    for (int attempt = 0; attempt <= tries; ++attempt) {
        if (stopRequested && stopRequested()) {
            port_.close(portInUse_);
            return false;
        }
        waiter_.sleep(10);
        waiter_.DelayNms(10);
        answered = interp.Run(kHandshake);
        if (answered) break;
    }
    port_.close(portInUse_);
    return answered;
}

void PortLayer::OpenCom(Interpreter& interp) {
    portFailed_ = true;
    busy_ = true;
    bool ok = Guard(errors_, "modCommun->OpenCom", [&] {
        if (PortState(comPort_) == PortStatus::Opened && ProbePort(interp, comPort_, 25)) {
            // The probe closed the port; reopen it for the transfer.
            if (OpenPortCom(comPort_)) portFailed_ = false;
            return;
        }
        for (int p = 1; p <= kPortCount; ++p) {
            if (PortState(p) != PortStatus::Opened || p == comPort_) continue;
            if (!ProbePort(interp, p, 4) || !OpenPortCom(p)) continue;
            portFailed_ = false;
            comPort_ = p;
            if (settings_) settings_->write("Setting", "COM", std::to_string(p));
            if (observer) observer->comPort(p);
            return;
        }
    });
    busy_ = false;
    if (!ok) {
        portFailed_ = true;
        if (showPortDialog) showPortDialog();
    }
}

}  // namespace tarvos::link

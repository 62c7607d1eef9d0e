#pragma once
// The serial port through QtSerialPort: real ports and pseudo-terminals alike, numbered by a
// PortMap. Blocking calls, as the link expects; reads wait for data up to the time-out set.

#include <QSerialPort>
#include <array>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>

#include "link/qt/port_hints.h"
#include "link/qt/port_map.h"
#include "link/serial_port.h"

namespace tarvos::link {

class QtSerialPorts : public SerialPort {
  public:
    explicit QtSerialPorts(PortMap map) : map_(std::move(map)) {}
    // The map is made by `source` (the system's devices take some milliseconds to list, on
    // another thread): from startListing() on, or at the first use, which waits for it.
    using MapSource = std::function<std::future<PortMap>()>;
    explicit QtSerialPorts(MapSource source) : source_(std::move(source)) {}
    ~QtSerialPorts() override;

    void startListing() {
        if (!source_) return;
        pending_ = source_();
        source_ = nullptr;
    }
    PortMap& map() {
        startListing();
        if (pending_.valid()) map_ = pending_.get();
        return map_;
    }
    // True once map() no longer waits.
    bool mapReady() const {
        return !source_ && (!pending_.valid() || pending_.wait_for(std::chrono::seconds(0)) ==
                                                     std::future_status::ready);
    }

    int open(int port) override;
    void ioctl(int port, int baudCode, int mode) override;
    int setReadTimeouts(int port, int totalMs, int intervalMs) override;
    void flush(int port, int func) override;
    int write(int port, const uint8_t* data, int count) override;
    int read(int port, uint8_t* data, int count) override;
    void close(int port) override;
    std::string openFailureReason(int port) const override;
    // The language of the failure reasons (1 Simplified Chinese, 2 Traditional, 3 English).
    void setLanguage(int language) { language_ = language; }
    // Where the failure reasons look for their hints (sysfs and /proc; tests give a fake tree).
    void setSystemRoots(SystemRoots roots) { roots_ = std::move(roots); }

  private:
    QSerialPort* get(int port);
    PortMap map_;
    MapSource source_;
    std::future<PortMap> pending_;
    std::array<std::unique_ptr<QSerialPort>, kPortCount + 1> ports_;
    std::array<int, kPortCount + 1> timeoutMs_{};
    std::array<std::string, kPortCount + 1> reasons_;
    int language_ = 3;
    SystemRoots roots_;
};

// Words a user can act on for a device that did not open, in the interface language; with
// roots, followed by the likely cause the system shows (port_hints.h).
std::string OpenFailureText(const std::string& device, QSerialPort::SerialPortError error,
                            int language = 3, const SystemRoots* roots = nullptr);

}  // namespace tarvos::link

#pragma once
// The virtual radio as a serial port, in-process, on a virtual clock: reads take exactly as
// long as the line and the time-outs say, without any real waiting.

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/virtual_clock.h"
#include "sim/radio_line.h"

namespace tarvos::sim {

class SimSerialPorts : public link::SerialPort {
  public:
    explicit SimSerialPorts(link::VirtualClock& clock) : clock_(clock) {}

    // Connects a radio to a port number (the line stays owned by the caller); a port without
    // a line opens but nothing answers on it.
    void attach(int port, RadioLine* line);
    // The port cannot be opened, for the given reason.
    void setUnusable(int port, const std::string& reason);

    int open(int port) override;
    void ioctl(int port, int baudCode, int mode) override;
    int setReadTimeouts(int port, int totalMs, int intervalMs) override;
    void flush(int port, int func) override;
    int write(int port, const uint8_t* data, int count) override;
    int read(int port, uint8_t* data, int count) override;
    void close(int port) override;
    std::string openFailureReason(int port) const override;

    struct PortRecord {
        RadioLine* line = nullptr;
        std::string unusable;
        bool open = false;
        int opens = 0;
        int timeoutMs = 0;
        int baudCode = -1, mode = -1;
        std::deque<TimedByte> rx;
        std::vector<std::vector<uint8_t>> writes;  // every write, in order
    };
    PortRecord& record(int port);

  private:
    link::VirtualClock& clock_;
    std::array<PortRecord, link::kPortCount + 1> ports_;
};

}  // namespace tarvos::sim

#pragma once
// A serial port that keeps the windows alive while a read waits. The protocol reads with
// time-outs of up to a few hundred milliseconds; the Qt adapter blocks for all of it. This
// wrapper cuts each read into short slices and lets the user interface handle its events
// between them, so a transfer never freezes the communication window (the stop box, the
// close request and the blinking light all stay live).

#include <array>
#include <cstdint>
#include <functional>

#include "link/serial_port.h"

namespace tarvos::ui {

class ResponsiveSerialPort : public link::SerialPort {
public:
    // processEvents runs between slices; sliceMs bounds how long one slice blocks. nowMs is
    // the millisecond clock the time-out is measured on (the system's steady clock unless
    // given; tests give a virtual one).
    ResponsiveSerialPort(link::SerialPort& inner, std::function<void()> processEvents,
                         int sliceMs = 5, std::function<int64_t()> nowMs = {});

    int open(int port) override { return inner_.open(port); }
    void ioctl(int port, int baudCode, int mode) override { inner_.ioctl(port, baudCode, mode); }
    int setReadTimeouts(int port, int totalMs, int intervalMs) override;
    void flush(int port, int func) override { inner_.flush(port, func); }
    int write(int port, const uint8_t* data, int count) override {
        return inner_.write(port, data, count);
    }
    int read(int port, uint8_t* data, int count) override;
    void close(int port) override { inner_.close(port); }
    std::string openFailureReason(int port) const override {
        return inner_.openFailureReason(port);
    }

private:
    link::SerialPort& inner_;
    std::function<void()> processEvents_;
    int sliceMs_;
    std::function<int64_t()> nowMs_;
    std::array<int, link::kPortCount + 1> totalMs_{};
};

}  // namespace tarvos::ui

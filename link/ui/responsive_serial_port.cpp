#include "link/ui/responsive_serial_port.h"

#include <algorithm>
#include <chrono>

namespace tarvos::ui {

ResponsiveSerialPort::ResponsiveSerialPort(link::SerialPort& inner,
                                           std::function<void()> processEvents, int sliceMs,
                                           std::function<int64_t()> nowMs)
    : inner_(inner),
      processEvents_(std::move(processEvents)),
      sliceMs_(sliceMs),
      nowMs_(std::move(nowMs)) {
    if (!nowMs_)
        nowMs_ = [] {
            return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now().time_since_epoch())
                                            .count());
        };
}

int ResponsiveSerialPort::setReadTimeouts(int port, int totalMs, int intervalMs) {
    if (port >= 1 && port <= link::kPortCount) totalMs_[static_cast<size_t>(port)] = totalMs;
    return inner_.setReadTimeouts(port, std::min(totalMs, sliceMs_), intervalMs);
}

int ResponsiveSerialPort::read(int port, uint8_t* data, int count) {
    if (port < 1 || port > link::kPortCount) return inner_.read(port, data, count);
    const int total = totalMs_[static_cast<size_t>(port)];
    const int64_t start = nowMs_();
    auto elapsed = [&] { return nowMs_() - start; };
    int got = 0;
    // The whole time-out is honoured as before; only the waiting is cut into slices.
    while (got < count) {
        const int64_t left = total - elapsed();
        inner_.setReadTimeouts(port, static_cast<int>(std::clamp<int64_t>(left, 0, sliceMs_)), 0);
        got += inner_.read(port, data + got, count - got);
        if (got >= count || elapsed() >= total) break;
        if (processEvents_) processEvents_();
    }
    return got;
}

}  // namespace tarvos::ui

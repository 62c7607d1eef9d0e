#include "link/ui/responsive_serial_port.h"

#include <QElapsedTimer>
#include <algorithm>

namespace tarvos::ui {

int ResponsiveSerialPort::setReadTimeouts(int port, int totalMs, int intervalMs) {
    if (port >= 1 && port <= link::kPortCount) totalMs_[static_cast<size_t>(port)] = totalMs;
    return inner_.setReadTimeouts(port, std::min(totalMs, sliceMs_), intervalMs);
}

int ResponsiveSerialPort::read(int port, uint8_t* data, int count) {
    if (port < 1 || port > link::kPortCount) return inner_.read(port, data, count);
    const int total = totalMs_[static_cast<size_t>(port)];
    QElapsedTimer timer;
    timer.start();
    int got = 0;
    // The whole time-out is honoured as before; only the waiting is cut into slices.
    while (got < count) {
        const int left = total - static_cast<int>(timer.elapsed());
        inner_.setReadTimeouts(port, std::clamp(left, 0, sliceMs_), 0);
        got += inner_.read(port, data + got, count - got);
        if (got >= count || timer.elapsed() >= total) break;
        if (processEvents_) processEvents_();
    }
    return got;
}

}  // namespace tarvos::ui

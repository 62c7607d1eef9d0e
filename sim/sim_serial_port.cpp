#include "sim/sim_serial_port.h"

#include <algorithm>

namespace tarvos::sim {

SimSerialPorts::PortRecord& SimSerialPorts::record(int port) {
    if (port < 1 || port > link::kPortCount) port = 0;  // slot 0 absorbs bad numbers
    return ports_[static_cast<size_t>(port)];
}

void SimSerialPorts::attach(int port, RadioLine* line) {
    record(port).line = line;
}

void SimSerialPorts::setUnusable(int port, const std::string& reason) {
    record(port).unusable = reason;
}

int SimSerialPorts::open(int port) {
    if (port < 1 || port > link::kPortCount) return -1;
    PortRecord& r = record(port);
    if (!r.unusable.empty()) return -1;
    r.open = true;
    ++r.opens;
    r.rx.clear();
    return 0;
}

void SimSerialPorts::ioctl(int port, int baudCode, int mode) {
    PortRecord& r = record(port);
    r.baudCode = baudCode;
    r.mode = mode;
}

int SimSerialPorts::setReadTimeouts(int port, int totalMs, int) {
    record(port).timeoutMs = totalMs;
    return 0;
}

void SimSerialPorts::flush(int port, int) {
    PortRecord& r = record(port);
    const int64_t now = clock_.nowUs() * 1000;
    while (!r.rx.empty() && r.rx.front().ns <= now) r.rx.pop_front();
}

int SimSerialPorts::write(int port, const uint8_t* data, int count) {
    PortRecord& r = record(port);
    if (!r.open) return 0;
    r.writes.emplace_back(data, data + count);
    if (!r.line) return count;
    for (const TimedByte& b : r.line->receive(data, count, clock_.nowUs() * 1000)) {
        auto it = std::upper_bound(r.rx.begin(), r.rx.end(), b.ns,
                                   [](int64_t t, const TimedByte& x) { return t < x.ns; });
        r.rx.insert(it, b);
    }
    return count;
}

int SimSerialPorts::read(int port, uint8_t* data, int count) {
    PortRecord& r = record(port);
    if (!r.open) {
        clock_.advanceUs(static_cast<int64_t>(r.timeoutMs) * 1000);
        return 0;
    }
    const int64_t deadlineUs = clock_.nowUs() + static_cast<int64_t>(r.timeoutMs) * 1000;
    int got = 0;
    int64_t lastNs = 0;
    while (got < count && !r.rx.empty() && r.rx.front().ns <= deadlineUs * 1000) {
        lastNs = r.rx.front().ns;
        data[got++] = r.rx.front().byte;
        r.rx.pop_front();
    }
    if (got == count)
        clock_.advanceToUs((lastNs + 999) / 1000);
    else
        clock_.advanceToUs(deadlineUs);
    return got;
}

void SimSerialPorts::close(int port) {
    PortRecord& r = record(port);
    r.open = false;
    r.rx.clear();
}

std::string SimSerialPorts::openFailureReason(int port) const {
    if (port < 1 || port > link::kPortCount) return {};
    return ports_[static_cast<size_t>(port)].unusable;
}

}  // namespace tarvos::sim

#include <deque>

#include "link/ui/responsive_serial_port.h"
#include "link/virtual_clock.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

// A port whose bytes arrive at given times on a virtual clock; a read waits (moves the clock
// on) up to its time-out, like the Qt one blocks.
struct TimedPort : link::SerialPort {
    explicit TimedPort(link::VirtualClock& c) : clock(c) {}
    link::VirtualClock& clock;
    std::deque<std::pair<int, uint8_t>> arrivals;  // (ms, byte)
    int timeout = 0;
    int longestWait = 0;  // the longest time-out a single read was given
    int open(int) override { return 0; }
    void ioctl(int, int, int) override {}
    int setReadTimeouts(int, int totalMs, int) override {
        timeout = totalMs;
        return 0;
    }
    void flush(int, int) override {}
    int write(int, const uint8_t*, int count) override { return count; }
    int read(int, uint8_t* data, int count) override {
        longestWait = std::max(longestWait, timeout);
        const int64_t end = clock.nowUs() + int64_t{timeout} * 1000;
        int got = 0;
        while (got < count) {
            if (!arrivals.empty() && int64_t{arrivals.front().first} * 1000 <= clock.nowUs()) {
                data[got++] = arrivals.front().second;
                arrivals.pop_front();
                continue;
            }
            if (clock.nowUs() >= end) break;
            const int64_t next =
                arrivals.empty() ? end : std::min(end, int64_t{arrivals.front().first} * 1000);
            clock.advanceToUs(next);
        }
        return got;
    }
    void close(int) override {}
};

TEST(ResponsiveSerialPort, ReadsTheWholeTimeOutInShortSlices) {
    link::VirtualClock clock;
    TimedPort inner(clock);
    inner.arrivals = {{30, 0x06}, {60, 0x52}};
    int passes = 0;
    ResponsiveSerialPort port(
        inner, [&] { ++passes; }, 5, [&] { return clock.nowUs() / 1000; });
    port.setReadTimeouts(1, 200, 0);
    uint8_t buf[3] = {};
    EXPECT_EQ(port.read(1, buf, 2), 2);  // both bytes, as one blocking read would give
    EXPECT_EQ(buf[0], 0x06);
    EXPECT_EQ(buf[1], 0x52);
    EXPECT_EQ(clock.nowMs(), 60u);  // done when the bytes are there, not at the time-out
    EXPECT_GE(passes, 11);          // the interface had its turn after every 5 ms slice
    EXPECT_LE(inner.longestWait, 5);

    // Nothing comes: the read still lasts the whole time-out and returns what it has.
    const uint32_t start = clock.nowMs();
    passes = 0;
    EXPECT_EQ(port.read(1, buf, 1), 0);
    EXPECT_EQ(clock.nowMs() - start, 200u);
    EXPECT_EQ(passes, 39);  // between the forty slices
    EXPECT_LE(inner.longestWait, 5);
}

}  // namespace
}  // namespace tarvos::ui::test

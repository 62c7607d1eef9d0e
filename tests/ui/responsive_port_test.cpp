#include <QElapsedTimer>
#include <deque>

#include "link/ui/responsive_serial_port.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

// A port whose bytes arrive at given times; a read waits up to its time-out, like the Qt one.
struct TimedPort : link::SerialPort {
    QElapsedTimer clock;
    std::deque<std::pair<int, uint8_t>> arrivals;  // (ms, byte)
    int timeout = 0;
    int longestBlock = 0;
    int open(int) override { return 0; }
    void ioctl(int, int, int) override {}
    int setReadTimeouts(int, int totalMs, int) override {
        timeout = totalMs;
        return 0;
    }
    void flush(int, int) override {}
    int write(int, const uint8_t*, int count) override { return count; }
    int read(int, uint8_t* data, int count) override {
        QElapsedTimer t;
        t.start();
        int got = 0;
        while (got < count) {
            if (!arrivals.empty() && arrivals.front().first <= clock.elapsed()) {
                data[got++] = arrivals.front().second;
                arrivals.pop_front();
                continue;
            }
            if (t.elapsed() >= timeout) break;
        }
        longestBlock = std::max(longestBlock, static_cast<int>(t.elapsed()));
        return got;
    }
    void close(int) override {}
};

TEST(ResponsiveSerialPort, ReadsTheWholeTimeOutInShortSlices) {
    TimedPort inner;
    inner.clock.start();
    inner.arrivals = {{30, 0x06}, {60, 0x52}};
    int passes = 0;
    ResponsiveSerialPort port(
        inner, [&] { ++passes; }, 5);
    port.setReadTimeouts(1, 200, 0);
    uint8_t buf[3] = {};
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(port.read(1, buf, 2), 2);  // both bytes, as one blocking read would give
    EXPECT_EQ(buf[0], 0x06);
    EXPECT_EQ(buf[1], 0x52);
    EXPECT_LT(t.elapsed(), 150);  // done when the bytes are there, not at the time-out
    EXPECT_GT(passes, 5);         // the interface had its turns meanwhile
    EXPECT_LE(inner.longestBlock, 15);

    // Nothing comes: the read still lasts the whole time-out and returns what it has.
    t.restart();
    EXPECT_EQ(port.read(1, buf, 1), 0);
    EXPECT_GE(t.elapsed(), 195);
}

}  // namespace
}  // namespace tarvos::ui::test

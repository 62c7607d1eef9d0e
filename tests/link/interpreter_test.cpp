// The interpreter's token rules, its reply checking and capture, the log line of a failure,
// and echo detection on the "PROGRAM" handshake.
#include "link/interpreter.h"

#include <gtest/gtest.h>

#include <deque>

#include "link/virtual_clock.h"
#include "link_fixture.h"

namespace tarvos::link {
namespace {

// A port that answers each read from a queue of bytes.
struct ScriptedPort : SerialPort {
    int open(int) override { return 0; }
    void ioctl(int, int, int) override {}
    int setReadTimeouts(int, int totalMs, int) override {
        timeouts.push_back(totalMs);
        return 0;
    }
    void flush(int, int) override { ++flushes; }
    int write(int, const uint8_t* d, int n) override {
        writes.emplace_back(d, d + n);
        return n;
    }
    int read(int, uint8_t* d, int n) override {
        ++reads;
        int got = 0;
        while (got < n && !replies.empty()) {
            d[got++] = replies.front();
            replies.pop_front();
        }
        return got + claimExtra;  // a broken driver may claim more than it was asked for
    }
    void close(int) override {}
    std::deque<uint8_t> replies;
    std::vector<std::vector<uint8_t>> writes;
    std::vector<int> timeouts;
    int flushes = 0, reads = 0, claimExtra = 0;
};

struct InterpBench {
    ScriptedPort port;
    VirtualClock clock;
    RecordingSink sink;
    ErrorLog errors{&sink};
    FaceTextTable text{3};
    int portInUse = 1;
    Interpreter interp{port, clock, errors, text, portInUse};
};

using Bytes = std::vector<uint8_t>;

TEST(Interpreter, TokenRules) {
    struct Case {
        const char* name;
        std::string script;
        Bytes replies;
        int comErr;
        std::vector<Bytes> sent;
        int reads;
    };
    const Case cases[] = {
        {"end exchange", "TX06RX06EN", {0x06}, 0, {{0x06}}, 1},
        {"no reply part sends and never reads", "TX0102EN", {}, 0, {{0x01, 0x02}}, 0},
        {"mismatch fails", "TX06RX06EN", {0x15}, -1, {{0x06}}, 1},
        {"time-out fails", "TX06RX06EN", {}, -1, {{0x06}}, 1},
        {"RF and WF operands are skipped", "RF010203TX06RX06WF040506EN", {0x06}, 0, {{0x06}}, 1},
        {"two segments",
         "TX50524F4752414DRX06TX06RX06EN",
         {0x06, 0x06},
         0,
         {{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}, {0x06}},
         2},
        {"second segment skipped after a failure", "TX01RX02TX03RX04EN", {0x09}, -1, {{0x01}}, 1},
        {"a token that is not hex is byte 0", "TXZZRX00EN", {0x00}, 0, {{0x00}}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InterpBench b;
        b.port.replies.assign(c.replies.begin(), c.replies.end());
        b.interp.Run(c.script);
        EXPECT_EQ(b.interp.ComErr(), c.comErr == -1);
        EXPECT_EQ(b.port.writes, c.sent);
        EXPECT_EQ(b.port.reads, c.reads);
        EXPECT_EQ(b.port.flushes, static_cast<int>(c.sent.size()));  // input discarded first
    }
}

TEST(Interpreter, CapturesAndSendsVaDat) {
    InterpBench b;
    b.port.replies = {0x57, 0x03, 0x88, 0x03, 0x5A, 0x49, 0x4D};
    b.interp.Run("TX52038803RXVA038803VAVAVAEN");
    ASSERT_EQ(b.interp.ComErr(), false);
    EXPECT_EQ(b.interp.VaPos(), 5);
    EXPECT_EQ((Bytes{b.interp.VaDat(1), b.interp.VaDat(2), b.interp.VaDat(3), b.interp.VaDat(4)}),
              (Bytes{0x57, 0x5A, 0x49, 0x4D}));
    EXPECT_EQ(b.port.timeouts, std::vector<int>{107});  // 7 bytes + 100 ms

    b.interp.VaDat(1) = 0xAB;
    b.interp.VaDat(2) = 0xCD;
    b.port.replies = {0x06};
    b.interp.Run("TX57001002VAVARX06EN");
    EXPECT_EQ(b.port.writes.back(), (Bytes{0x57, 0x00, 0x10, 0x02, 0xAB, 0xCD}));
}

TEST(Interpreter, FailureLogsFaceText175AndClearsAnUnselectedLog) {
    InterpBench b;
    b.interp.log.lines = {"old"};  // nothing selected: the list is cleared first
    b.interp.Run("TX06RX06EN");
    EXPECT_EQ(b.interp.log.lines, std::vector<std::string>{b.text[175]});
    EXPECT_EQ(b.interp.log.LogNo, 1);
    EXPECT_EQ(b.interp.log.selected, 0);
    b.interp.Run("TX06RX06EN");  // a line is selected now: inserted after it
    EXPECT_EQ(b.interp.log.lines.size(), 2u);
    EXPECT_EQ(b.interp.log.LogNo, 2);
}

TEST(Interpreter, NothingTheLineSendsWritesPastTheBuffers) {
    InterpBench b;
    b.port.claimExtra = 500;  // the driver claims far more bytes than were asked for
    b.port.replies = {0x06};
    b.interp.Run("TX06RX06EN");
    EXPECT_EQ(b.interp.ComErr(), false);

    // A reply part of more than 100 captures stops at VaDat's end with a logged failure.
    InterpBench c;
    std::string script = "TX01RX";
    for (int i = 0; i < 101; ++i) script += "VA";
    script += "EN";
    c.port.replies.assign(101, 0x11);
    c.interp.Run(script);
    EXPECT_EQ(c.interp.ComErr(), true);
    EXPECT_EQ(c.sink.locations(), std::vector<std::string>{"modCommun->RxComDat"});
}

TEST(Interpreter, OverlongScriptIsLogged) {
    InterpBench b;
    b.interp.ConvComCode(std::string(402, '0'));
    EXPECT_EQ(b.sink.locations(), std::vector<std::string>{"modCommun->ConvComCode"});
}

TEST(Interpreter, SegmentPausesAtLeastSevenMilliseconds) {
    InterpBench b;
    b.port.replies = {0x06};
    b.interp.Run("TX06RX06EN");
    EXPECT_GE(b.clock.nowMs(), 14u);  // two segments' worth of DelayNms 5 (the EN pass too)
}

// Echo detection, both ways, on the in-process radio.
TEST(Interpreter, EchoSwitchesOnAndOff) {
    testing::LinkBench b;
    const char* hs = "TX50524F4752414DRX06TX06RX06EN";
    b.link.ports.OpenPortCom(1);

    b.line.faults.echo = true;  // a single-wire cable while SingleWire is 0
    EXPECT_TRUE(b.link.interp.Run(hs));
    EXPECT_EQ(b.link.interp.SingleWire(), true);
    EXPECT_TRUE(b.link.interp.Run(hs));  // echo mode: 8 bytes then 2, only 0x06 compared
    EXPECT_EQ(b.ports.record(1).timeoutMs, 102);

    b.line.faults.echo = false;  // the cable stops echoing
    EXPECT_FALSE(b.link.interp.Run(hs));
    EXPECT_EQ(b.link.interp.SingleWire(), false);
    EXPECT_TRUE(b.link.interp.Run(hs));
    EXPECT_EQ(b.rec.singleWireEvents, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace tarvos::link

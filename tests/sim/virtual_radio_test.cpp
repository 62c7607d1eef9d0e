// The virtual radio's side of the protocol, its line faults and timing, and the in-process
// serial port on the virtual clock.
#include "sim/virtual_radio.h"

#include <gtest/gtest.h>

#include "sim/radio_line.h"
#include "sim/sim_serial_port.h"

namespace tarvos::sim {
namespace {

using Bytes = std::vector<uint8_t>;
const Bytes kProgram{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
const Bytes kClosing{0x45, 0x5A, 0xA5, 0x32, 0x23, 0x45, 0xF2};

Bytes Feed(VirtualRadio& r, const Bytes& in) {
    Bytes out;
    for (uint8_t b : in) r.receive(b, out);
    return out;
}

TEST(VirtualRadio, SpeaksOnlyAfterTheHandshake) {
    VirtualRadio r;
    r.memory[0x0010] = 0xAA;
    EXPECT_TRUE(Feed(r, {0x52, 0x00, 0x10, 0x01}).empty());
    EXPECT_EQ(Feed(r, kProgram), Bytes{0x06});
    EXPECT_EQ(Feed(r, {0x06}), Bytes{0x06});
    EXPECT_EQ(Feed(r, {0x52, 0x00, 0x10, 0x02}), (Bytes{0x57, 0x00, 0x10, 0x02, 0xAA, 0xFF}));
    EXPECT_EQ(Feed(r, {0x57, 0x00, 0x11, 0x01, 0x33}), Bytes{0x06});
    EXPECT_EQ(r.memory[0x0011], 0x33);
    EXPECT_EQ(Feed(r, {0x75, 0x01, 0x94, 0x01, 0x44}), Bytes{0x06});
    EXPECT_EQ(r.memory[0x0194], 0x44);
    EXPECT_TRUE(Feed(r, kClosing).empty());
    EXPECT_FALSE(r.programming);
    EXPECT_EQ(r.closings, 1);
    EXPECT_TRUE(Feed(r, {0x06}).empty());  // idle again
    EXPECT_EQ(r.journal, (std::vector<std::string>{"PROGRAM", "06", "52 0010 02", "57 0011 01",
                                                   "75 0194 01", "CLOSE"}));
}

TEST(VirtualRadio, OwnCommandLetters) {
    VirtualRadio r;
    r.setLetters("ZIM");
    Feed(r, kProgram);
    // "R" is understood (the first steps use it) and answered with the radio's write letter.
    EXPECT_EQ(Feed(r, {0x52, 0x03, 0x88, 0x03}), (Bytes{0x4D, 0x03, 0x88, 0x03, 0x5A, 0x49, 0x4D}));
    EXPECT_EQ(Feed(r, {0x49, 0x03, 0x89, 0x01}), (Bytes{0x4D, 0x03, 0x89, 0x01, 0x49}));
    EXPECT_EQ(Feed(r, {0x4D, 0x00, 0x00, 0x01, 0x12}), Bytes{0x06});
    EXPECT_TRUE(Feed(r, {0x57}).empty());  // "W" is not this radio's letter
    EXPECT_EQ(r.journal.back(), "?57");
    EXPECT_TRUE(Feed(r, {0x53}).empty());  // nor the alternative "S"
    EXPECT_EQ(r.journal.back(), "?53");
}

// A radio without the marker takes the alternative pair every transfer starts with as well
// as "R"/"W", and answers each read with the write letter of its pair.
TEST(VirtualRadio, UnmarkedRadioAlsoTakesTheAlternativePair) {
    VirtualRadio r;
    r.memory[0x0010] = 0xAA;
    Feed(r, kProgram);
    EXPECT_EQ(Feed(r, {0x53, 0x00, 0x10, 0x01}), (Bytes{0x58, 0x00, 0x10, 0x01, 0xAA}));
    EXPECT_EQ(Feed(r, {0x58, 0x00, 0x10, 0x01, 0x33}), Bytes{0x06});
    EXPECT_EQ(r.memory[0x0010], 0x33);
    EXPECT_EQ(Feed(r, {0x52, 0x00, 0x10, 0x01}), (Bytes{0x57, 0x00, 0x10, 0x01, 0x33}));
}

// Letters that clash ("R" also set as the write letter): the frame is read as the read it
// starts like, and nothing is taken from beyond its four bytes.
TEST(VirtualRadio, ClashingLettersRead) {
    VirtualRadio r;
    r.setLetters("ZIR");
    r.memory[0x0010] = 0xAA;
    Feed(r, kProgram);
    EXPECT_EQ(Feed(r, {0x52, 0x00, 0x10, 0x01}), (Bytes{0x52, 0x00, 0x10, 0x01, 0xAA}));
    EXPECT_EQ(r.memory[0x0010], 0xAA);
}

TEST(VirtualRadio, CodeIsStoredAsRadioCharacters) {
    VirtualRadio r;
    r.setCode("1");
    EXPECT_EQ(r.memory[0x0385], '1');
    EXPECT_EQ(r.memory[0x0386], 0x00);
    EXPECT_EQ(r.memory[0x0387], 0x00);  // padded with spaces (code 0)
    r.setCode("  ");
    EXPECT_EQ(r.memory[0x038D], 0xFF);
}

TEST(RadioLine, FaultKinds) {
    struct Case {
        const char* fault;
        Bytes expect;  // what comes back for "PROGRAM" then a 2-byte read of 0x0000
    };
    const Bytes ok{0x06, 0x57, 0x00, 0x00, 0x02, 0x01, 0x02};
    Bytes echoed = kProgram;
    echoed.push_back(0x06);
    for (uint8_t b : {0x52, 0x00, 0x00, 0x02}) echoed.push_back(b);
    echoed.insert(echoed.end(), ok.begin() + 1, ok.end());
    const Case cases[] = {
        {"delay:30", ok},
        {"echo", echoed},
        {"silence", {}},
        {"drop:2", {0x06, 0x00, 0x00, 0x02, 0x01, 0x02}},
        {"corrupt:1", {0xF9, 0x57, 0x00, 0x00, 0x02, 0x01, 0x02}},
        {"unplug:3", {0x06, 0x57, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        VirtualRadio radio;
        radio.memory[0] = 0x01;
        radio.memory[1] = 0x02;
        Faults f;
        ASSERT_TRUE(ParseFault(c.fault, f, nullptr));
        RadioLine line(radio, f);
        Bytes got;
        for (const auto& tb : line.receive(kProgram.data(), 7, 0)) got.push_back(tb.byte);
        Bytes read{0x52, 0x00, 0x00, 0x02};
        auto back = line.receive(read.data(), 4, 10'000'000);
        for (const auto& tb : back) got.push_back(tb.byte);
        EXPECT_EQ(got, c.expect);
        if (std::string(c.fault) == "delay:30") {
            EXPECT_EQ(back.front().ns, 40'000'000);
        }
    }
}

TEST(RadioLine, ParseFaultRejectsUnknownKinds) {
    Faults f;
    std::string letters;
    EXPECT_TRUE(ParseFault("letters:ZAB", f, &letters));
    EXPECT_EQ(letters, "ZAB");
    for (const char* bad : {"drop", "drop:x", "drop:0", "shout", "letters:ZA", "delay:-1"})
        EXPECT_FALSE(ParseFault(bad, f, &letters)) << bad;
}

TEST(RadioLine, PacedAtElevenBitsPerByte) {
    VirtualRadio radio;
    RadioLine line(radio, {}, true);
    auto back = line.receive(kProgram.data(), 7, 0);
    ASSERT_EQ(back.size(), 1u);
    // Seven bytes in, then one byte out: eight byte times at 9600 baud.
    EXPECT_EQ(back[0].ns, 8 * RadioLine::kByteNs);
    EXPECT_EQ(RadioLine::kByteNs, 1'145'833);
}

TEST(RadioLine, PauseDropsAHalfFrame) {
    VirtualRadio radio;
    RadioLine line(radio);
    line.receive(kProgram.data(), 7, 0);
    const Bytes half{0x57, 0x00, 0x10};
    line.receive(half.data(), 3, 1'000'000);
    const Bytes end{0x06};
    auto back = line.receive(end.data(), 1, 100'000'000);  // long after: a fresh frame
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].byte, 0x06);
}

TEST(SimSerialPorts, ReadsOnTheVirtualClock) {
    link::VirtualClock clock;
    VirtualRadio radio;
    RadioLine line(radio, {}, true);
    SimSerialPorts ports(clock);
    ports.attach(2, &line);
    ASSERT_EQ(ports.open(2), 0);
    ports.setReadTimeouts(2, 101, 0);
    ports.write(2, kProgram.data(), 7);
    uint8_t buf[4];
    EXPECT_EQ(ports.read(2, buf, 1), 1);
    EXPECT_EQ(clock.nowUs(), (8 * RadioLine::kByteNs + 999) / 1000);  // when the byte arrived
    EXPECT_EQ(ports.read(2, buf, 4), 0);  // nothing more: the whole time-out passes
    EXPECT_EQ(clock.nowUs(), (8 * RadioLine::kByteNs + 999) / 1000 + 101'000);

    ports.setUnusable(3, "absent");
    EXPECT_NE(ports.open(3), 0);
    EXPECT_EQ(ports.openFailureReason(3), "absent");
}

TEST(SimSerialPorts, FlushDropsOnlyWhatHasArrived) {
    link::VirtualClock clock;
    VirtualRadio radio;
    Faults slow;
    slow.replyDelayMs = 50;
    RadioLine line(radio, slow);
    SimSerialPorts ports(clock);
    ports.attach(1, &line);
    ports.open(1);
    ports.write(1, kProgram.data(), 7);
    ports.flush(1, 2);  // the answer is still on its way
    ports.setReadTimeouts(1, 101, 0);
    uint8_t b = 0;
    EXPECT_EQ(ports.read(1, &b, 1), 1);
    EXPECT_EQ(b, 0x06);
}

}  // namespace
}  // namespace tarvos::sim

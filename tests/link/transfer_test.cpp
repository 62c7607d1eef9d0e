// Read and write transfers against the in-process virtual radio on the virtual clock: the
// data that arrives, the retry policy with its stop box and status texts, the code check,
// the hand-built frames chosen by the radio's parameters, and the frame order of a write.
#include <gtest/gtest.h>

#include <algorithm>

#include "link_fixture.h"

namespace tarvos::link {
namespace {

using testing::LinkBench;

bool ImageMatchesRadio(const LinkBench& b, int from, int to) {
    for (int a = from; a <= to; ++a)
        if (b.image[a] != b.radio.memory[static_cast<size_t>(a)]) return false;
    return true;
}

TEST(ReadTransfer, FullReadCopiesTheRadio) {
    LinkBench b;
    b.fillRadio();
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Done);
    EXPECT_TRUE(ImageMatchesRadio(b, 0, 0x03FF));
    EXPECT_EQ(b.host.softDisplays, 1);
    EXPECT_EQ(b.rec.progressValues.front(), 0);
    EXPECT_EQ(b.rec.progressValues[2], 3);
    EXPECT_EQ(b.rec.progressValues[3], 7);
    EXPECT_EQ(*std::max_element(b.rec.progressValues.begin(), b.rec.progressValues.end()), 100);
    EXPECT_TRUE(b.rec.closed);
    EXPECT_EQ(b.radio.journal.back(), "06");  // the list ends with the 0x06 exchange
    EXPECT_TRUE(b.sink.lines.empty());
}

TEST(ReadTransfer, CopiesTheSideKeyAreaForTheE917Radio) {
    LinkBench b;
    b.fillRadio();
    b.radio.memory[0x03D0] = 0x20;
    b.radio.memory[0x03D1] = 0xE9;
    b.radio.memory[0x03D2] = 0x17;
    ASSERT_EQ(b.link.transfer.Read(), Outcome::Done);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(b.image[0x0360 + i], b.radio.memory[0x0260 + i]);
}

TEST(ReadTransfer, OtherLettersAndEchoCable) {
    struct Case {
        const char* letters;
        bool echo;
        const char* blockRead;
    };
    for (const Case& c : {Case{"ZIM", false, "49 0000 10"}, Case{"ZHN", true, "48 0000 10"},
                          Case{"", true, "52 0000 10"}}) {
        SCOPED_TRACE(c.letters);
        LinkBench b;
        b.fillRadio();
        b.radio.setLetters(c.letters);
        b.line.faults.echo = c.echo;
        ASSERT_EQ(b.link.transfer.Read(), Outcome::Done);
        EXPECT_TRUE(ImageMatchesRadio(b, 0, 0x03FF));
        auto f = b.frames();
        EXPECT_NE(std::find(f.begin(), f.end(), c.blockRead), f.end());
        EXPECT_EQ(b.link.interp.SingleWire(), c.echo);
    }
}

TEST(ReadTransfer, UnsupportedRadioEndsAtOnce) {
    LinkBench b;
    b.fillRadio();
    b.radio.setLetters("ZAB");
    const ByteImage before = b.image;
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Failed);
    EXPECT_EQ(b.rec.messages, std::vector<int>{69});
    EXPECT_EQ(b.link.transfer.retry().stopAtOnce, true);
    EXPECT_EQ(b.handshakesOn(1), 2);  // the probe and step 1, no retries
    EXPECT_EQ(b.image, before);
}

// A radio that answers the port search and then falls silent: every step 1 fails.
TEST(ReadTransfer, RetryPolicyStatusAndStopBox) {
    LinkBench b;
    b.fillRadio();
    b.line.faults.unplugAfter = 2;  // the probe's two acknowledgements, then nothing
    const ByteImage before = b.image;
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Failed);
    EXPECT_EQ(b.rec.messages, std::vector<int>{79});
    EXPECT_EQ(b.link.transfer.retry().failures, 20);
    EXPECT_EQ(b.handshakesOn(1), 1 + 20);
    EXPECT_TRUE(b.rec.stopShown);
    const std::string ninth = b.text[164] + " 9";
    auto it = std::find(b.rec.statuses.begin(), b.rec.statuses.end(), ninth);
    ASSERT_NE(it, b.rec.statuses.end());
    EXPECT_EQ(std::count(b.rec.statuses.begin(), b.rec.statuses.end(), b.text[164] + " 8"), 0);
    EXPECT_LE(b.rec.stopShownAtStatusCount, it - b.rec.statuses.begin());  // shown at the 6th
    EXPECT_EQ(b.image, before);  // a failed read leaves the image exactly as it was
    EXPECT_EQ(b.link.interp.log.lines.size(), 20u);
    EXPECT_LT(b.clock.nowMs(), 60'000u);  // virtual time only
}

TEST(ReadTransfer, ClosingTheWindowStopsAfterTheFifthFailure) {
    LinkBench b;
    b.fillRadio();
    b.line.faults.unplugAfter = 2;
    bool asked = false, allowed = true;
    b.clock.onDelay = [&] {
        if (!asked && b.link.ports.busy() && b.link.transfer.retry().failures == 1) {
            asked = true;
            allowed = b.link.transfer.requestClose();
        }
    };
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Stopped);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(allowed);  // a running transfer keeps the window open
    EXPECT_EQ(b.link.transfer.retry().failures, 6);
    EXPECT_TRUE(b.rec.messages.empty());
}

TEST(ReadTransfer, FailureHalfwayLeavesTheImageUntouched) {
    for (const char* fault : {"unplug", "drop", "corrupt"}) {
        SCOPED_TRACE(fault);
        LinkBench b;
        b.fillRadio();
        if (std::string(fault) == "unplug") b.line.faults.unplugAfter = 600;
        // Byte 425 is the command byte of the 21st block's reply (2 + 8 + 13 + 1 + 20 * 20).
        if (std::string(fault) == "drop") b.line.faults.dropByte = 425;
        if (std::string(fault) == "corrupt") b.line.faults.corruptByte = 425;
        b.image.fill(0x5A);
        const ByteImage before = b.image;
        Outcome o = b.link.transfer.Read();
        if (std::string(fault) == "unplug") {
            EXPECT_EQ(o, Outcome::Failed);
            EXPECT_EQ(b.image, before);
        } else {
            // One bad byte costs one retry of the list; the read still completes.
            EXPECT_EQ(o, Outcome::Done);
            EXPECT_EQ(b.link.transfer.retry().failures, 1);
            EXPECT_TRUE(ImageMatchesRadio(b, 0, 0x03FF));
        }
    }
}

TEST(ReadTransfer, RangeRefusedBeforeAnythingIsSent) {
    LinkBench b;
    b.link.ranges.ReadEndAddr = 0x1FFF;  // beyond DatNum 1039
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Refused);
    EXPECT_TRUE(b.ports.record(1).writes.empty());
    ASSERT_FALSE(b.rec.statuses.empty());
    EXPECT_NE(b.rec.statuses.back().find("1FFF"), std::string::npos);
}

TEST(ReadTransfer, CodeCheck) {
    struct Case {
        const char* name;
        const char* radioCode;
        bool newCodeBox;  // the new-code box is visible and holds the radio's code
        Outcome outcome;
        std::vector<int> messages;
    };
    const Case cases[] = {
        {"matching code", "7A", false, Outcome::Done, {}},
        {"wrong code", "9", false, Outcome::Failed, {97}},
        {"wrong code, right new code", "9", true, Outcome::Done, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench b;
        b.fillRadio();
        b.host.page.rdWrCodeVisible = true;
        sim::VirtualRadio coded;
        coded.setCode("7A");  // the image's code
        for (int a : {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D})
            b.image[a] = coded.memory[static_cast<size_t>(a)];
        b.radio.setCode(c.radioCode);
        if (c.newCodeBox) {
            b.host.page.newRdWrCodeVisible = true;
            const int at[6] = {5, 6, 7, 11, 12, 13};
            const int radioAt[6] = {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D};
            for (int i = 0; i < 6; ++i)
                b.host.page.NewCodeBuf[static_cast<size_t>(at[i])] =
                    b.radio.memory[static_cast<size_t>(radioAt[i])];
        }
        EXPECT_EQ(b.link.transfer.Read(), c.outcome);
        EXPECT_EQ(b.rec.messages, c.messages);
        if (c.outcome == Outcome::Done) {
            EXPECT_TRUE(ImageMatchesRadio(b, 0, 0x03FF));
        }
    }
}

TEST(ReadTransfer, RadioWithoutCodeSkipsTheCheck) {
    LinkBench b;
    b.fillRadio();  // code bytes 0xFF
    b.host.page.rdWrCodeVisible = true;
    b.image[0x0385] = 0x33;  // the image believes in a code
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Done);
    auto f = b.frames();
    // The block step only, with the alternative pair: the radio has no code and its letters
    // at 0x0389/0x038A are no pair.
    EXPECT_EQ(std::count(f.begin(), f.end(), "53 0380 10"), 1);
    EXPECT_EQ(std::count(f.begin(), f.end(), "52 0380 10"), 0);
}

// The range box is set beyond the image while step 1 runs: the rebuild after step 1 is
// refused and the list the transfer started with runs to its end; the next transfer is
// refused before anything is sent.
TEST(ReadTransfer, RefusedRebuildDuringTheTransferKeepsTheList) {
    LinkBench b;
    b.fillRadio();
    b.clock.onDelay = [&] {
        if (b.link.ports.busy() && b.link.transfer.StepNo() == 1)
            b.link.ranges.ReadEndAddr = 0x1FFF;
    };
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Done);
    EXPECT_TRUE(ImageMatchesRadio(b, 0, 0x03FF));
    EXPECT_EQ(b.radio.journal.back(), "06");
    EXPECT_NE(b.link.lists.refusal(Direction::Read), "");

    b.clock.onDelay = nullptr;
    const size_t sent = b.ports.record(1).writes.size();
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Refused);
    EXPECT_EQ(b.ports.record(1).writes.size(), sent);
}

// A list made shorter under a running round (here by a rebuild at block step 10): the round
// never ran the new list's closing step, so it is no success; the list runs again whole.
TEST(ReadTransfer, RoundThatMissedTheListsLastStepIsNoSuccess) {
    LinkBench b;
    b.fillRadio();
    bool rebuilt = false;
    b.clock.onDelay = [&] {
        if (!rebuilt && b.link.ports.busy() && b.link.transfer.StepNo() == 10) {
            rebuilt = true;
            b.link.ranges.ReadEndAddr = 0x003F;
            b.link.lists.SetComCmdAlt();
        }
    };
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Done);
    EXPECT_TRUE(rebuilt);
    EXPECT_EQ(b.link.transfer.retry().failures, 1);
    EXPECT_EQ(b.radio.journal.back(), "06");
    EXPECT_TRUE(ImageMatchesRadio(b, 0, 0x003F));
}

// --- Ports --------------------------------------------------------------------------------

TEST(PortSearch, RememberedPortAnswering) {
    LinkBench b;
    b.fillRadio();
    b.link.ports.setPortState(2, link::PortStatus::Opened);
    b.link.ports.OpenCom(b.link.interp);
    EXPECT_EQ(b.link.ports.portFailed(), false);
    EXPECT_EQ(b.link.ports.PortInUse(), 1);
    EXPECT_EQ(b.ports.record(2).opens, 0);
    EXPECT_TRUE(b.rec.comPorts.empty());
}

TEST(PortSearch, FallsBackToTheFirstAnsweringPort) {
    LinkBench b;
    sim::VirtualRadio radio3;
    sim::RadioLine line3(radio3);
    b.ports.attach(1, nullptr);  // nothing on 1 and 2
    b.ports.attach(3, &line3);
    b.link.ports.setComPort(5);  // remembered, silent
    for (int p : {1, 2, 3, 5}) b.link.ports.setPortState(p, link::PortStatus::Opened);
    b.link.ports.setPortState(4, link::PortStatus::Failed);
    b.ports.attach(4, &line3);  // never probed: its last test failed
    b.link.ports.OpenCom(b.link.interp);
    EXPECT_EQ(b.link.ports.portFailed(), false);
    EXPECT_EQ(b.link.ports.ComPort(), 3);
    EXPECT_EQ(b.handshakesOn(5), 26);
    EXPECT_EQ(b.handshakesOn(1), 5);
    EXPECT_EQ(b.handshakesOn(2), 5);
    EXPECT_EQ(b.ports.record(4).opens, 0);
    EXPECT_EQ(b.rec.comPorts, std::vector<int>{3});
}

TEST(PortSearch, UnusablePortGivesItsReason) {
    LinkBench b;
    b.ports.setUnusable(1, "/dev/ttyUSB0 is busy: another program holds it");
    b.link.ports.EnableCOM();
    EXPECT_EQ(b.link.ports.PortState(1), link::PortStatus::Failed);
    EXPECT_EQ(b.link.transfer.Read(), Outcome::NoPort);
    EXPECT_NE(b.rec.statuses.back().find("busy"), std::string::npos);
    EXPECT_FALSE(b.rec.closed);  // the window stays open unless the user asked to close
}

// --- Write ----------------------------------------------------------------------------------

struct WriteBench : LinkBench {
    explicit WriteBench(uint8_t para3, uint8_t para4) {
        fillRadio();
        for (int a = 0; a < 0x400; ++a) image[a] = test::PatternByte(a, 0x5C);  // not the radio's
        // The write list sends 0x03D0.. too, so the radio reads back the image's values.
        radio.memory[0x03D3] = image[0x03D3] = para3;
        radio.memory[0x03D4] = image[0x03D4] = para4;
        image[0x037A] = 0x40;  // band 400.0 - 480.0 MHz
        image[0x037B] = 0x00;
        image[0x037C] = 0x48;
        image[0x037D] = 0x00;
    }
    std::vector<std::string> framesAfterBlocks() {
        auto f = frames();
        auto it = std::find(f.begin(), f.end(), "57 0379 05");
        return {it, f.end()};
    }
};

TEST(WriteTransfer, FrameOrderForParameterRadio) {
    WriteBench b(0x00, 50);
    EXPECT_EQ(b.link.transfer.Write(), Outcome::Done);
    EXPECT_EQ(b.host.prepared, 1);
    EXPECT_EQ(b.framesAfterBlocks(),
              (std::vector<std::string>{"57 0379 05", "52 03D0 10", "52 03E0 10", "52 03F0 10",
                                        "57 03F0 10", "CLOSE"}));
    // Every block went into the radio (0x01A0 block: four bytes at 0x01AC instead).
    for (int a = 0; a < 0x0379; ++a) {
        if (a >= 0x01A0 && a <= 0x01AF) continue;
        ASSERT_EQ(b.radio.memory[static_cast<size_t>(a)], b.image[a]) << a;
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b.radio.memory[0x01AC + i], b.image[0x01A0 + i]);
    EXPECT_EQ(b.radio.memory[0x037A], 0x40);
    EXPECT_EQ(b.radio.memory[0x037C], 0x48);
    EXPECT_EQ(b.radio.closings, 1);
}

TEST(WriteTransfer, ParameterFrameTakesThreeImageFields) {
    WriteBench b(0x00, 50);
    b.link.ranges.WriteEndAddr = 0x037F;  // the parameter area comes from the radio
    b.radio.memory[0x03D4] = 50;
    b.image[0x03FC] = 0x80;
    b.image[0x03FE] = 0x00;
    b.radio.memory[0x03FC] = 0x00;
    b.radio.memory[0x03FE] = 0xFF;
    ASSERT_EQ(b.link.transfer.Write(), Outcome::Done);
    // The list wrote the image over 0x03F0-0x03FF first; the frame then sent the radio's
    // read-back bytes with 0x03F6, 0x03F7 and the two noted bits from the image.
    EXPECT_EQ(b.link.transfer.radioPara()[4], 50);
    EXPECT_EQ(b.radio.memory[0x03FC] & 0x80, 0x80);
    EXPECT_EQ(b.radio.memory[0x03FE] & 0x04, 0x00);
    EXPECT_EQ(b.radio.memory[0x03F6], b.image[0x03F6]);
}

TEST(WriteTransfer, CodeAreaFramesChosenByRadioPara) {
    struct Case {
        const char* name;
        bool newCode, hopVisible;
        std::vector<std::string> tail;
    };
    const Case cases[] = {
        {"new code unticked",
         false,
         false,
         {"75 0364 0C", "75 0360 02", "75 03D9 07", "75 03E0 0C", "CLOSE"}},
        {"new code and hopping",
         true,
         true,
         {"75 0385 03", "75 038B 03", "75 0364 0C", "75 0360 02", "75 03FD 01", "75 03D9 07",
          "75 03E0 0C", "CLOSE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBench b(0x28, 120);
        b.host.page.newRdWrCodeTicked = c.newCode;
        b.host.page.jumpFreFuncVisible = c.hopVisible;
        b.host.page.jumpFreFuncTicked = true;
        b.host.page.alarmSwitchTicked = true;
        ASSERT_EQ(b.link.transfer.Write(), Outcome::Done);
        auto f = b.framesAfterBlocks();
        std::vector<std::string> tail(f.begin() + 4, f.end());
        EXPECT_EQ(tail, c.tail);
        EXPECT_EQ(b.radio.memory[0x0360], 0x08);  // alarm on
        EXPECT_EQ(b.radio.memory[0x0361], 0x0F);
        if (c.hopVisible) {
            EXPECT_EQ(b.radio.memory[0x03FD] & 0x40, 0x40);
        }
    }
}

TEST(WriteTransfer, EchoModeFramesWaitForTheEchoFirst) {
    WriteBench b(0x28, 120);
    b.line.faults.echo = true;
    ASSERT_EQ(b.link.transfer.Write(), Outcome::Done);
    // The 16-byte 0x0364 frame waited for 17 bytes and judged the 17th.
    const auto& writes = b.ports.record(1).writes;
    auto it = std::find_if(writes.begin(), writes.end(), [](const std::vector<uint8_t>& w) {
        return w.size() == 16 && w[0] == 0x75 && w[2] == 0x64;
    });
    ASSERT_NE(it, writes.end());
    EXPECT_EQ(std::count(writes.begin(), writes.end(), *it), 1);  // first attempt passed
    EXPECT_EQ(b.radio.closings, 1);
}

// As for a read: the write range set beyond the image while step 1 runs leaves the list in
// place, and every block reaches the radio before the model frame.
TEST(WriteTransfer, RefusedRebuildDuringTheTransferKeepsTheList) {
    WriteBench b(0x00, 50);
    b.clock.onDelay = [&] {
        if (b.link.ports.busy() && b.link.transfer.StepNo() == 1)
            b.link.ranges.WriteEndAddr = 0x1FFF;
    };
    ASSERT_EQ(b.link.transfer.Write(), Outcome::Done);
    for (int a = 0; a < 0x0379; ++a) {
        if (a >= 0x01A0 && a <= 0x01AF) continue;
        ASSERT_EQ(b.radio.memory[static_cast<size_t>(a)], b.image[a]) << a;
    }
    EXPECT_EQ(b.radio.closings, 1);
}

TEST(WriteTransfer, FrameFailing16TimesEndsWithCommunicationError) {
    WriteBench b(0x00, 50);
    b.link.ranges.WriteStartAddr = 0x0010;
    b.link.ranges.WriteEndAddr = 0x0010;  // one byte: 30 radio bytes up to the list's end
    b.line.faults.unplugAfter = 30;
    EXPECT_EQ(b.link.transfer.Write(), Outcome::Failed);
    EXPECT_EQ(b.rec.messages, std::vector<int>{79});
    const auto& writes = b.ports.record(1).writes;
    EXPECT_EQ(
        std::count_if(writes.begin(), writes.end(),
                      [](const std::vector<uint8_t>& w) { return w.size() == 9 && w[2] == 0x79; }),
        16);
    EXPECT_EQ(b.radio.closings, 0);
}

}  // namespace
}  // namespace tarvos::link

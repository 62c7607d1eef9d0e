// Stopping a transfer at once (tarvos-cli's Ctrl-C): after the frame in progress, whatever the
// retry count; a read takes nothing, a write tells how far it got; a stop asked before the
// start sends nothing; the next transfer runs as usual.
#include <gtest/gtest.h>

#include "link_fixture.h"

namespace tarvos::link {
namespace {

using testing::LinkBench;

// The frames the radio answered after the stop was asked, counted from `from`.
size_t FramesAfter(const LinkBench& b, size_t from) {
    return b.radio.journal.size() - from;
}

TEST(StopNow, AReadStopsAfterTheFrameInProgressAndTakesNothing) {
    LinkBench b;
    b.fillRadio();
    b.image.fill(0x5A);
    const ByteImage before = b.image;
    size_t askedAt = 0;
    b.clock.onDelay = [&] {
        if (!askedAt && b.link.ports.busy() && b.link.transfer.StepNo() == 10) {
            askedAt = b.radio.journal.size();
            b.link.transfer.stopNow();
        }
    };
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Stopped);
    ASSERT_GT(askedAt, 0u);
    EXPECT_LE(FramesAfter(b, askedAt), 1u);
    EXPECT_EQ(b.image, before);
    EXPECT_EQ(b.host.softDisplays, 0);
    EXPECT_TRUE(b.rec.messages.empty());
    EXPECT_EQ(b.link.transfer.stopPoint().direction, Direction::Read);

    // The request ended with that transfer: the next one runs to its end.
    b.clock.onDelay = nullptr;
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Done);
}

TEST(StopNow, AWriteSaysHowFarItGot) {
    struct Case {
        const char* name;
        int stopAtStep;  // 0: once the block steps are done (the hand-built frames)
        const char* said;
    };
    // Write range 0000-03FF: block step n writes 16 bytes at (n - 4) * 16. A stop asked while
    // step n runs lets its frame finish.
    const Case cases[] = {
        {"in the blocks", 20,
         "Write stopped at 0110: 0000-010F was written, 0110-03FF was not. The radio is partly "
         "written; write again to finish."},
        {"before the first block", 2,
         "Write stopped at 0000: none of 0000-03FF was written. The radio is partly written; "
         "write again to finish."},
        {"in the frames", 0,
         "Write stopped after 0000-03FF was written, before the model, band and parameter "
         "frames were all sent. Write again to finish."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench b;
        b.fillRadio();
        bool asked = false;
        b.clock.onDelay = [&] {
            const int step = b.link.transfer.StepNo();
            const bool due =
                c.stopAtStep ? step == c.stopAtStep : step > b.link.lists.StepNum(Direction::Write);
            if (!asked && b.link.ports.busy() && due) {
                asked = true;
                b.link.transfer.stopNow();
            }
        };
        EXPECT_EQ(b.link.transfer.Write(), Outcome::Stopped);
        EXPECT_TRUE(asked);
        EXPECT_EQ(StopPointText(b.link.transfer.stopPoint(), 3), c.said);
        EXPECT_EQ(b.radio.closings, 0);  // no closing frame after a stop
        EXPECT_TRUE(b.rec.messages.empty());
    }
}

TEST(StopNow, AskedBeforeTheStartNothingIsSent) {
    LinkBench b;
    b.fillRadio();
    b.link.transfer.stopNow();
    EXPECT_EQ(b.link.transfer.Write(), Outcome::Stopped);
    EXPECT_TRUE(b.ports.record(1).writes.empty());
    EXPECT_EQ(StopPointText(b.link.transfer.stopPoint(), 3),
              "Write stopped before anything was written; the radio is unchanged.");
}

}  // namespace
}  // namespace tarvos::link

// Ranges that cannot be transferred are refused before anything is sent: reversed, outside
// the image, or longer than a step list holds.
#include "link/transfer_range.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace tarvos::link {
namespace {

using testing::LinkBench;

TEST(TransferRange, WhatCanBeTransferred) {
    struct Case {
        int start, end, datNum;
        RangeCheck::Fault fault;
    };
    const Case cases[] = {
        {0x0000, 0x03FF, 0x040F, RangeCheck::None},
        {0x0100, 0x0100, 0x040F, RangeCheck::None},  // one byte
        {0x0000, 0x040F, 0x040F, RangeCheck::None},  // to the image's last byte
        {0x0300, 0x0100, 0x040F, RangeCheck::Reversed},
        {0x0101, 0x0100, 0x040F, RangeCheck::Reversed},
        {0x0500, 0x040F, 0x040F, RangeCheck::Reversed},  // a start past an end brought down
        {0x0000, 0x0410, 0x040F, RangeCheck::OutsideImage},
        {-1, 0x0010, 0x040F, RangeCheck::OutsideImage},
        {0x0000, 0x203F, 0x3000, RangeCheck::None},  // 516 blocks: a full list
        {0x0000, 0x2040, 0x3000, RangeCheck::TooManySteps},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "-" + std::to_string(c.end));
        EXPECT_EQ(CheckTransferRange(c.start, c.end, c.datNum).fault, c.fault);
    }
    const RangeCheck reversed = CheckTransferRange(0x0300, 0x0100, 0x040F);
    EXPECT_EQ(RangeRefusalText(Direction::Read, reversed, 3),
              "Read range 0300-0100 is reversed: its start lies above its end.");
    EXPECT_EQ(RangeRefusalText(Direction::Write, reversed, 1),
              "写入范围 0300-0100 的起始地址大于结束地址。");
    EXPECT_EQ(RangeRefusalText(Direction::Write, reversed, 2),
              "寫入範圍 0300-0100 的起始位址大於結束位址。");
}

// A reversed range used to run the handshakes and the closing exchange with no block between
// and report a read or a write that never happened.
TEST(TransferRange, AReversedRangeIsRefusedBeforeAnythingIsSent) {
    for (const Direction d : {Direction::Read, Direction::Write}) {
        SCOPED_TRACE(d == Direction::Read ? "read" : "write");
        LinkBench b;
        b.fillRadio();
        b.link.ranges = {0x0300, 0x0100, 0x0300, 0x0100, 0x03FF};
        b.image.fill(0x5A);
        const ByteImage before = b.image;
        const Outcome o = d == Direction::Read ? b.link.transfer.Read() : b.link.transfer.Write();
        EXPECT_EQ(o, Outcome::Refused);
        EXPECT_TRUE(b.ports.record(1).writes.empty());
        EXPECT_EQ(b.image, before);
        EXPECT_EQ(b.host.softDisplays + b.host.prepared, 0);
        EXPECT_TRUE(b.link.transfer.written().empty());  // nothing for a verification
        ASSERT_FALSE(b.rec.statuses.empty());
        EXPECT_NE(b.rec.statuses.back().find("range 0300-0100 is reversed"), std::string::npos);
        EXPECT_EQ(b.rec.messages, std::vector<int>{0});  // the link's own text in a message box
        EXPECT_TRUE(b.rec.closed);
    }
}

}  // namespace
}  // namespace tarvos::link

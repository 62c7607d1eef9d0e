// Check each read: the range read twice, a third time when the two differ, and only bytes two
// reads agree on taken; where no two agree the read fails, names the addresses and takes
// nothing. Against the in-process virtual radio and its byte faults.
#include "link/checked_read.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link_fixture.h"

namespace tarvos::link {
namespace {

using testing::LinkBench;

// A radio whose bytes do not repeat within the range, so a byte landing elsewhere shows.
void Pattern(LinkBench& b) {
    b.fillRadio();
    for (int a = 0; a < sim::kRadioBytes; ++a)
        b.radio.memory[static_cast<size_t>(a)] =
            static_cast<uint8_t>((a * 151 + a / 256 + 9) & 0xFF);
    b.radio.setLetters("");
    b.radio.setCode("");
}

// Block reads of address addr the radio answered, with either letter pair.
long ReadsOf(const LinkBench& b, const char* addr) {
    return std::count_if(b.radio.journal.begin(), b.radio.journal.end(), [&](const std::string& j) {
        return j.size() == 10 && (j[0] == '5' && (j[1] == '2' || j[1] == '3')) &&
               j.substr(3, 4) == addr;
    });
}

TEST(CheckedRead, ReadsTheRangeTwiceWhenTheReadsAgree) {
    LinkBench b;
    Pattern(b);
    b.link.transfer.setCheckEachRead(true);
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Done);
    EXPECT_TRUE(b.imageMatchesRadio(0, 0x03FF));
    EXPECT_EQ(ReadsOf(b, "0000"), 2);
    EXPECT_EQ(ReadsOf(b, "03F0"), 2);
    EXPECT_EQ(b.host.softDisplays, 1);
    EXPECT_NE(std::find(b.rec.statuses.begin(), b.rec.statuses.end(), "Checking: read 2"),
              b.rec.statuses.end());
}

// Every byte the radio sends during a checked read of four blocks is inverted in turn (handshake,
// headers, data, in the first read or the second): the read ends with the radio's bytes, or
// with a failure the user is told of and the image as it was. Never with the inverted byte.
TEST(CheckedRead, NoCorruptedByteIsEverTaken) {
    LinkBench clean;
    Pattern(clean);
    clean.link.ranges.ReadEndAddr = 0x003F;
    clean.link.transfer.setCheckEachRead(true);
    ASSERT_EQ(clean.link.transfer.Read(), Outcome::Done);
    const int64_t sent = clean.line.bytesOut;

    int thirdReads = 0;
    for (int k = 1; k <= sent; ++k) {
        SCOPED_TRACE(k);
        LinkBench b;
        Pattern(b);
        b.link.ranges.ReadEndAddr = 0x003F;
        b.link.transfer.setCheckEachRead(true);
        b.line.faults.corruptByte = k;
        const ByteImage before = b.image;
        const Outcome o = b.link.transfer.Read();
        if (o == Outcome::Done) {
            ASSERT_TRUE(b.imageMatchesRadio(0, 0x003F));
        } else {
            ASSERT_FALSE(b.rec.messages.empty());
            ASSERT_EQ(b.image, before);
        }
        const std::string third = "Checking: read 3 (the first two differ)";
        if (std::count(b.rec.statuses.begin(), b.rec.statuses.end(), third)) ++thirdReads;
    }
    EXPECT_EQ(thirdReads, 2 * 64);  // a data byte of the first read or of the second

    // Without the check a data byte inverted the same way is taken as read: the last block's
    // third data byte (its reply ends 13 bytes before the closing 0x06).
    LinkBench unchecked;
    Pattern(unchecked);
    unchecked.link.ranges.ReadEndAddr = 0x003F;
    ASSERT_EQ(unchecked.link.transfer.Read(), Outcome::Done);
    const int64_t once = unchecked.line.bytesOut;
    LinkBench blind;
    Pattern(blind);
    blind.link.ranges.ReadEndAddr = 0x003F;
    blind.line.faults.corruptByte = static_cast<int>(once - 14);
    ASSERT_EQ(blind.link.transfer.Read(), Outcome::Done);
    EXPECT_EQ(blind.image[0x0032], static_cast<uint8_t>(~blind.radio.memory[0x0032]));
}

TEST(CheckedRead, ReadsThatNeverAgreeFailAndNameTheAddresses) {
    LinkBench b;
    Pattern(b);
    b.link.transfer.setCheckEachRead(true);
    b.line.faults.weakCell = 0x0123;
    b.image.fill(0x5A);
    const ByteImage before = b.image;
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Failed);
    EXPECT_EQ(b.image, before);
    EXPECT_EQ(b.host.softDisplays, 0);
    EXPECT_EQ(ReadsOf(b, "0120"), 3);
    EXPECT_EQ(b.link.transfer.lastMessage(), 0);  // the link's own text, not a FaceText entry
    EXPECT_EQ(std::count(b.rec.statuses.begin(), b.rec.statuses.end(), "Read Failed"), 1);

    // The same text reaches the observer's message box.
    struct Told : testing::Recorder {
        void messageBox(int, const std::string& text, const std::string&) override { said = text; }
        std::string said;
    } told;
    b.link.setObserver(&told);
    EXPECT_EQ(b.link.transfer.Read(), Outcome::Failed);
    EXPECT_EQ(told.said,
              "Read check failed: no two of three reads agree at 1 address: 0123. Nothing was "
              "taken.");
}

// The vote, byte by byte: a read counts only where it filled the address.
TEST(CheckedRead, SettleTakesTheValueTwoReadsAgreeOn) {
    struct Case {
        int a, b, c;  // the three values; -1: that read did not fill the address
        int settled;  // the value taken, -1: none
    };
    const Case cases[] = {
        {1, 2, 1, 1},  {1, 2, 2, 2},   {1, 1, 9, 1},  {1, 2, 3, -1},
        {1, -1, 1, 1}, {1, -1, 2, -1}, {-1, 4, 4, 4},
    };
    ByteImage start(kMinDatNum);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " " + std::to_string(c.b) + " " + std::to_string(c.c));
        ReadPass reads[3] = {ReadPass(start), ReadPass(start), ReadPass(start)};
        const int values[3] = {c.a, c.b, c.c};
        for (int i = 0; i < 3; ++i)
            if (values[i] >= 0) {
                reads[i].bytes.at(0x40) = static_cast<uint8_t>(values[i]);
                reads[i].touched[0x40] = true;
            }
        ByteImage into = start;
        into.at(0x40) = 0xEE;
        const std::vector<int> unsettled =
            SettleByMajority(reads[0], reads[1], reads[2], {0x40}, into);
        if (c.settled >= 0) {
            EXPECT_TRUE(unsettled.empty());
            EXPECT_EQ(into.at(0x40), c.settled);
        } else {
            EXPECT_EQ(unsettled, std::vector<int>{0x40});
            EXPECT_EQ(into.at(0x40), 0xEE);
        }
    }
    // Only what the first read filled is compared, and a gap in the second read differs.
    ReadPass first(start), second(start);
    for (int a : {3, 4, 5}) first.touched[static_cast<size_t>(a)] = true;
    for (int a : {3, 5, 6}) second.touched[static_cast<size_t>(a)] = true;
    second.bytes.at(5) = 1;
    EXPECT_EQ(Disagreements(first, second), (std::vector<int>{4, 5}));
}

}  // namespace
}  // namespace tarvos::link

// The step lists: block steps and their progress, the write list's special areas, the code
// check, the refusal of ranges the image cannot hold, and the reply analysis.
#include <gtest/gtest.h>

#include "link/hex_text.h"
#include "link_fixture.h"

namespace tarvos::link {
namespace {

using testing::LinkBench;

std::string Vas(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "VA";
    return s;
}

TEST(StepLists, FullRangeReadList) {
    LinkBench b;
    b.link.lists.SetComCmdStd();
    const auto& l = b.link.lists;
    ASSERT_EQ(l.StepNum(Direction::Read), 68);
    EXPECT_EQ(l.ComScript(Direction::Read, 4), "TX52000010RX57000010" + Vas(16) + "EN");
    EXPECT_EQ(l.ComScript(Direction::Read, 67), "TX5203F010RX5703F010" + Vas(16) + "EN");
    EXPECT_EQ(l.ComScript(Direction::Read, 68), "TX06RX06EN");
    std::vector<int> progress;
    for (int s = 1; s <= 68; ++s) progress.push_back(l.StepInfo(Direction::Read, s).progress);
    EXPECT_EQ((std::vector<int>(progress.begin(), progress.begin() + 5)),
              (std::vector<int>{0, 0, 3, 7, 9}));
    EXPECT_EQ(progress[66], 98);
    EXPECT_EQ(progress[67], 100);
    EXPECT_EQ(l.StepInfo(Direction::Read, 67).start, 0x03F0);
}

TEST(StepLists, BlockProgressFormula) {
    // q = 64 for 0000-03FF: step 5 is (4 * 94 / 64) + 3 = 8.875 -> 9; capped at 98.
    EXPECT_EQ(StepLists::BlockProgress(5, 0, 0x3FF), 9);
    EXPECT_EQ(StepLists::BlockProgress(67, 0, 0x3FF), 98);
    EXPECT_EQ(StepLists::BlockProgress(4, 0x3F5, 0x3FF), 98);  // q rounds to 1
}

TEST(StepLists, ShortAndEmptyRanges) {
    LinkBench b;
    b.link.ranges.ReadStartAddr = 0x03F5;
    b.link.ranges.ReadEndAddr = 0x03FF;
    b.link.lists.SetComCmdStd();
    ASSERT_EQ(b.link.lists.StepNum(Direction::Read), 5);
    EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 4), "TX5203F50BRX5703F50B" + Vas(11) + "EN");
    EXPECT_EQ(b.link.lists.StepInfo(Direction::Read, 4).length, 11);

    // A reversed range builds no list: the one before stays, and the refusal names the range.
    b.link.ranges.ReadStartAddr = 0x0100;
    b.link.ranges.ReadEndAddr = 0x00FF;
    b.link.lists.SetComCmdStd();
    ASSERT_EQ(b.link.lists.StepNum(Direction::Read), 5);
    EXPECT_EQ(b.link.lists.refusal(Direction::Read),
              "Read range 0100-00FF is reversed: its start lies above its end.");
}

TEST(StepLists, WriteListAreas) {
    LinkBench b;
    for (int a = 0x0194; a <= 0x019E; ++a) b.image[a] = static_cast<uint8_t>(a - 0x0190);
    b.link.lists.SetComCmdStd();
    const auto& l = b.link.lists;
    EXPECT_EQ(l.ComScript(Direction::Write, 1),
              "TX50524F4752414DRX06TX50524F4752414DRX06TX52038803RXVA038803VAVAVA"
              "TX7501940B0405060708090A0B0C0D0ERX06EN");
    auto scriptAt = [&](int addr) {
        for (int s = 4; s < l.StepNum(Direction::Write); ++s)
            if (l.StepInfo(Direction::Write, s).start == addr)
                return l.ComScript(Direction::Write, s);
        return std::string();
    };
    EXPECT_EQ(scriptAt(0x0280), "TX75028010" + Vas(16) + "RX06EN");
    EXPECT_EQ(scriptAt(0x01A0), "TX5701AC04VAVAVAVARX06EN");
    EXPECT_EQ(scriptAt(0x0010), "TX57001010" + Vas(16) + "RX06EN");
}

TEST(StepLists, CodeCheckScript) {
    LinkBench b;
    const uint8_t code[6] = {0x11, 0x00, 0x12, 0x00, 0x13, 0x00};
    const int at[6] = {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D};
    for (int i = 0; i < 6; ++i) b.image[at[i]] = code[i];
    const std::string stored = "TX52038010RXVA038010VAVAVAVAVA110012VAVAVA001300VAVAEN";

    b.link.lists.SetComCmdStd();  // no code box: no check
    EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 3), "TX06RX06EN");

    b.host.page.rdWrCodeVisible = true;
    b.link.lists.SetComCmdStd();
    EXPECT_EQ(b.link.lists.RdWrCodeMode(), true);
    EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 3), stored);
    EXPECT_EQ(b.link.lists.ComScript(Direction::Write, 3), stored);
    // The write list's last step is the end exchange in code mode too.
    EXPECT_EQ(b.link.lists.ComScript(Direction::Write, b.link.lists.StepNum(Direction::Write)),
              "TX06RX06EN");

    b.host.page.newRdWrCodeVisible = true;
    b.host.page.NewCodeBuf[5] = 0x21;
    b.link.lists.setUseNewCode(true);
    b.link.lists.SetComCmdStd();
    EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 3).substr(30, 6), "21FFFF");

    b.link.lists.reservedCodes = {"999"};
    b.host.page.rdWrCodeText = "999";
    b.link.lists.SetComCmdStd();
    EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 3), "TX06RX06EN");
}

TEST(StepLists, RangesTheImageCannotHoldAreRefusedWhole) {
    LinkBench b;  // DatNum 1039
    b.link.ranges.ReadEndAddr = 0x1FFF;
    b.link.lists.SetComCmdStd();
    EXPECT_EQ(b.link.lists.StepNum(Direction::Read), 0);
    EXPECT_EQ(b.link.lists.refusal(Direction::Read),
              "Read range 0000-1FFF lies outside the memory image 0000-040F.");
    EXPECT_EQ(b.link.lists.refusal(Direction::Read, 1),
              "读取范围 0000-1FFF 超出内存映像 0000-040F。");
    EXPECT_EQ(b.link.lists.refusal(Direction::Read, 2),
              "讀取範圍 0000-1FFF 超出記憶體映像 0000-040F。");
    EXPECT_EQ(b.link.lists.refusal(Direction::Write), "");
    EXPECT_EQ(b.link.lists.StepNum(Direction::Write), 68);  // the other list is fine

    ByteImage big(0x3000);
    testing::Host host;
    RangeSettings ranges{0, 0x2100, 0, 0x03FF, 0x3FF};
    StepLists lists(big, host, ranges, b.errors);
    lists.SetComCmdStd();
    EXPECT_EQ(lists.StepNum(Direction::Read), 0);
    EXPECT_NE(lists.refusal(Direction::Read).find("more than 520 steps"), std::string::npos);
    ranges.ReadEndAddr = 0x203F;  // 516 blocks: exactly full
    lists.SetComCmdStd();
    EXPECT_EQ(lists.StepNum(Direction::Read), 520);
}

TEST(StepLists, ReplyAnalysisChoosesTheLetters) {
    struct Case {
        const char* name;
        uint8_t z, rc, wc;
        bool supported;
        uint8_t read, write;
    };
    const Case cases[] = {
        {"no marker: standard", 0xFF, 0x00, 0x00, true, 0x52, 0x57},
        {"Z with R/W", 0x5A, 0x52, 0x57, true, 0x52, 0x57},
        {"Z with I/M", 0x5A, 0x49, 0x4D, true, 0x49, 0x4D},
        {"Z with H/N", 0x5A, 0x48, 0x4E, true, 0x48, 0x4E},
        {"Z with the pair in use (S/X)", 0x5A, 0x53, 0x58, true, 0x53, 0x58},
        {"Z with A/B: unsupported", 0x5A, 0x41, 0x42, false, 0x53, 0x58},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench b;
        b.link.lists.SetComCmdAlt();
        b.link.interp.VaDat(2) = c.z;
        b.link.interp.VaDat(3) = c.rc;
        b.link.interp.VaDat(4) = c.wc;
        b.link.interp.setVaPos(5);
        EXPECT_EQ(b.link.lists.AnalyseReply(1, b.link.interp) == StepLists::Reply::Ok, c.supported);
        EXPECT_EQ(b.link.lists.ReadCmd(), c.read);
        EXPECT_EQ(b.link.lists.WriteCmd(), c.write);
        if (c.supported) {
            EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 4).substr(2, 2), Hex2(c.read));
        }
    }
}

// Step 2 of a code model finds no code: the check is dropped and the letters at
// 0x0389/0x038A choose the pair; letters that are no pair the radio family uses give the
// alternative "S"/"X", whatever step 1 chose.
TEST(StepLists, RadioWithoutCodeDropsTheCheck) {
    struct Case {
        const char* name;
        uint8_t rc, wc;
        uint8_t read, write;
    };
    const Case cases[] = {
        {"standard pair", 0x52, 0x57, 0x52, 0x57}, {"H/N", 0x48, 0x4E, 0x48, 0x4E},
        {"I/M", 0x49, 0x4D, 0x49, 0x4D},           {"blank letters: S/X", 0xFF, 0xFF, 0x53, 0x58},
        {"H with W: S/X", 0x48, 0x57, 0x53, 0x58}, {"A/B: S/X", 0x41, 0x42, 0x53, 0x58},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkBench b;
        b.host.page.rdWrCodeVisible = true;
        b.link.lists.SetComCmdStd();  // step 1 settled on R/W
        ASSERT_NE(b.link.lists.ComScript(Direction::Read, 3), "TX06RX06EN");
        for (int i = 1; i <= 10; ++i) b.link.interp.VaDat(i) = 0xFF;  // no code
        b.link.interp.VaDat(6) = c.rc;
        b.link.interp.VaDat(7) = c.wc;
        b.link.interp.setVaPos(11);
        b.link.lists.AnalyseReply(2, b.link.interp);
        EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 3), "TX06RX06EN");
        EXPECT_EQ(b.link.lists.CodeProbe(), false);
        EXPECT_EQ(b.link.lists.ReadCmd(), c.read);
        EXPECT_EQ(b.link.lists.WriteCmd(), c.write);
        EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 4).substr(2, 2), Hex2(c.read));
    }
}

// A rebuild the image cannot hold, asked for while a list is in use, leaves that list as
// it was instead of emptying it.
TEST(StepLists, RefusedRebuildKeepsThePreviousList) {
    LinkBench b;
    b.link.lists.SetComCmdAlt();
    const std::string block = b.link.lists.ComScript(Direction::Read, 4);
    b.link.ranges.ReadEndAddr = 0x1FFF;  // beyond DatNum 1039
    b.link.lists.SetComCmdStd();
    EXPECT_NE(b.link.lists.refusal(Direction::Read), "");
    EXPECT_EQ(b.link.lists.StepNum(Direction::Read), 68);
    EXPECT_EQ(b.link.lists.ComScript(Direction::Read, 4), block);
    EXPECT_EQ(b.link.lists.ComScript(Direction::Write, 4).substr(2, 2), "57");  // rebuilt
}

}  // namespace
}  // namespace tarvos::link

// Verifying a write: the plan from the acknowledged writes, the comparison and its summary.
#include "link/verify.h"

#include <gtest/gtest.h>

namespace tarvos::link {
namespace {

TEST(Verify, ThePlanHoldsTheLastValueWrittenInsideTheRadioMemory) {
    const std::vector<WrittenArea> written = {
        {0x0010, {1, 2, 3}},
        {0x0011, {9}},           // written again later: the later value counts
        {0x03FE, {7, 7, 7, 7}},  // the last two bytes lie past the radio's memory
    };
    const VerifyPlan plan = PlanVerification(written);
    EXPECT_EQ(plan.start, 0x0010);
    EXPECT_EQ(plan.end, 0x03FF);
    EXPECT_EQ(plan.expected.size(), 5u);
    EXPECT_EQ(plan.expected.at(0x0011), 9);
    EXPECT_TRUE(PlanVerification({}).empty());
}

TEST(Verify, TheComparisonNamesTheFirstDifferingAddressesInEveryLanguage) {
    std::vector<WrittenArea> written = {{0x0100, std::vector<uint8_t>(32, 0x5A)}};
    const VerifyPlan plan = PlanVerification(written);
    ByteImage back;
    for (int a = 0x0100; a < 0x0120; ++a) back[a] = 0x5A;
    VerifyResult r = CompareReadBack(plan, back);
    EXPECT_TRUE(r.matched());
    EXPECT_EQ(VerifySummary(r, 3), "Verified: all 32 bytes match");
    EXPECT_EQ(VerifySummary(r, 1), "校验通过：全部 32 个字节一致");

    for (int a : {0x0101, 0x0103, 0x0110, 0x011F}) back[a] = 0xA5;
    r = CompareReadBack(plan, back);
    ASSERT_EQ(r.differences.size(), 4u);
    EXPECT_EQ(DifferenceLine(r.differences[0]), "0101: wrote 5A, read A5");
    EXPECT_EQ(VerifySummary(r, 3),
              "Verify failed: 4 of 32 bytes differ, at 0101, 0103, 0110, 011F");
    EXPECT_EQ(VerifySummary(r, 3, 2), "Verify failed: 4 of 32 bytes differ, at 0101, 0103, ...");
    EXPECT_EQ(VerifySummary(r, 2, 2), "校驗失敗：32 個位元組中有 4 個不一致，位址 0101、0103……");
}

}  // namespace
}  // namespace tarvos::link

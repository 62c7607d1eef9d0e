// The images of a fleet write: numbers START, START+STEP … kept to START's width, typed into
// their code box as the window's box takes them, and the document never changed.
#include "document/numbered_write.h"

#include <gtest/gtest.h>

#include "document/write_preview.h"
#include "document_fixture.h"
#include "functions/code_text.h"

namespace tarvos::test {
namespace {

TEST(Numbering, NumbersKeepStartsWidthAndGrowPastIt) {
    struct Case {
        const char* start;
        uint64_t step, k;
        const char* text;
    };
    for (const Case& c :
         {Case{"0101", 1, 0, "0101"}, Case{"0101", 1, 1, "0102"}, Case{"0007", 5, 3, "0022"},
          Case{"99", 1, 1, "100"}, Case{"0", 10, 2, "20"},
          Case{"9999999999999999", 18446744073709551615u, 1, ""}}) {
        SCOPED_TRACE(std::string(c.start) + " k=" + std::to_string(c.k));
        EXPECT_EQ(NumberText(Numbering{"txtPttBot", c.start, c.step}, c.k), c.text);
    }
}

TEST(Numbering, ParsesNameStartAndStepAndRefusesWhatCannotBeNumbered) {
    std::string error;
    auto n = ParseNumbering("txtDtmfIdCode=0101:5", &error);
    ASSERT_TRUE(n) << error;
    EXPECT_EQ(n->box, "txtDtmfIdCode");
    EXPECT_EQ(n->start, "0101");
    EXPECT_EQ(n->step, 5u);
    EXPECT_EQ(ParseNumbering("txtPttEot=7")->step, 1u);
    for (const char* bad :
         {"txtDtmfIdCode", "txtDtmfCloseCode=1", "cboTot=1", "txtPttBot=", "txtPttBot=12a",
          "txtPttBot=1:0", "txtPttBot=1:x", "txtPttBot=1:-2", "txtDtmfIdCode=12345678901"}) {
        SCOPED_TRACE(bad);
        error.clear();
        EXPECT_FALSE(ParseNumbering(bad, &error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(NumberedWrite, GivesTheBytesOfTypingTheNumberAndWritingAndLeavesTheDocument) {
    StartedDocument s;
    ASSERT_TRUE(s.doc.RestoreDefaultSetting());
    const ByteImage before = s.doc.image();
    const NumberedWrite plain(s.doc, std::nullopt);
    const NumberedWrite numbered(s.doc, Numbering{"txtDtmfIdCode", "0101", 1});
    const auto k1 = numbered(1);
    EXPECT_EQ(s.doc.image(), before);
    EXPECT_EQ(plain(7).image, ImageAsWritten(s.doc));
    EXPECT_TRUE(plain(7).number.empty());
    EXPECT_EQ(k1.number, "0102");
    EXPECT_TRUE(k1.refusal.empty());

    // The user's gesture: "0102" typed into the box of the page, then a write.
    FunctionModel& page = s.doc.functions();
    page.SetText(s.doc.image(), page.indexOf("txtDtmfIdCode"), "0102");
    EXPECT_EQ(k1.image, ImageAsWritten(s.doc));
    EXPECT_EQ(DecodeCodeField(k1.image, kDtmfIdCodeField), "0102");
}

TEST(NumberedWrite, ANumberLongerThanItsBoxIsRefusedNotCut) {
    StartedDocument s;
    const NumberedWrite numbered(s.doc, Numbering{"txtDtmfIdCode", "9999999999", 1});
    EXPECT_TRUE(numbered(0).refusal.empty());
    const auto k1 = numbered(1);
    EXPECT_EQ(k1.number, "10000000000");
    EXPECT_EQ(k1.refusal, "the number does not fit its box: 10000000000");
}

}  // namespace
}  // namespace tarvos::test

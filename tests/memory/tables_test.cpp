// The fixed tables: bit masks, the tone list and the radio character table.
#include <gtest/gtest.h>

#include <map>

#include "memory/bit_masks.h"
#include "memory/channel_codec.h"
#include "memory/char_table.h"
#include "memory/tone_list.h"

namespace tarvos {
namespace {

TEST(BitMasks, SetAndClearMasksAreComplements) {
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(BitMask[k], 1u << k);
        EXPECT_EQ(static_cast<uint16_t>(BitMask[k] | BitClearMask[k]), 0xFFFF);
        EXPECT_EQ(BitMask[k] & BitClearMask[k], 0);
    }
    EXPECT_EQ(kEndOfThisItem, "*EndOfThisItem*");
}

TEST(ToneList, IndexesNameTheDocumentedTones) {
    ToneList list(3);
    ASSERT_EQ(list.size(), 261);
    const std::pair<int, const char*> cases[] = {
        {0, "None"},    {1, "67.0"},    {13, "100.0"},  {50, "254.1"},
        {51, "D023N"},  {144, "D645N"}, {145, "D654N"}, {155, "D754N"},
        {156, "D023I"}, {249, "D645I"}, {260, "D754I"},
    };
    for (auto [i, name] : cases) EXPECT_EQ(list[i], name) << i;
    EXPECT_THROW(list[261], Failure);
    EXPECT_THROW(list[-1], Failure);
    EXPECT_EQ(list.indexOf("D645I"), 249);
    EXPECT_EQ(list.indexOf("D999N"), -1);
}

TEST(ToneList, NoneTextFollowsLanguage) {
    EXPECT_EQ(ToneList(1).NoneText(), "无");
    EXPECT_EQ(ToneList(2).NoneText(), "None");  // not a Chinese word in Traditional
    EXPECT_EQ(ToneList(3).NoneText(), "None");
    EXPECT_EQ(ToneList(7).NoneText(), "None");
}

// Every name converts to its stored value and back: CTCSS as tenths of a hertz, DCS as
// 0x2800 / 0xA800 plus the octal code, none as 0xFFFF.
TEST(ToneList, EveryNameRoundTripsThroughItsStoredValue) {
    ToneList list(1);
    for (int i = 0; i < list.size(); ++i) {
        auto code = ToneCodeOf(list[i], list.NoneText());
        ASSERT_TRUE(code) << list[i];
        const uint16_t v = *code;
        if (i == 0) {
            EXPECT_EQ(v, 0xFFFF);
        } else if (i <= 50) {
            EXPECT_LT(v, 0x0B00) << list[i];
        } else {
            EXPECT_EQ(v & 0xFE00, i <= 155 ? 0x2800 : 0xA800) << list[i];
            // The same code of the other polarity differs only in bit 15.
            const int twin = i <= 155 ? i + 105 : i - 105;
            EXPECT_EQ(v ^ 0x8000, ToneCodeOf(list[twin], list.NoneText()).value()) << list[i];
        }
        EXPECT_EQ(ToneTextOf(*code, list.NoneText()), list[i]);
    }
}

TEST(RadioCharTable, DocumentedCodes) {
    EXPECT_EQ(RadioCharCode(U'A'), 65);
    EXPECT_EQ(RadioCharCode(U'一'), 1000);
    EXPECT_EQ(RadioCharCode(U'中'), 1045);
    EXPECT_EQ(RadioCharCode(U'\u9FA5'), 21901);
    EXPECT_EQ(RadioCharCode(U' '), 0);
    EXPECT_EQ(RadioCharCode(U'"'), kNoRadioChar);
    EXPECT_EQ(RadioCharCode(U'，'), kNoRadioChar);
    EXPECT_EQ(RadioCharCode(U'\u9FA6'), kNoRadioChar);
    EXPECT_EQ(RadioCharText(34), " ");
    EXPECT_EQ(RadioCharText(500), "");
    EXPECT_EQ(RadioCharText(21902), "");
    EXPECT_EQ(RadioCharText(1045), "中");
}

// The direct computation gives the first matching code of the table for every character
// the table holds, and "not found" for characters around its edges.
TEST(RadioCharTable, DirectComputationAgreesWithTheTable) {
    static const RadioCharTable table;
    std::map<char32_t, int> first;
    for (int code = 0; code < kRadioCharCount; ++code) {
        const auto& e = table.entry(code);
        if (e.size() == 1) first.emplace(e[0], code);
    }
    for (auto [c, code] : first) ASSERT_EQ(RadioCharCode(c), code) << static_cast<int>(c);
    for (char32_t c : {U'\0', U'\x1F', U'"', U'\x7F', U'\x80', U'\u4DFF', U'\u9FA6', U'é'})
        EXPECT_EQ(RadioCharCode(c), table.search(c)) << static_cast<int>(c);
    for (char32_t c : {U' ', U'A', U'~', U'一', U'\u9FA5'})
        EXPECT_EQ(RadioCharCode(c), table.search(c)) << static_cast<int>(c);
}

TEST(RadioCharTable, Utf8ConversionsRoundTrip) {
    const std::string text = "A中\u9FA5 ~é";
    EXPECT_EQ(U32ToUtf8(Utf8ToU32(text)), text);
    EXPECT_EQ(Utf8ToU32("\xE4\xB8"), std::u32string(2, 0xFFFD));  // cut in the middle
}

}  // namespace
}  // namespace tarvos

// The memory view's rules: the text conversions of its tip and fill, the refresh with its red
// marks, what a typed cell stands for, and the checks of a partial fill.
#include "document/memory_view.h"

#include <gtest/gtest.h>

namespace tarvos {
namespace {

struct Logged {
    RecordingSink sink;
    ErrorLog log{&sink};
};

TEST(MemoryViewText, Conversions) {
    Logged l;
    EXPECT_EQ(FormatByteDat(0x0A), "0A");
    EXPECT_EQ(FormatByteDat(0xFF), "FF");
    EXPECT_EQ(H_To_B("3F"), "00111111");
    EXPECT_EQ(H_To_B("f"), "1111");
    EXPECT_EQ(H_To_B("x1"), "0001");
    EXPECT_EQ(H_To_B(""), "");
    EXPECT_EQ(B_To_D("101", l.log).value, 5);
    EXPECT_EQ(B_To_D("00111111", l.log).value, 63);
    EXPECT_EQ(B_To_BitShow("00111111"), "B7:0 B6:0 B5:1 B4:1   B3:1 B2:1 B1:1 B0:1 ");
    EXPECT_EQ(B_To_BitShow("1010"), "  B3:1 B2:0 B1:1 B0:0 ");
    EXPECT_EQ(SeparateChar("3F", l.log), (std::array<int, 4>{15, 3, 0, 0}));
    // A character that is no digit of its kind counts 0 (a decimal digit keeps its value).
    EXPECT_EQ(SeparateChar("G1", l.log), (std::array<int, 4>{1, 0, 0, 0}));
    EXPECT_EQ(B_To_D("12", l.log).value, 4);
    EXPECT_EQ(B_To_D("1x1", l.log).value, 5);
    EXPECT_EQ(B_To_BitShow(""), "");
    EXPECT_EQ(B_To_BitShow("101"), "B2:1 B1:0 B0:1 ");
    EXPECT_EQ(AddressText(0x3FF), "03FF");
    EXPECT_TRUE(l.sink.lines.empty());

    // Sixteen ones pass 32767: the conversion stops at the value reached and says so.
    const BinaryValue big = B_To_D("1111111111111111", l.log);
    EXPECT_TRUE(big.stopped);
    EXPECT_EQ(big.value, 32767);
    EXPECT_EQ(SeparateChar("12345", l.log), (std::array<int, 4>{5, 4, 3, 2}));
    EXPECT_EQ(l.sink.locations(),
              (std::vector<std::string>{"frmMemDat->B_To_D", "frmMemDat->SeparateChar"}));
}

TEST(MemoryViewText, Tip) {
    Logged l;
    EXPECT_EQ(CellTipText(0x0010, "3F", l.log),
              "地址为: 0x0010    二进制:00111111    B7:0 B6:0 B5:1 B4:1   B3:1 B2:1 B1:1 B0:1 "
              "    十进制63    \r\n");
    EXPECT_EQ(CellTipText(0x0010, "", l.log), "");
}

TEST(MemoryView, RowsFollowTheLastAddressOfTheStart) {
    const MemoryView big(0x1FFF);
    EXPECT_EQ(big.rows(), 512);
    EXPECT_TRUE(big.hasCell(0x1FFF));
    EXPECT_FALSE(big.hasCell(0x2000));
    EXPECT_EQ(MemoryView::RowLabel(1), "0000H");
    EXPECT_EQ(MemoryView::RowLabel(512), "1FF0H");

    // 0x03F8: 64 rows; the cells after the last address stay empty and show no tip.
    Logged l;
    ByteImage image;
    MemoryView view(0x03F8);
    EXPECT_EQ(view.rows(), 64);
    view.TableFreDat(image, 0x03F8, l.log);
    EXPECT_EQ(view.text(0x03F8), "00");
    EXPECT_EQ(view.text(0x03F9), "");
    EXPECT_EQ(CellTipText(0x03F9, view.text(0x03F9), l.log), "");
    EXPECT_TRUE(l.sink.lines.empty());
}

TEST(MemoryView, HiddenGesturesOfTheChannelWindow) {
    // Double-clicks on the model label: the 9th shows, the count runs to 10 and then starts
    // at 0, so the next showing one is the 20th.
    MemoryViewGestures g;
    std::vector<int> shown;
    for (int i = 1; i <= 31; ++i)
        if (g.ModelLabelDblClick()) shown.push_back(i);
    EXPECT_EQ(shown, (std::vector<int>{9, 20, 31}));
    // Clicks on the model frame: every count that leaves 6 on division by 10.
    shown.clear();
    for (int i = 1; i <= 40; ++i)
        if (g.ModelFrameClick()) shown.push_back(i);
    EXPECT_EQ(shown, (std::vector<int>{6, 16, 26, 36}));
}

TEST(MemoryView, RefreshMarksTheBytesThatChanged) {
    Logged l;
    ByteImage image;
    MemoryView view(0x03FF);
    view.TableFreDat(image, 0x03FF, l.log);  // the first refresh marks nothing
    EXPECT_EQ(view.cursor(), -1);
    EXPECT_EQ(view.text(0x0010), "00");

    image.at(0x0010) = 0x3F;
    image.at(0x0385) = 0x31;
    view.TableFreDat(image, 0x03FF, l.log);
    int red = 0;
    for (int a = 0; a <= 0x03FF; ++a) red += view.red(a);
    EXPECT_EQ(red, 2);
    EXPECT_TRUE(view.red(0x0010));
    EXPECT_TRUE(view.red(0x0385));
    EXPECT_EQ(view.cursor(), 0x0385);
    view.SetDefColor();
    EXPECT_FALSE(view.red(0x0010));

    // A larger last address than the rows: the refresh stops at the first address without one.
    view.TableFreDat(image, 0x0400, l.log);
    EXPECT_EQ(l.sink.locations(), (std::vector<std::string>{"modMemDat->TableFreDat"}));
}

TEST(MemoryView, TypedCells) {
    Logged l;
    ByteImage image;
    MemoryView view(0x03FF);
    view.TableFreDat(image, 0x03FF, l.log);
    EXPECT_EQ(view.TypeCell(0x20, "a", l.log), std::optional<uint8_t>(0x0A));
    EXPECT_EQ(view.text(0x20), "a");
    EXPECT_EQ(view.TypeCell(0x21, "1FF", l.log), std::nullopt);
    EXPECT_EQ(l.sink.locations(), (std::vector<std::string>{"frmMemDat->GridDataTemp"}));

    // The next refresh shows the bytes again; a text that is no byte counts as changed.
    image.at(0x20) = 0x0A;
    view.TableFreDat(image, 0x03FF, l.log);
    EXPECT_EQ(view.text(0x20), "0A");
    EXPECT_FALSE(view.red(0x20));
    EXPECT_EQ(view.text(0x21), "00");
    EXPECT_TRUE(view.red(0x21));

    // A typed text is read as a hexadecimal number: "00A" is the byte it stands for.
    view.TypeCell(0x22, "00a", l.log);
    image.at(0x22) = 0x0A;
    view.TableFreDat(image, 0x03FF, l.log);
    EXPECT_FALSE(view.red(0x22));

    // Five characters: only the last four count, and the long text is logged.
    Logged five;
    EXPECT_EQ(view.TypeCell(0x23, "000FF", five.log), std::optional<uint8_t>(0xFF));
    EXPECT_EQ(five.sink.locations(), (std::vector<std::string>{"frmMemDat->SeparateChar"}));
}

TEST(PartialFill, ValuesAndAddresses) {
    struct Case {
        FillBase base;
        const char* value;
        const char* start;
        const char* end;
        int expectValue;  // -1: refused
    };
    const Case cases[] = {
        {FillBase::Hex, "300", "0005", "0012", 255},
        {FillBase::Decimal, "12", "0", "1", 12},
        {FillBase::Binary, "101", "0", "1", 5},
        {FillBase::Hex, "FF", "12", "5", 255},
        {FillBase::Decimal, "abc", "0", "1", -1},
        {FillBase::Decimal, "40000", "0", "1", -1},
        {FillBase::Decimal, "-5", "0", "1", -1},
        {FillBase::Hex, "FF", "0", "0410", -1},
        {FillBase::Hex, "FFFFF", "0", "1", 255},
        {FillBase::Hex, "FFFF", "0", "1", 255},
        {FillBase::Binary, "11111111111111111", "0", "1", 255},
        {FillBase::Hex, "1", "0", "FFFFF", -1},
        {FillBase::Decimal, " 7 ", "0", "1", 7},
        {FillBase::Decimal, "", "0", "1", -1},
        {FillBase::Decimal, "32767", "0", "1", 255},
        {FillBase::Decimal, "32768", "0", "1", -1},
        {FillBase::Binary, "11111111111", "0", "1", 255},
        {FillBase::Hex, "FF", "8000", "8001", -1},
    };
    for (const Case& c : cases) {
        Logged l;
        const auto fill = CheckFill({c.base, c.value, c.start, c.end}, 0x040F, l.log);
        if (c.expectValue < 0) {
            EXPECT_FALSE(fill) << c.value << " " << c.end;
            EXPECT_FALSE(l.sink.lines.empty());
        } else {
            ASSERT_TRUE(fill) << c.value;
            EXPECT_EQ(fill->value, c.expectValue) << c.value;
        }
    }
    Logged l;
    const auto fill = CheckFill({FillBase::Hex, "FF", "0005", "0012"}, 0x040F, l.log);
    EXPECT_EQ(fill->start, 0x05);
    EXPECT_EQ(fill->end, 0x12);

    // An overflow of the value is B_To_D's own: logged there, and the value reached fills.
    const auto big = CheckFill({FillBase::Hex, "FFFF", "0005", "0012"}, 0x040F, l.log);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->value, 0xFF);
    EXPECT_EQ(l.sink.locations(), std::vector<std::string>{"frmMemDat->B_To_D"});
}

}  // namespace
}  // namespace tarvos

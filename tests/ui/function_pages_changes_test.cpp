// A change on screen writes the bytes tarvos-cli set writes; code boxes filter what is typed
// and two-tone cells follow their rules.

#include "function_pages_fixture.h"

namespace tarvos::ui::test {
namespace {

TEST_F(FunctionPagesTest, ChangesOnScreenWriteTheBytesTheSetCommandWrites) {
    startIn(3);
    struct Case {
        const char* what;
        std::function<QString()> gesture;  // does it on screen, returns the set assignment
    };
    const std::vector<Case> cases = {
        {"list",
         [&] {
             pick("cboTot", 3);
             return QString("cboTot=3");
         }},
        {"list with an offset",
         [&] {
             pick("cboRadioSql", 5);
             return QString("cboRadioSql=5");
         }},
        {"list coupling the interval",
         [&] {
             pick("cboCodeContiTime", 20);
             return QString("cboCodeContiTime=20");
         }},
        {"one bit per entry",
         [&] {
             pick("cboTailDel", 7);
             return QString("cboTailDel=7");
         }},
        {"identity nibble",
         [&] {
             pick("cboRadioId(3)", 5);
             return QString("cboRadioId(3)=5");
         }},
        {"alarm channel bits",
         [&] {
             pick("cboAlarmCh", 16);
             return QString("cboAlarmCh=16");
         }},
        {"loudness step",
         [&] {
             pick("cboDtmf2ToneVol", 255);
             return QString("cboDtmf2ToneVol=255");
         }},
        {"group code",
         [&] {
             pick("cboStunGrpCode", 5);
             return QString("cboStunGrpCode=5");
         }},
        {"VOX comparison list",
         [&] {
             pick("cboVoxCmpDat(4)", 100);
             return QString("cboVoxCmpDat(4)=100");
         }},
        {"short side key",
         [&] {
             clickRow("listSk1Short", 9);
             return QString("listSk1Short=9");
         }},
        {"long side key",
         [&] {
             clickRow("listSk2Long", 18);
             return QString("listSk2Long=18");
         }},
        {"check",
         [&] {
             click("chkBeep");  // ticked in the defaults
             return QString("chkBeep=false");
         }},
        {"inverted check",
         [&] {
             click("chkAlarmSwitch");  // ticked in the defaults
             return QString("chkAlarmSwitch=false");
         }},
        {"check coupling the monitor tone",
         [&] {
             click("chkTxEndTone");  // not ticked in the defaults
             return QString("chkTxEndTone=true");
         }},
        {"code text",
         [&] {
             type("txtPttBot", "12ab*#x");
             return QString("txtPttBot=12ab*#x");
         }},
        {"code text with characters the box drops",
         [&] {
             type("txtPttBot", "x1x2x3x4x5x6x7x8x9x0");
             EXPECT_EQ(find<QLineEdit>("txtPttBot")->text(), "1234567890");
             return QString("txtPttBot=x1x2x3x4x5x6x7x8x9x0");
         }},
        {"code text past the box's length",
         [&] {
             type("txtDtmfIdCode", "a1b2c3d4e5f6g7h8i9j0k1");
             EXPECT_EQ(find<QLineEdit>("txtDtmfIdCode")->text(), "1234567890");
             return QString("txtDtmfIdCode=a1b2c3d4e5f6g7h8i9j0k1");
         }},
        {"a list enabled by an earlier pick",
         [&] {
             pick("cboScanPriChSort", 1);
             pick("cboPriCh", 5);
             return QString("cboScanPriChSort=1\ncboPriCh=5");
         }},
        {"split stun code",
         [&] {
             type("txtDtmfCloseCode", "0123456789");
             return QString("txtDtmfCloseCode=0123456789");
         }},
        {"message text with a space",
         [&] {
             type("txtInfo(1)", "Hi There");
             EXPECT_EQ(find<QLineEdit>("txtInfo(1)")->text(), "Hi There");
             return QString("txtInfo(1)=Hi There");
         }},
        {"two-tone frequency",
         [&] {
             typeCell(0, 1, 1, "2000");
             return QString("twoTone(1).aFre=2000");
         }},
        {"two-tone in the second grid",
         [&] {
             typeCell(1, 2, 3, "100");
             auto* grid = find<GridControl>("vsfgGridTwoTone(1)");
             EXPECT_EQ(grid->text(2, 3), "350.0");  // lifted to the lowest frequency
             EXPECT_EQ(grid->text(2, 4), "0.3");    // with the duration it needs
             return QString("twoTone(10).bFre=100");
         }},
        {"read/write code",
         [&] {
             type("txtRdWrCode", "5");
             return QString("txtRdWrCode=5");
         }},
    };
    window->OpenFile(path("DefRadioSet.def"));
    const QByteArray unchanged = savedByWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->OpenFile(path("DefRadioSet.def"));
        const QString assignment = c.gesture();
        const QByteArray byWindow = savedByWindow();
        const QByteArray byCli = savedByCli(assignment);
        ASSERT_EQ(byWindow.size(), 1040);
        EXPECT_NE(byWindow, unchanged);  // a gesture that changes nothing proves nothing
        ASSERT_EQ(byCli.size(), 1040);
        for (int i = 0; i < byWindow.size(); ++i)
            ASSERT_EQ(static_cast<uint8_t>(byWindow[i]), static_cast<uint8_t>(byCli[i]))
                << assignment.toStdString() << " at image byte 0x" << std::hex
                << (i - kFileImageOffset);
    }
}

TEST_F(FunctionPagesTest, CodeBoxesFilterAsTheUserTypes) {
    startIn(3);
    type("txtPttBot", "12ab*#x");
    EXPECT_EQ(find<QLineEdit>("txtPttBot")->text(), "12AB*#");
    EXPECT_EQ(find<QLineEdit>("txtPttBot")->cursorPosition(), 6);
    const uint8_t pttBot[16] = {0x31, 0x32, 0x41, 0x42, 0x2A, 0x23, 0xFF, 0xFF,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image().at(0x0140 + i), pttBot[i]) << i;
    type("txtDtmfIdCode", "A1");
    EXPECT_EQ(find<QLineEdit>("txtDtmfIdCode")->text(), "1");
    EXPECT_EQ(image().at(0x0120), 0x31);
    EXPECT_EQ(image().at(0x0121), 0xFF);
    // Leaving a message box shows it as stored, without the blanks at its end.
    type("txtInfo(2)", "AB ");
    EXPECT_EQ(find<QLineEdit>("txtInfo(2)")->text(), "AB ");
    find<QLineEdit>("txtInfo(1)")->setFocus();
    EXPECT_EQ(find<QLineEdit>("txtInfo(2)")->text(), "AB");
}

TEST_F(FunctionPagesTest, TwoToneCellsFollowTheirRules) {
    startIn(3);
    const int r = 0x0280 + 8 * 2;      // entry 3
    const int empty = 0x0280 + 8 * 3;  // entry 4: no tone, an interval byte left over
    openPatched({{empty + 6, 7}, {empty + 7, 0xFF}});
    typeCell(0, 3, 1, "2000");
    auto* grid = find<GridControl>("vsfgGridTwoTone(0)");
    EXPECT_EQ(grid->text(3, 2), "0.3");
    EXPECT_EQ(image().at(r), 0x20);
    EXPECT_EQ(image().at(r + 1), 0x4E);
    EXPECT_EQ(image().at(r + 7), 90);
    EXPECT_EQ(grid->text(3, 5), "");  // no interval without a B tone
    typeCell(0, 3, 3, "tone");
    EXPECT_EQ(grid->text(3, 3), "1500.0");
    EXPECT_EQ(grid->text(3, 5), "0.3");
    typeCell(0, 3, 1, "5000");
    EXPECT_EQ(grid->text(3, 1), "3000.0");
    EXPECT_EQ(image().at(r + 6), 3);
    typeCell(0, 3, 1, "");
    typeCell(0, 3, 3, "");
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(grid->text(3, c), "") << c;
    for (int i : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(image().at(r + i), 0xFF) << i;
    EXPECT_EQ(image().at(empty + 6), 7);  // an entry without tones keeps its interval byte
}

}  // namespace
}  // namespace tarvos::ui::test

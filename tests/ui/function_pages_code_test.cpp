// The read/write code: the box says whether the image holds a code without showing it, a
// coded radio is read with its code, and a write gives it the new one.

#include <QLabel>

#include "function_pages_fixture.h"
#include "memory/char_table.h"

namespace tarvos::ui::test {
namespace {

TEST_F(FunctionPagesTest, TheCodeBoxIndicatesAStoredCodeWithoutShowingIt) {
    startIn(3);
    auto* code = find<QLineEdit>("txtRdWrCode");
    type("txtRdWrCode", "5");
    const int c5 = RadioCharCode(U'5');
    EXPECT_EQ(image().at(0x0385), c5 & 0xFF);
    EXPECT_EQ(image().at(0x0386), c5 >> 8);
    for (int a : {0x0387, 0x038B, 0x038C, 0x038D}) EXPECT_EQ(image().at(a), 0) << a;
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(160, 32, 32));
    EXPECT_EQ(code->text(), "5");
    type("txtRdWrCode", "  ");
    for (int a : {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D})
        EXPECT_EQ(image().at(a), 0xFF) << a;
    EXPECT_EQ(code->text(), "");
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(192, 192, 192));

    // The new-code controls show with their box and keep the new code when hidden.
    auto* newCode = find<QLineEdit>("txtNewRdWrCode");
    EXPECT_TRUE(newCode->isHidden());
    EXPECT_TRUE(find<QLabel>("lblNewRdWrCode")->isHidden());
    click("chkNewRdWrCode");
    EXPECT_FALSE(newCode->isHidden());
    EXPECT_FALSE(find<QLabel>("lblRdWrCodeHint(1)")->isHidden());
    compose("txtNewRdWrCode", QString::fromUtf8("1€2"));  // outside the character table: dropped
    EXPECT_EQ(newCode->text(), "12");
    const auto kept = app->document.functions().newCodeBuf();
    EXPECT_EQ(kept[5], '1');
    click("chkNewRdWrCode");
    EXPECT_TRUE(newCode->isHidden());
    EXPECT_EQ(app->document.functions().newCodeBuf(), kept);
}

TEST_F(FunctionPagesTest, ACodedRadioIsReadWithItsCodeAndWrittenWithANewOne) {
    radio.memory = memoryOf("DefRadioSet.def");
    radio.setCode("A1");
    // A radio that takes the code frames after the blocks of a write.
    radio.memory[0x03D3] = 0x28;
    radio.memory[0x03D4] = 120;
    startIn(3);
    // Without the code the check fails to the end.
    window->StartRead();
    EXPECT_EQ(window->statusText(1), "Read Failed");
    ASSERT_FALSE(host.told.isEmpty());
    EXPECT_EQ(host.told.last(), ft(97));

    type("txtRdWrCode", "A1");
    host.told.clear();
    window->StartRead();
    EXPECT_EQ(window->statusText(1), "Read Successful");
    EXPECT_TRUE(host.told.isEmpty());
    for (int a = 0; a < 0x0360; ++a)
        ASSERT_EQ(image().at(a), radio.memory[static_cast<size_t>(a)]) << a;
    EXPECT_EQ(find<QLineEdit>("txtRdWrCode")->text(), "A1");
    EXPECT_EQ(find<QLineEdit>("txtRdWrCode")->palette().color(QPalette::Base), QColor(160, 32, 32));

    // Writing with a new code set gives the radio that code.
    click("chkNewRdWrCode");
    type("txtNewRdWrCode", "B2");
    window->StartWrite();
    EXPECT_EQ(window->statusText(1), "Write Successful");
    sim::VirtualRadio expected;
    expected.setCode("B2");
    for (int a : {0x0385, 0x0386, 0x0387, 0x038B, 0x038C, 0x038D})
        EXPECT_EQ(radio.memory[static_cast<size_t>(a)], expected.memory[static_cast<size_t>(a)])
            << a;
}

}  // namespace
}  // namespace tarvos::ui::test

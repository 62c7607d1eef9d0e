// Controls enabled by others follow them, and what the window shows disabled tarvos-cli set
// refuses too.

#include <QCheckBox>

#include "function_pages_fixture.h"

namespace tarvos::ui::test {
namespace {

TEST_F(FunctionPagesTest, EnabledStatesFollowTheirControls) {
    startIn(3);
    auto enabled = [this](const char* name) { return find<QWidget>(name)->isEnabled(); };
    pick("cboTailDel", 7);
    EXPECT_EQ(image().at(0x036B), 0x00);
    EXPECT_FALSE(enabled("chkNoCdEncRxFreTail"));
    EXPECT_FALSE(enabled("chkNoCdEncTxFreTail"));
    pick("cboTailDel", 2);
    EXPECT_EQ(image().at(0x036B), 0x04);
    EXPECT_TRUE(enabled("chkNoCdEncRxFreTail"));
    EXPECT_TRUE(enabled("chkNoCdEncTxFreTail"));

    if (!find<QCheckBox>("chkBatSave")->isChecked()) click("chkBatSave");
    EXPECT_TRUE(enabled("cboSaveMode"));
    click("chkBatSave");
    EXPECT_FALSE(enabled("cboSaveMode"));

    pick("cboScanPriChSort", 1);
    EXPECT_TRUE(enabled("cboPriCh"));
    pick("cboScanPriChSort", 2);
    EXPECT_FALSE(enabled("cboPriCh"));

    pick("cboLowBatAlarmTimer", 0);
    for (const char* name : {"cboLowPwrToneSort", "chkLowBatAn", "chkLowBatTone"})
        EXPECT_FALSE(enabled(name)) << name;
    pick("cboLowBatAlarmTimer", 3);
    for (const char* name : {"cboLowPwrToneSort", "chkLowBatAn", "chkLowBatTone"})
        EXPECT_TRUE(enabled(name)) << name;

    type("txtDtmfCloseCode", "12");
    EXPECT_FALSE(enabled("cboDtmfCloseSort"));
    type("txtDtmfCloseCode", "3", false);
    EXPECT_TRUE(enabled("cboDtmfCloseSort"));

    // The monitor end tone follows a tick of the end tone, its bit with it.
    if (find<QCheckBox>("chkTxEndTone")->isChecked()) click("chkTxEndTone");
    EXPECT_FALSE(enabled("chkMoniTxEndTone"));
    EXPECT_EQ(image().at(0x0367) & 0x10, 0);
    click("chkTxEndTone");
    EXPECT_TRUE(enabled("chkMoniTxEndTone"));
    EXPECT_TRUE(find<QCheckBox>("chkMoniTxEndTone")->isChecked());
    EXPECT_EQ(image().at(0x0367) & 0x10, 0x10);
}

// A control the window shows disabled takes nothing there, and tarvos-cli set refuses it,
// naming it, with nothing written.
TEST_F(FunctionPagesTest, ControlsShownDisabledAreRefusedBySetToo) {
    startIn(3);
    window->OpenFile(path("DefRadioSet.def"));
    for (const char* name : {"cboPriCh", "chkMoniTxEndTone", "cboDtmfCloseSort"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(find<QWidget>(name)->isEnabled());
        const QString value = QString(name).startsWith("chk") ? "true" : "1";
        QProcess p;
        p.start(kCli, {"set", path("DefRadioSet.def"), "--out", path("refused.dat"),
                       QString("%1=%2").arg(name, value)});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 2);
        EXPECT_EQ(p.readAllStandardError(),
                  QString("tarvos-cli set: %1 is disabled (as the window shows it with these "
                          "settings)\n")
                      .arg(name)
                      .toUtf8());
        EXPECT_FALSE(QFile::exists(path("refused.dat")));
    }
}

}  // namespace
}  // namespace tarvos::ui::test

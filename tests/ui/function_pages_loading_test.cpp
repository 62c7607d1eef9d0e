// What a loaded image shows in the controls, New and Restore Default Setting reloading the
// pages, the VOX comparison lists, and the wheel over a list.

#include <QCheckBox>
#include <QPushButton>
#include <QWheelEvent>

#include "function_pages_fixture.h"
#include "functions/bindings.h"
#include "memory/char_table.h"

namespace tarvos::ui::test {
namespace {

TEST_F(FunctionPagesTest, ALoadedImageShowsInTheControls) {
    startIn(3);
    const int tt = 0x0280 + 8 * 9;  // two-tone entry 10
    openPatched({{0x0130, 200},
                 {0x036B, 0x80},
                 {0x036D, 0x00},
                 {0x0367, 0x10},
                 {0x0360, 9},
                 {0x0120, 0x31},
                 {0x0121, 0x32},
                 {0x0122, 0xFF},
                 {0x019E, 0},
                 {tt, 0x20},
                 {tt + 1, 0x4E},
                 {tt + 2, 150},
                 {tt + 7, 90},
                 {0x0385, static_cast<uint8_t>(RadioCharCode(U'A') & 0xFF)},
                 {0x0386, static_cast<uint8_t>(RadioCharCode(U'A') >> 8)}});
    EXPECT_TRUE(channels().moreFuncTabs()->isHidden());
    EXPECT_EQ(find<QComboBox>("cboTot")->currentIndex(), 4);
    EXPECT_EQ(find<QComboBox>("cboTot")->currentText(), "60s");
    EXPECT_EQ(image().at(0x0130), 4);
    EXPECT_EQ(find<QComboBox>("cboTailDel")->currentIndex(), 4);
    EXPECT_EQ(image().at(0x036B), 0x10);
    EXPECT_FALSE(find<QCheckBox>("chkTxEndTone")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkMoniTxEndTone")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkMoniTxEndTone")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("chkAlarmSwitch")->isChecked());  // inverted
    EXPECT_EQ(find<QListWidget>("listSk1Short")->currentRow(), 0);
    EXPECT_EQ(find<QListWidget>("listSk1Short")->selectedItems().size(), 1);
    EXPECT_EQ(image().at(0x0360), 0);
    EXPECT_EQ(find<QLineEdit>("txtDtmfIdCode")->text(), "12");
    for (int k = 1; k <= 10; ++k)  // the marker was missing: the default values
        EXPECT_EQ(find<QComboBox>(QString("cboVoxCmpDat(%1)").arg(k))->currentIndex(),
                  kVoxCmpDefaults[k - 1]);
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->toolTip(), "2200mv");
    auto* grid = find<GridControl>("vsfgGridTwoTone(1)");
    EXPECT_EQ(grid->text(2, 1), "2000.0");
    EXPECT_EQ(grid->text(2, 2), "1.0");
    EXPECT_EQ(image().at(tt + 2), 10);
    // A stored code turns the box dark red; the code itself is not shown.
    auto* code = find<QLineEdit>("txtRdWrCode");
    EXPECT_EQ(code->text(), "");
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(160, 32, 32));
    window->OpenFile(path("DefRadioSet.def"));
    EXPECT_EQ(code->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->currentIndex(),
              image().at(0x0194));  // each list from its own byte again
}

TEST_F(FunctionPagesTest, NewAndRestoreDefaultsReloadThePages) {
    startIn(3);
    // cboSql as the template (New) and the defaults file (Restore Default Setting) hold it.
    constexpr int kSql = 0x0134;
    const int fromTemplate =
        static_cast<uint8_t>(readFile(path("dhcpqec.def"))[kFileImageOffset + kSql]);
    const int fromDefaults =
        static_cast<uint8_t>(readFile(path("DefRadioSet.def"))[kFileImageOffset + kSql]);
    ASSERT_NE(fromTemplate, 9);
    ASSERT_NE(fromDefaults, 9);
    // Should either command ask about the unsaved change: discard it.
    host.threeWay = {DesktopHost::Answer::No, DesktopHost::Answer::No};
    pick("cboSql", 9);
    window->action("mnuFileNew")->trigger();
    EXPECT_EQ(image().at(kSql), fromTemplate);
    EXPECT_EQ(find<QComboBox>("cboSql")->currentIndex(), fromTemplate);
    pick("cboSql", 9);
    find<QPushButton>("cmdDefSet")->click();
    EXPECT_EQ(image().at(kSql), fromDefaults);
    EXPECT_EQ(find<QComboBox>("cboSql")->currentIndex(), fromDefaults);
}

TEST_F(FunctionPagesTest, VoxComparisonListsShowTheirVoltageAndComeBackToTheDefaults) {
    startIn(3);
    pick("cboVoxCmpDat(1)", 100);
    EXPECT_EQ(image().at(0x0194), 100);
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->toolTip(), "1294mv");
    pick("cboVoxCmpDat(10)", 180);
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x019E) = 0; });
    click("cmdVoxCmpDefault");
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(find<QComboBox>(QString("cboVoxCmpDat(%1)").arg(k))->currentIndex(),
                  kVoxCmpDefaults[k - 1]);
        EXPECT_EQ(image().at(0x0193 + k), kVoxCmpDefaults[k - 1]);
    }
    EXPECT_EQ(image().at(0x019E), 90);
    EXPECT_EQ(find<QComboBox>("cboVoxCmpDat(1)")->toolTip(), "2200mv");
}

TEST_F(FunctionPagesTest, TheWheelChangesOnlyAListThatHasTheFocus) {
    startIn(3);
    auto* box = find<QComboBox>("cboScanRxDly");
    showPageOf(box);
    const int before = box->currentIndex();
    auto wheel = [box] {
        const QPointF at(box->width() / 2.0, box->height() / 2.0);
        QWheelEvent e(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &e);
    };
    window->setFocus();
    wheel();
    EXPECT_EQ(box->currentIndex(), before);
    EXPECT_EQ(image().at(0x0165), before);
    box->setFocus();
    wheel();
    EXPECT_EQ(box->currentIndex(), before + 1);
    EXPECT_EQ(image().at(0x0165), before + 1);
}

}  // namespace
}  // namespace tarvos::ui::test

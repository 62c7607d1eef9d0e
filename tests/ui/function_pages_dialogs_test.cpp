// The dialogs behind the page's buttons: the volume table in both its modes, the PTT ID pause
// channels, and the access dialog of the hidden page with its timer fired by hand.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "function_pages_fixture.h"
#include "functions/ui/input_code_dialog.h"
#include "functions/ui/ptt_id_pause_dialog.h"
#include "functions/ui/volume_dialog.h"
#include "functions/volume.h"

namespace tarvos::ui::test {
namespace {

// A timer the test fires.
struct FakeTimer : DialogTimer {
    void start(int ms) override {
        interval_ = ms;
        active_ = true;
        ++starts;
    }
    void stop() override { active_ = false; }
    bool active() const override { return active_; }
    int interval() const override { return interval_; }
    void elapse() {
        if (active_) fire();
    }
    int interval_ = 0;
    bool active_ = false;
    int starts = 0;
};

TEST_F(FunctionPagesTest, VolumeDialogInBothModes) {
    startIn(3);
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x01A5) = 227; });
    bool seen = false;
    OnModal<VolumeDialog>([&](VolumeDialog* d) {
        seen = true;
        auto box = [d](int i) {
            return d->findChild<QComboBox*>(QString("cboVolumeDat(%1)").arg(i));
        };
        EXPECT_FALSE(d->findChild<QCheckBox*>("chkVolMode")->isChecked());  // sequence mode
        EXPECT_EQ(box(5)->currentIndex(), 159);
        EXPECT_EQ(d->findChild<QLabel*>("lblVolumeLevel(3)")->text(), "Volume  3 Level");
        EXPECT_EQ(d->findChild<QLabel*>("lblVolumeLevel(10)")->text(), "Volume 10 Level");
        box(1)->setCurrentIndex(200);
        emit box(1)->activated(200);
        EXPECT_EQ(image().at(0x01A1), VoiceSeq()[200]);
        EXPECT_EQ(image().at(0x01A1), 110);
        // Switching the mode rewrites nothing and is stored at once.
        std::vector<uint8_t> levels;
        for (int a = 0x01A0; a <= 0x01AB; ++a) levels.push_back(image().at(a));
        d->findChild<QCheckBox*>("chkVolMode")->click();
        EXPECT_EQ(readSetting("VolumeMode"), "1");
        for (int a = 0x01A0; a <= 0x01AB; ++a) EXPECT_EQ(image().at(a), levels[a - 0x01A0]);
        emit box(1)->activated(200);
        EXPECT_EQ(image().at(0x01A1), 200);
        d->findChild<QPushButton*>("cmdDefault")->click();
        EXPECT_EQ(image().at(0x01A0), 108);
        EXPECT_EQ(image().at(0x01AA), 0);
        EXPECT_EQ(image().at(0x01AB), 90);
        EXPECT_EQ(box(1)->currentIndex(), 68);
        EXPECT_TRUE(d->findChild<QCheckBox*>("chkVolumeIic")->isChecked());
        d->findChild<QCheckBox*>("chkVolumeIic")->click();
        EXPECT_EQ(image().at(0x01AB), 255);
        d->findChild<QPushButton*>("cmdOk")->click();
    });
    click("cmdTwoWayVolSet");
    EXPECT_TRUE(seen);
    EXPECT_EQ(app->volumeMode, 1);
}

TEST_F(FunctionPagesTest, VolumeModeIsReadAtStartUp) {
    setting("VolumeMode", "1");
    startIn(3);
    EXPECT_EQ(app->volumeMode, 1);
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x01A5) = 227; });
    int shown = -1;
    OnModal<VolumeDialog>([&](VolumeDialog* d) {
        EXPECT_TRUE(d->findChild<QCheckBox*>("chkVolMode")->isChecked());
        shown = d->findChild<QComboBox*>("cboVolumeDat(5)")->currentIndex();
        d->close();
    });
    click("cmdTwoWayVolSet");
    EXPECT_EQ(shown, 227);  // the code itself
}

TEST_F(FunctionPagesTest, PttIdPauseDialogWritesTheSixteenFlags) {
    startIn(3);
    app->document.Edit(DocumentChange::Functions, [&] {
        for (int n = 1; n <= 16; ++n) image().at(0x001D + 16 * (n - 1)) = 0x25;  // bit 6 clear
    });
    OnModal<PttIdPauseDialog>([&](PttIdPauseDialog* d) {
        auto box = [d](int i) {
            return d->findChild<QCheckBox*>(QString("chkPttIdPauseChSet(%1)").arg(i));
        };
        EXPECT_EQ(box(2)->text(), "CH 3");
        box(2)->click();
        EXPECT_EQ(image().at(0x003D), 0x25 | 0x40);
        EXPECT_EQ(image().at(0x002D), 0x25);
        auto* all = d->findChild<QRadioButton*>("chkSelectAll");
        auto* none = d->findChild<QRadioButton*>("chkSelectNone");
        all->click();
        for (int n = 1; n <= 16; ++n) EXPECT_EQ(image().at(0x001D + 16 * (n - 1)), 0x65) << n;
        EXPECT_TRUE(all->isChecked());
        box(5)->click();
        EXPECT_FALSE(all->isChecked());
        EXPECT_EQ(image().at(0x006D), 0x25);
        none->click();
        for (int n = 1; n <= 16; ++n) EXPECT_EQ(image().at(0x001D + 16 * (n - 1)), 0x25) << n;
        EXPECT_FALSE(box(2)->isChecked());
        d->findChild<QPushButton*>("cmdOk")->click();
    });
    click("cmdPttIdPauseChSet");
    // The next opening shows the flags afresh.
    app->document.Edit(DocumentChange::Functions, [&] { image().at(0x004D) |= 0x40; });
    bool fourth = false;
    OnModal<PttIdPauseDialog>([&](PttIdPauseDialog* d) {
        fourth = d->findChild<QCheckBox*>("chkPttIdPauseChSet(3)")->isChecked();
        d->close();
    });
    click("cmdPttIdPauseChSet");
    EXPECT_TRUE(fourth);
}

TEST_F(FunctionPagesTest, TheAccessCodeTogglesTheHiddenPageAndTheDialogClosesByItself) {
    startIn(3);
    std::vector<FakeTimer*> timers;
    pages().setDialogTimerFactory([&timers] {
        auto t = std::make_unique<FakeTimer>();
        timers.push_back(t.get());
        return std::unique_ptr<DialogTimer>(std::move(t));
    });
    QTabWidget* more = channels().moreFuncTabs();
    auto* cmdMoreFunc = find<QPushButton>("cmdMoreFunc");

    // Nothing typed: the dialog goes after 4.5 s and nothing changes.
    OnModal<InputCodeDialog>([&](InputCodeDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Please Input Code");
        FakeTimer* t = timers.back();
        EXPECT_TRUE(t->active());
        EXPECT_EQ(t->interval(), 4500);
        t->elapse();
    });
    cmdMoreFunc->click();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(more->isHidden());

    // A wrong code, in lower case: compared in upper case, then the dialog goes 2 s after the
    // last key; no message.
    QString entered;
    OnModal<InputCodeDialog>([&](InputCodeDialog* d) {
        QTest::keyClicks(d->findChild<QLineEdit*>("txtInputCode"), "abc");
        FakeTimer* t = timers.back();
        EXPECT_EQ(t->interval(), 2000);
        EXPECT_EQ(t->starts, 4);  // the opening and each key
        entered = d->enteredCode();
        t->elapse();
    });
    cmdMoreFunc->click();
    EXPECT_EQ(entered, "ABC");
    EXPECT_TRUE(more->isHidden());
    EXPECT_TRUE(host.told.isEmpty());

    // The access code the README gives, confirmed with OK, shows the page; again, hides it.
    for (bool shown : {true, false}) {
        OnModal<InputCodeDialog>([&](InputCodeDialog* d) {
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8("塔沃斯"));
            QApplication::sendEvent(d->findChild<QLineEdit*>("txtInputCode"), &commit);
            d->findChild<QPushButton*>("cmdOk")->click();
        });
        cmdMoreFunc->click();
        EXPECT_EQ(more->isHidden(), !shown);
    }
}

TEST_F(FunctionPagesTest, InputCodeDialogCaptionsInEachLanguage) {
    struct Case {
        int language;
        const char* title;
        const char* label;
        const char* ok;
    };
    for (const Case& c :
         {Case{1, "请输入密码", "密码：", "确定"}, Case{2, "請輸入密碼", "密碼：", "確定"},
          Case{3, "Please Input Code", "Code:", "OK"}}) {
        auto timer = std::make_unique<FakeTimer>();
        InputCodeDialog d(c.language, std::move(timer));
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(d.findChild<QLabel*>("lblInputCode")->text(), QString::fromUtf8(c.label));
        EXPECT_EQ(d.findChild<QPushButton*>("cmdOk")->text(), QString::fromUtf8(c.ok));
        EXPECT_EQ(d.enteredCode(), "");
    }
}

}  // namespace
}  // namespace tarvos::ui::test

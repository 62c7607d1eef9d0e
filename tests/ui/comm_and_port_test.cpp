// Read and write through the communication window against the in-process virtual radio,
// the window's own rules, and the port dialog.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "link/ui/comm_window.h"
#include "link/ui/port_dialog.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class CommTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        defaultsRadio();
        start();
    }
};

TEST_F(CommTest, ReadFromTheMenuFillsTheImageShowsTheChannelsAndTellsTheOutcome) {
    ASSERT_TRUE(cell(1, 1).isEmpty());
    bool windowSeen = false;
    OnModal<CommWindow>([&](CommWindow* w) {
        windowSeen = true;
        // Started at once: its own buttons are hidden.
        EXPECT_FALSE(w->findChild<QPushButton*>("cmdRead")->isVisible());
        EXPECT_FALSE(w->findChild<QPushButton*>("cmdWrite")->isVisible());
    });
    window->action("mnuReadFre")->trigger();
    EXPECT_TRUE(windowSeen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // closed itself
    for (int a = 0; a < 0x400; ++a) {
        if (a >= 0x0360 && a < 0x0370) continue;  // may take the 0x0260 copy
        ASSERT_EQ(app->document.image().at(a), radio.memory[static_cast<size_t>(a)]) << a;
    }
    EXPECT_FALSE(cell(1, 1).isEmpty());
    EXPECT_EQ(window->statusText(1), "Read Successful");
    EXPECT_EQ(window->statusText(2), "COM1");
}

TEST_F(CommTest, WriteFromThePictureButtonProgramsTheRadio) {
    window->OpenFile(path("DefRadioSet.def"));
    radio.memory = sim::BlankRadioMemory();
    window->findChild<QToolButton*>("picWriteDat")->click();
    EXPECT_EQ(window->statusText(1), "Write Successful");
    // The first channel record went over the wire.
    for (int a = 0x10; a < 0x1C; ++a)
        EXPECT_EQ(radio.memory[static_cast<size_t>(a)], app->document.image().at(a)) << a;
    EXPECT_EQ(radio.closings, 1);
}

TEST_F(CommTest, AReadWithoutARadioFailsAndSaysSo) {
    ports.attach(1, nullptr);
    bool checked = false;
    OnModal<CommWindow>([&checked](CommWindow* w) {
        // No port answers: the window stays open with the reason until the user closes it.
        // The failed search takes as long as the machine makes it take, so the check waits
        // for the transfer to end (the status line) rather than for a fixed time.
        auto* poll = new QTimer(w);
        const int kPatience = 1000;  // 20 s at 20 ms, only for a stuck run
        poll->callOnTimeout([w, poll, &checked, tries = 0]() mutable {
            auto* status = w->findChild<QLabel*>("lblComStatus");
            const bool told =
                status->text().startsWith("Communication failed,please check commuication port!");
            if (!told && w->isVisible() && ++tries < kPatience) return;
            poll->stop();
            checked = true;
            EXPECT_TRUE(w->isVisible());
            EXPECT_TRUE(told) << status->text().toStdString();
            w->close();
        });
        poll->start(20);
    });
    window->StartRead();
    EXPECT_TRUE(checked);  // a window that closed by itself never got here
    EXPECT_EQ(window->statusText(1), "Read Failed");
}

// The window with both buttons (no menu opens it since Auto Read/Write has a window of its own).
TEST_F(CommTest, BothButtonsShownAndTheHiddenPanelOpensOnTheSixthDoubleClick) {
    OnModal<CommWindow>([this](CommWindow* w) {
        EXPECT_TRUE(w->findChild<QPushButton*>("cmdRead")->isVisible());
        EXPECT_TRUE(w->findChild<QPushButton*>("cmdWrite")->isVisible());
        for (int i = 1; i <= 5; ++i) w->fraOne_DblClick();
        EXPECT_FALSE(w->panelShown());
        QWidget* fraOne = w->findChild<QWidget*>("fraOne");
        QTest::mouseDClick(fraOne, Qt::LeftButton);  // the 6th
        EXPECT_TRUE(w->panelShown());
        // Every keystroke in a range box stores its key.
        auto* box = w->findChild<QLineEdit*>("txtReadStartAddr");
        box->clear();
        QTest::keyClicks(box, "01");
        EXPECT_EQ(readSetting("ReadStartAddr"), "01");
        QTest::keyClicks(box, "2");
        EXPECT_EQ(readSetting("ReadStartAddr"), "012");
        box->setText("0000");
        emit box->textEdited("0000");
        for (int i = 7; i <= 16; ++i) w->fraOne_DblClick();  // the 16th hides it again
        EXPECT_FALSE(w->panelShown());
        w->findChild<QPushButton*>("cmdRead")->click();
    });
    EXPECT_EQ(services->runCommWindow(window.get(), 0), AppServices::kSuccessFlag);
}

// The echo box shows the mode the handshake found; the user's click does not change it.
TEST_F(CommTest, ClickingTheEchoBoxChangesNothing) {
    OnModal<CommWindow>([](CommWindow* w) {
        for (int i = 1; i <= 6; ++i) w->fraOne_DblClick();
        ASSERT_TRUE(w->panelShown());
        auto* box = w->findChild<QCheckBox*>("chkComRxMode");
        ASSERT_FALSE(box->isChecked());
        box->click();  // as the user's click on it
        EXPECT_FALSE(box->isChecked());
        w->findChild<QPushButton*>("cmdRead")->click();
    });
    EXPECT_EQ(services->runCommWindow(window.get(), 0), AppServices::kSuccessFlag);
    // The port search and step 1 each shook hands once: no round was lost waiting for an echo.
    int handshakes = 0;
    for (const auto& w : ports.record(1).writes)
        if (w == std::vector<uint8_t>{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}) ++handshakes;
    EXPECT_EQ(handshakes, 2);
}

TEST_F(CommTest, ClosingDuringATransferOnlyTicksTheStopBox) {
    int refused = 0;
    OnModal<CommWindow>([&](CommWindow* w) {
        // Ask to close as soon as the transfer has started.
        auto* bar = w->findChild<QProgressBar*>("prgCommunicate");
        QObject::connect(bar, &QProgressBar::valueChanged, w, [&, w](int v) {
            if (v > 0 && v < 50 && refused == 0) {
                w->close();
                if (w->isVisible()) ++refused;
                EXPECT_TRUE(w->findChild<QCheckBox*>("chkStopCom")->isChecked());
            }
        });
    });
    window->StartRead();
    EXPECT_EQ(refused, 1);
    // A transfer that keeps succeeding runs to its end.
    EXPECT_EQ(window->statusText(1), "Read Successful");
}

TEST_F(CommTest, PortDialogOkStoresTheSelectionAndCancelKeepsThePort) {
    ports.setUnusable(5, "absent");
    OnModal<PortDialog>([](PortDialog* d) {
        EXPECT_TRUE(d->button(1)->isChecked());  // the port in use
        EXPECT_FALSE(d->button(5)->isEnabled());
        EXPECT_TRUE(d->button(3)->isEnabled());
        d->button(3)->click();
        d->findChild<QPushButton*>("cmdOk")->click();
    });
    window->action("mnuCommunicate")->trigger();
    EXPECT_EQ(readSetting("COM"), "3");
    EXPECT_EQ(window->statusText(2), "COM3");

    OnModal<PortDialog>([](PortDialog* d) {
        EXPECT_TRUE(d->button(3)->isChecked());
        d->button(7)->click();
        d->findChild<QPushButton*>("cmdCancel")->click();
    });
    window->findChild<QToolButton*>("picComSet")->click();
    EXPECT_EQ(readSetting("COM"), "3");
    EXPECT_EQ(window->statusText(2), "COM3");
    EXPECT_EQ(app->comPort, 3);
}

}  // namespace
}  // namespace tarvos::ui::test

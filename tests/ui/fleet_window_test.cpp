// Program > Auto Read/Write Radio: the Auto Read/Write Setting window on in-process virtual
// radios put on and taken off their cables, with one port and with several; the same bytes
// as tarvos-cli fleet; closing while radios are being programmed.
#include "fleet/fleet_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <condition_variable>
#include <mutex>

#include "functions/code_text.h"
#include "link/fleet_report.h"
#include "memory/image_fingerprint.h"
#include "sim/pty_radio.h"
#include "sim/radio_bench.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

constexpr int kWaitMs = 60000;  // a safety net only: every wait ends on an event

// A line on a virtual radio that stops answering in the middle of a write until the test
// lets it go on: a radio held in the middle of its transfer.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
    bool holding = false;
};
class HeldLine : public link::SerialPort {
  public:
    HeldLine(link::VirtualClock& clock, std::shared_ptr<Gate> gate)
        : ports_(clock), line_(radio_), gate_(std::move(gate)) {
        radio_.setLetters("");
        radio_.setCode("");
        ports_.attach(1, &line_);
    }
    int open(int port) override { return ports_.open(port); }
    void ioctl(int port, int b, int m) override { ports_.ioctl(port, b, m); }
    int setReadTimeouts(int port, int t, int i) override {
        return ports_.setReadTimeouts(port, t, i);
    }
    void flush(int port, int f) override { ports_.flush(port, f); }
    int write(int port, const uint8_t* d, int n) override {
        blocks_ += n > 7 && d[0] != 0x50;  // a block frame, not the handshake
        return ports_.write(port, d, n);
    }
    int read(int port, uint8_t* d, int n) override {
        if (blocks_ > 3) {
            std::unique_lock lock(gate_->mutex);
            gate_->holding = true;
            gate_->changed.notify_all();
            gate_->changed.wait(lock, [this] { return gate_->released; });
        }
        return ports_.read(port, d, n);
    }
    void close(int port) override { ports_.close(port); }

  private:
    sim::SimSerialPorts ports_;
    sim::VirtualRadio radio_;
    sim::RadioLine line_;
    std::shared_ptr<Gate> gate_;
    int blocks_ = 0;
};

class FleetWindowTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        start();
        window->OpenFile(path("DefRadioSet.def"));
    }
    // The window's lines: port n gets a bench with the radios given for it.
    void bench(std::map<int, std::vector<sim::RadioBench::Place>> radios) {
        services->setFleetSetup([radios] {
            FleetSetup setup;
            for (const auto& [n, r] : radios)
                setup.ports.emplace_back(n, "/dev/bench" + std::to_string(n));
            setup.ranges = {0x0000, 0x03FF, 0x0010, 0x037F, 0x03FF};
            setup.makePort = [radios](int n) {
                link::FleetPort p;
                p.number = n;
                p.device = "/dev/bench" + std::to_string(n);
                auto clock = std::make_unique<link::VirtualClock>();
                p.serial = std::make_unique<sim::RadioBench>(*clock, radios.at(n));
                p.waiter = std::move(clock);
                return p;
            };
            return setup;
        });
    }
    static void Choose(FleetWindow* w, std::initializer_list<int> rows) {
        auto* list = w->findChild<QListWidget*>("listPorts");
        for (int r : rows) list->item(r)->setCheckState(Qt::Checked);
    }
    static QString Cell(QTableWidget* t, int row, int col) {
        return t->item(row, col) ? t->item(row, col)->text() : QString("<none>");
    }
    static sim::VirtualRadio Blank() {
        sim::VirtualRadio r;
        r.setLetters("");
        r.setCode("");
        return r;
    }
};

TEST_F(FleetWindowTest, OnePortWritesEachRadioPutOnWithTheNextNumberAndLeavesTheDocument) {
    sim::VirtualRadio a = Blank(), b = Blank(), c = Blank();
    bench({{1, {{&a}, {&b}, {&c}}}});
    const ByteImage before = app->document.image();
    bool seen = false;
    OnModal<FleetWindow>([&](FleetWindow* w) {
        seen = true;
        EXPECT_EQ(w->windowTitle(), "Auto Read/Write Setting");
        EXPECT_EQ(w->findChild<QRadioButton*>("optWrite")->text(), "Write to Radio");
        EXPECT_EQ(w->findChild<QRadioButton*>("optRead")->text(), "Read from Radio");
        EXPECT_EQ(w->findChild<QCheckBox*>("chkShowProgress")->text(), "Show Progress");
        EXPECT_EQ(w->findChild<QLineEdit*>("txtFolder")->text(), path("Data/auto"));
        Choose(w, {0});
        w->findChild<QCheckBox*>("chkNumbering")->setChecked(true);
        w->findChild<QComboBox*>("cboNumberBox")->setCurrentIndex(0);           // ID Code
        QTest::keyClicks(w->findChild<QLineEdit*>("txtFirstNumber"), "01x01");  // digits only
        w->findChild<QPushButton*>("cmdStart")->click();
        ASSERT_TRUE(w->running());
        QTRY_COMPARE_WITH_TIMEOUT(w->report()->rowCount(), 3, kWaitMs);
        w->findChild<QPushButton*>("cmdStop")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), kWaitMs);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(Cell(w->report(), k, 1), "COM1");
            EXPECT_EQ(Cell(w->report(), k, 3), "Write");
            EXPECT_EQ(Cell(w->report(), k, 4), "Successful");
            EXPECT_EQ(Cell(w->report(), k, 6), "Yes");
            EXPECT_EQ(Cell(w->report(), k, 7), QString("010%1").arg(k + 1));
        }
        EXPECT_EQ(Cell(w->lines(), 0, 4), "3 / 0");
        EXPECT_TRUE(w->summary().startsWith("3 done, 0 failed, 0 unfinished."))
            << w->summary().toStdString();
        // The report in the folder says the same.
        QFile report(w->reportPath());
        ASSERT_TRUE(report.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = report.readAll().split('\n');
        ASSERT_EQ(lines.size(), 5);  // header, three radios, the last line break
        EXPECT_EQ(lines[0], "time,port,device,operation,result,reason,verified,number,fingerprint");
        EXPECT_TRUE(lines[2].contains(",COM1,/dev/bench1,write,ok,,yes,0102,"));
        w->close();
    });
    window->action("mnuReadWriteFre")->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(app->document.image(), before);
    const sim::VirtualRadio* radios[] = {&a, &b, &c};
    for (int k = 0; k < 3; ++k) {
        ByteImage image;
        for (int i = 0; i < sim::kRadioBytes; ++i)
            image[i] = radios[k]->memory[static_cast<size_t>(i)];
        EXPECT_EQ(DecodeCodeField(image, kDtmfIdCodeField),
                  QString("010%1").arg(k + 1).toStdString());
    }

    // tarvos-cli fleet writes the same bytes for the same file and numbering.
    sim::PtyRadioOptions options;
    options.memory = sim::BlankRadioMemory();
    sim::PtyRadio pty(options);
    ASSERT_TRUE(pty.start());
    QProcess cli;
    cli.start(kCli, {"fleet", "write", "--ports", QString::fromStdString(pty.devicePath()), "--in",
                     path("DefRadioSet.def"), "--number", "txtDtmfIdCode=0101", "--verify"});
    ASSERT_TRUE(cli.waitForFinished(kWaitMs));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const sim::RadioMemory written = pty.memory();
    for (int i = 0; i < sim::kRadioBytes; ++i)
        ASSERT_EQ(written[static_cast<size_t>(i)], a.memory[static_cast<size_t>(i)]) << i;
}

TEST_F(FleetWindowTest, SeveralPortsReadSideBySideAndARefusingRadioFailsAlone) {
    sim::VirtualRadio a = Blank(), b = Blank(), locked = Blank(), c = Blank();
    locked.setCode("123");  // the document holds no code: the check refuses it
    a.memory[0x0010] = 0x11;
    b.memory[0x0010] = 0x22;
    c.memory[0x0010] = 0x33;
    bench({{1, {{&a}, {&b}}}, {2, {{&locked}, {&c}}}});
    OnModal<FleetWindow>([&](FleetWindow* w) {
        w->findChild<QRadioButton*>("optRead")->setChecked(true);
        EXPECT_FALSE(w->findChild<QCheckBox*>("chkNumbering")->isEnabled());
        Choose(w, {0, 1});
        ASSERT_TRUE(w->Start());
        QTRY_COMPARE_WITH_TIMEOUT(w->report()->rowCount(), 4, kWaitMs);
        w->Stop();
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), kWaitMs);
        EXPECT_EQ(Cell(w->lines(), 0, 4), "2 / 0");
        EXPECT_EQ(Cell(w->lines(), 1, 4), "1 / 1");
        int failed = 0;
        for (int r = 0; r < 4; ++r)
            if (Cell(w->report(), r, 4) == "Fail") {
                ++failed;
                EXPECT_EQ(Cell(w->report(), r, 1), "COM2");
                EXPECT_EQ(Cell(w->report(), r, 5), ft(97));
            }
        EXPECT_EQ(failed, 1);
        w->close();
    });
    window->StartReadWrite();
    // A file per radio read, each holding its radio's bytes.
    QStringList files = QDir(path("Data/auto")).entryList({"*-COM*.dat"}, QDir::Files);
    ASSERT_EQ(files.size(), 3) << files.join(",").toStdString();
    QSet<int> firstBytes;
    for (const QString& f : files) {
        QFile file(path("Data/auto/" + f));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        firstBytes << static_cast<uchar>(file.readAll().at(0x20));
    }
    EXPECT_EQ(firstBytes, (QSet<int>{0x11, 0x22, 0x33}));
}

TEST_F(FleetWindowTest, ClosingWhileARadioIsProgrammedStopsTheLinesAndReportsItUnfinished) {
    auto gate = std::make_shared<Gate>();
    services->setFleetSetup([gate] {
        FleetSetup setup;
        setup.ports = {{1, "/dev/held"}};
        setup.ranges = {0x0000, 0x03FF, 0x0010, 0x037F, 0x03FF};
        setup.makePort = [gate](int n) {
            link::FleetPort p;
            p.number = n;
            auto clock = std::make_unique<link::VirtualClock>();
            p.serial = std::make_unique<HeldLine>(*clock, gate);
            p.waiter = std::move(clock);
            return p;
        };
        return setup;
    });
    bool seen = false;
    OnModal<FleetWindow>([&](FleetWindow* w) {
        seen = true;
        Choose(w, {0});
        ASSERT_TRUE(w->Start());
        {
            std::unique_lock lock(gate->mutex);
            ASSERT_TRUE(gate->changed.wait_for(lock, std::chrono::milliseconds(kWaitMs),
                                               [&] { return gate->holding; }));
        }
        w->close();  // refused while the line runs: it asks the line to stop
        EXPECT_TRUE(w->isVisible());
        {
            std::lock_guard lock(gate->mutex);
            gate->released = true;
            gate->changed.notify_all();
        }
        // Gone once the line has ended: the write went on to its end, as a transfer that
        // succeeds does after the stop box is ticked, and was not read back.
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), kWaitMs);
        ASSERT_EQ(w->report()->rowCount(), 1);
        EXPECT_EQ(Cell(w->report(), 0, 4), "Unfinished");
        EXPECT_EQ(Cell(w->report(), 0, 5), "stopped after the write, not verified");
    });
    window->StartReadWrite();
    EXPECT_TRUE(seen);
}

TEST_F(FleetWindowTest, StartIsRefusedWithoutAPortAFirstNumberOrAFolderItCanWrite) {
    sim::VirtualRadio radio = Blank();
    bench({{1, {{&radio}}}});
    OnModal<FleetWindow>([&](FleetWindow* w) {
        EXPECT_FALSE(w->Start());
        Choose(w, {0});
        w->findChild<QCheckBox*>("chkNumbering")->setChecked(true);
        EXPECT_FALSE(w->Start());
        w->findChild<QCheckBox*>("chkNumbering")->setChecked(false);
        w->findChild<QLineEdit*>("txtFolder")->setText("/dev/null/auto");
        EXPECT_FALSE(w->Start());
        EXPECT_FALSE(w->running());
        w->close();
    });
    window->StartReadWrite();
    ASSERT_EQ(host.told.size(), 3);
    EXPECT_EQ(host.told[0], "Choose at least one port.");
    EXPECT_EQ(host.told[1], "Give the first number.");
    EXPECT_TRUE(host.told[2].startsWith("Save file failed!\n/dev/null/auto/fleet-"));
    EXPECT_TRUE(radio.journal.empty());
}

// The application's own lines: QtSerialPort on threads Qt knows, here on the demo radio (a
// virtual radio on a pseudo-terminal at the real wire rate).
TEST_F(FleetWindowTest, TheApplicationsLinesReadTheDemoRadioOverItsPseudoTerminal) {
    ASSERT_TRUE(services->startDemoRadio());
    bool seen = false;
    OnModal<FleetWindow>([&](FleetWindow* w) {
        seen = true;
        auto* list = w->findChild<QListWidget*>("listPorts");
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().contains("/dev/pts/"))
                list->item(i)->setCheckState(Qt::Checked);
        w->findChild<QRadioButton*>("optRead")->setChecked(true);
        ASSERT_TRUE(w->Start());
        QTRY_COMPARE_WITH_TIMEOUT(w->report()->rowCount(), 1, kWaitMs);
        w->Stop();
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), kWaitMs);
        EXPECT_EQ(Cell(w->report(), 0, 4), "Successful") << Cell(w->report(), 0, 5).toStdString();
        w->close();
    });
    window->StartReadWrite();
    ASSERT_TRUE(seen);
    const QStringList files = QDir(path("Data/auto")).entryList({"*.dat"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    QFile saved(path("Data/auto/" + files[0]));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QFile defaults(path("DefRadioSet.def"));
    ASSERT_TRUE(defaults.open(QIODevice::ReadOnly));
    // The channels as the demo radio holds them: the factory defaults.
    EXPECT_EQ(saved.readAll().mid(0x20, 0x100), defaults.readAll().mid(0x20, 0x100));
}

// A run in each language; the window's picture after it goes into TARVOS_PAGE_SHOTS when it
// names a folder, for a person to look at, else into a temporary folder.
class FleetScreenshots : public FleetWindowTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled(GetParam());
        start();
        window->OpenFile(path("DefRadioSet.def"));
    }
};

TEST_P(FleetScreenshots, AfterARun) {
    QTemporaryDir scratch;
    const QString folder = qEnvironmentVariableIsEmpty("TARVOS_PAGE_SHOTS")
                               ? scratch.path()
                               : qEnvironmentVariable("TARVOS_PAGE_SHOTS");
    sim::VirtualRadio a = Blank(), b = Blank(), locked = Blank();
    locked.setCode("123");
    bench({{1, {{&a}, {&b}}}, {2, {{&locked}}}});
    OnModal<FleetWindow>([&](FleetWindow* w) {
        Choose(w, {0, 1});
        w->findChild<QCheckBox*>("chkNumbering")->setChecked(true);
        w->findChild<QLineEdit*>("txtFirstNumber")->setText("0101");
        ASSERT_TRUE(w->Start());
        QTRY_COMPARE_WITH_TIMEOUT(w->report()->rowCount(), 3, kWaitMs);
        w->Stop();
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), kWaitMs);
        QApplication::processEvents();
        EXPECT_TRUE(w->grab().save(QString("%1/fleet_window_%2.png").arg(folder).arg(GetParam())));
        w->close();
    });
    window->StartReadWrite();
}

INSTANTIATE_TEST_SUITE_P(Languages, FleetScreenshots, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tarvos::ui::test

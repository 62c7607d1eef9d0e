// Fleet runs on in-process virtual radios: production lines that take one radio after the
// other off a bench, several lines side by side, one line failing among good ones, Stop, the
// report and the files of reads.
#include "link/fleet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "base/face_text.h"
#include "link/virtual_clock.h"
#include "memory/data_file.h"
#include "memory/image_fingerprint.h"
#include "sim/radio_bench.h"
#include "sim/sim_serial_port.h"

namespace tarvos::link {
namespace {

namespace fs = std::filesystem;

constexpr std::time_t kJan31 = 1706745599;  // 2024-01-31 23:59:59 UTC
// Waits for another thread end on its event; this is only how long before a test gives up.
constexpr std::chrono::seconds kSafetyNet{60};

// A radio that has never been programmed, with standard letters and no code.
sim::VirtualRadio Blank() {
    sim::VirtualRadio r;
    r.setLetters("");
    r.setCode("");
    return r;
}

// The image for the k-th radio: a pattern, with the number's digits at 0x0120.
FleetImage Numbered(int k) {
    FleetImage given{ByteImage(), "010" + std::to_string(k + 1), {}};
    for (int a = 0; a < kRadioMemorySize; ++a) given.image[a] = static_cast<uint8_t>(a * 5 + 1);
    for (size_t i = 0; i < given.number.size(); ++i)
        given.image[0x0120 + static_cast<int>(i)] = static_cast<uint8_t>(given.number[i]);
    return given;
}

FleetPlan WritePlan() {
    FleetPlan plan;
    plan.direction = Direction::Write;
    plan.verify = true;
    plan.ranges = {0x0000, 0x03FF, 0x0010, 0x037F, 0x03FF};
    plan.writeImage = Numbered;
    plan.clock = [] { return kJan31; };
    // A model with a code box, holding no code; 400-520 MHz.
    plan.page.rdWrCodeVisible = true;
    plan.bandLow = 40000000;
    plan.bandHigh = 52000000;
    return plan;
}

// Records what the lines report; stops the run once `stopAfter` radios are finished, and
// in any case after many fruitless looks for a radio, so no test can run for ever.
struct Watch : FleetObserver {
    void radioFinished(const RadioRecord& r) override {
        std::lock_guard lock(mutex);
        records.push_back(r);
        if (static_cast<int>(records.size()) >= stopAfter && fleet) fleet->stop();
        changed.notify_all();
    }
    void probed(int, bool answered) override {
        std::lock_guard lock(mutex);
        if (!answered && ++misses > 500 && fleet) fleet->stop();
    }
    void lineProgress(int line, int percent) override {
        if (onProgress) onProgress(line, percent);
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<RadioRecord> records;
    int stopAfter = 1 << 30;
    int misses = 0;
    Fleet* fleet = nullptr;
    std::function<void(int, int)> onProgress;
};

// A line on a bench of radios.
FleetPort BenchPort(const std::string& name, std::vector<sim::RadioBench::Place> radios) {
    FleetPort p;
    p.name = name;
    p.device = "/dev/bench-" + name;
    auto clock = std::make_unique<VirtualClock>();
    p.serial = std::make_unique<sim::RadioBench>(*clock, std::move(radios));
    p.waiter = std::move(clock);
    return p;
}

class FleetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        folder =
            fs::temp_directory_path() /
            ("fleet-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<RadioRecord> Run(FleetPlan plan, std::vector<FleetPort> ports, Watch& watch) {
        Fleet fleet(std::move(plan), std::move(ports), &watch);
        watch.fleet = &fleet;
        std::string error;
        EXPECT_TRUE(fleet.start(&error)) << error;
        fleet.wait();
        EXPECT_TRUE(fleet.finished());
        return fleet.records();
    }
    fs::path folder;
};

TEST_F(FleetTest, AProductionLineWritesEachRadioPutOnTheCableWithTheNextNumber) {
    sim::VirtualRadio a = Blank(), b = Blank(), c = Blank();
    std::vector<FleetPort> ports;
    ports.push_back(BenchPort("COM1", {{&a}, {&b}, {&c}}));
    Watch watch;
    watch.stopAfter = 3;
    const auto records = Run(WritePlan(), std::move(ports), watch);

    ASSERT_EQ(records.size(), 3u);
    const sim::VirtualRadio* radios[] = {&a, &b, &c};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const RadioRecord& r = records[static_cast<size_t>(k)];
        EXPECT_EQ(r.result, RadioResult::Succeeded) << r.reason;
        EXPECT_EQ(r.verified, Verification::Matched);
        EXPECT_EQ(r.number, "010" + std::to_string(k + 1));
        EXPECT_EQ(r.fingerprint, ImageFingerprint(Numbered(k).image));
        EXPECT_EQ(r.port, "COM1");
        EXPECT_EQ(r.time, "2024-01-31 23:59:59");
        // Each radio holds its own number, and the channels and codes around it as given.
        for (int a = 0x0010; a <= 0x017F; ++a)
            ASSERT_EQ(radios[k]->memory[static_cast<size_t>(a)], Numbered(k).image[a]) << a;
    }
}

TEST_F(FleetTest, ARadioUnpluggedOrRefusingFailsAloneAndTheLineTakesTheNext) {
    sim::VirtualRadio unplugged = Blank(), locked = Blank(), good = Blank();
    locked.setCode("123");  // the page has no code: the code check fails
    sim::Faults pulled;
    pulled.unplugAfter = 40;  // during the block writes
    std::vector<FleetPort> ports;
    ports.push_back(BenchPort("COM1", {{&unplugged, pulled}, {&locked}, {&good}}));
    Watch watch;
    watch.stopAfter = 3;
    const auto records = Run(WritePlan(), std::move(ports), watch);

    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].result, RadioResult::Failed);
    EXPECT_EQ(records[0].reason, FaceTextTable(3)[79]);
    EXPECT_EQ(records[1].result, RadioResult::Failed);
    EXPECT_EQ(records[1].reason, FaceTextTable(3)[97]);  // Program Code Error
    EXPECT_EQ(records[2].result, RadioResult::Succeeded);
    // A number given to a radio that failed is not given again.
    EXPECT_EQ(records[2].number, "0103");
    EXPECT_EQ(good.memory[0x0123], '3');
}

// What holds a port's reads until the test lets them go. Shared: the port itself belongs to
// its line, which gives it up when it ends.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    int waiting = 0;
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    bool awaitReader() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, kSafetyNet, [this] { return waiting > 0; });
    }
};

// A serial port whose every read waits at the gate: a line stuck on its port.
class GatedPort : public SerialPort {
  public:
    explicit GatedPort(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
    int open(int) override { return 0; }
    void ioctl(int, int, int) override {}
    int setReadTimeouts(int, int, int) override { return 0; }
    void flush(int, int) override {}
    int write(int, const uint8_t*, int count) override { return count; }
    int read(int, uint8_t*, int) override {
        std::unique_lock lock(gate_->mutex);
        ++gate_->waiting;
        gate_->changed.notify_all();
        gate_->changed.wait(lock, [this] { return gate_->open; });
        return 0;  // nothing answers
    }
    void close(int) override {}

  private:
    std::shared_ptr<Gate> gate_;
};

TEST_F(FleetTest, OnePassNumbersByPortAndAStuckPortHoldsUpNoOther) {
    sim::VirtualRadio first = Blank(), third = Blank();
    std::vector<FleetPort> ports;
    ports.push_back(BenchPort("COM1", {{&first}}));
    FleetPort stuck;
    stuck.name = "COM2";
    auto gate = std::make_shared<Gate>();
    stuck.serial = std::make_unique<GatedPort>(gate);
    stuck.waiter = std::make_unique<VirtualClock>();
    ports.push_back(std::move(stuck));
    ports.push_back(BenchPort("COM3", {{&third}}));

    FleetPlan plan = WritePlan();
    plan.productionLine = false;
    plan.numberByPort = true;
    plan.reportPath = folder / "report.csv";
    Watch watch;
    Fleet fleet(plan, std::move(ports), &watch);
    // Let go of the stuck port whatever happens, or the fleet would wait for it for ever.
    struct Release {
        std::shared_ptr<Gate> gate;
        ~Release() { gate->release(); }
    } release{gate};
    ASSERT_TRUE(fleet.start());
    {
        // The good ports finish while the second is still stuck on its first read.
        ASSERT_TRUE(gate->awaitReader());
        std::unique_lock lock(watch.mutex);
        ASSERT_TRUE(
            watch.changed.wait_for(lock, kSafetyNet, [&] { return watch.records.size() == 2; }));
        EXPECT_EQ(watch.records[0].result, RadioResult::Succeeded);
        EXPECT_EQ(watch.records[1].result, RadioResult::Succeeded);
    }
    gate->release();
    fleet.wait();

    const auto records = fleet.records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].port, "COM2");
    EXPECT_EQ(records[2].result, RadioResult::Failed);
    EXPECT_EQ(records[2].reason.rfind("no radio answered", 0), 0u) << records[2].reason;
    EXPECT_EQ(records[2].number, "0102");
    EXPECT_EQ(first.memory[0x0123], '1');
    EXPECT_EQ(third.memory[0x0123], '3');

    // The report: the header, then a line per radio as it finished.
    std::ifstream in(plan.reportPath);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), ReportText(records));
    EXPECT_EQ(text.str().substr(0, text.str().find('\n')),
              "time,port,device,operation,result,reason,verified,number,fingerprint");
    EXPECT_NE(text.str().find("2024-01-31 23:59:59,COM3,/dev/bench-COM3,write,ok,,yes,0103," +
                              ImageFingerprint(Numbered(2).image) + "\n"),
              std::string::npos);
}

TEST_F(FleetTest, StopLeavesTheRadioInHandUnfinishedAndEndsEveryLine) {
    struct Case {
        const char* name;
        bool codeLocked;  // every round fails: the stop box is honoured after the fifth
        const char* reason;
    };
    for (const Case& c :
         {Case{"a write that goes well is not verified", false,
               "stopped after the write, not verified"},
          Case{"a write that keeps failing stops", true, "stopped during the transfer"}}) {
        SCOPED_TRACE(c.name);
        sim::VirtualRadio radio = Blank(), next = Blank();
        if (c.codeLocked) radio.setCode("123");
        std::vector<FleetPort> ports;
        ports.push_back(BenchPort("COM1", {{&radio}, {&next}}));
        ports.push_back(BenchPort("COM2", {}));  // an empty cable: a line waiting
        Watch watch;
        Fleet* running = nullptr;
        watch.onProgress = [&](int line, int percent) {
            if (line == 0 && (percent >= 50 || c.codeLocked)) running->stop();
        };
        Fleet fleet(WritePlan(), std::move(ports), &watch);
        running = &fleet;
        ASSERT_TRUE(fleet.start());
        fleet.wait();
        const auto records = fleet.records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].result, RadioResult::Unfinished);
        EXPECT_EQ(records[0].reason, c.reason);
        EXPECT_EQ(records[0].verified, Verification::NotDone);
        EXPECT_STREQ(ResultCode(records[0].result), "unfinished");
    }
}

TEST_F(FleetTest, ReadsAreSavedOneFileEachNamedByTimeAndPort) {
    sim::VirtualRadio a = Blank(), b = Blank();
    for (int i = 0; i < sim::kRadioBytes; ++i) {
        a.memory[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 3);
        b.memory[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 11 + 2);
    }
    a.setLetters("");
    b.setLetters("");
    std::vector<FleetPort> ports;
    ports.push_back(BenchPort("/dev/pts/7", {{&a}, {&b}}));
    FleetPlan plan;
    plan.direction = Direction::Read;
    plan.ranges = {0x0000, 0x03FF, 0x0010, 0x037F, 0x03FF};
    plan.outDir = folder / "auto";  // made when missing
    plan.clock = [] { return kJan31; };
    Watch watch;
    watch.stopAfter = 2;
    const auto records = Run(plan, std::move(ports), watch);

    ASSERT_EQ(records.size(), 2u);
    const sim::VirtualRadio* radios[] = {&a, &b};
    const char* names[] = {"20240131-235959-dev-pts-7.dat", "20240131-235959-dev-pts-7-2.dat"};
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const RadioRecord& r = records[static_cast<size_t>(k)];
        EXPECT_EQ(r.result, RadioResult::Succeeded) << r.reason;
        EXPECT_EQ(r.file, plan.outDir / names[k]);
        RecordingSink sink;
        ErrorLog log(&sink);
        ByteImage saved;
        ASSERT_TRUE(OpenDatFile(r.file, saved, log));
        for (int i = 0x0010; i < 0x0360; ++i)  // 0x0360.. may take the copy a read makes
            ASSERT_EQ(saved[i], radios[k]->memory[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(r.fingerprint, ImageFingerprint(saved));
    }
}

TEST(FleetReport, FieldsWithSeparatorsAreQuotedAndCodesStayTheSameInEveryLanguage) {
    RadioRecord r;
    r.time = "2024-01-31 23:59:59";
    r.port = "COM3";
    r.device = "/dev/ttyUSB0";
    r.result = RadioResult::Failed;
    r.reason = "Communication failed,please \"check\"";
    r.verified = Verification::Differed;
    EXPECT_EQ(ReportLine(r),
              "2024-01-31 23:59:59,COM3,/dev/ttyUSB0,write,failed,"
              "\"Communication failed,please \"\"check\"\"\",no,,");
    EXPECT_EQ(RecordSummary(r),
              "COM3 (/dev/ttyUSB0): write failed: Communication failed,please \"check\"");
}

TEST(FleetReport, AFleetThatCannotWriteItsReportStartsNothing) {
    sim::VirtualRadio radio = Blank();
    std::vector<FleetPort> ports;
    ports.push_back(BenchPort("COM1", {{&radio}}));
    FleetPlan plan = WritePlan();
    plan.reportPath = "/nonexistent-folder/report.csv";
    Fleet fleet(plan, std::move(ports));
    std::string error;
    EXPECT_FALSE(fleet.start(&error));
    EXPECT_NE(error.find("/nonexistent-folder/report.csv"), std::string::npos);
    EXPECT_TRUE(radio.journal.empty());
}

}  // namespace
}  // namespace tarvos::link

#pragma once
// Programming many radios at once, one per port. Each port gets a production line: run the
// transfer (a write, read back and compared when asked; or a read, saved as a file of its
// own), wait until the radio stops answering (taken off the cable), try every interval until
// a radio answers again, run the transfer for it, and so on until Stop. tarvos-cli's fleet
// command runs one pass instead: each port's radio once.
//
// How the lines run side by side: each line has a thread of its own, and on it its own
// serial port, waiter, programming link and copy of the image. A transfer blocks on its own
// port and its waiter sleeps, so a silent, unplugged or refusing radio holds up only its own
// line. The lines share nothing they change but the run's numbering counter and its records,
// which the Fleet keeps under one lock. The observer hears from the lines' threads; a window
// hands what it hears over to its own thread, which never waits for a line.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/fleet_report.h"
#include "link/observer.h"
#include "link/range_settings.h"
#include "link/serial_port.h"
#include "memory/image.h"

namespace tarvos::link {

// The image a write gives one radio, and the number in it (empty without numbering). A
// refusal (a number that does not fit its box) fails that radio without writing it.
struct FleetImage {
    ByteImage image;
    std::string number;
    std::string refusal;
};

// One port of the run. The line owns its serial port and its waiter (the serial port may
// refer to the waiter, a virtual radio to its clock) and speaks to the port by `number`.
struct FleetPort {
    std::string name;    // "COM3", or a device as given on the command line
    std::string device;  // "/dev/ttyUSB0"
    int number = 1;
    std::unique_ptr<Waiter> waiter;
    std::unique_ptr<SerialPort> serial;
};

struct FleetPlan {
    Direction direction = Direction::Write;
    // Writes: read the written areas back and compare (Verify after write).
    bool verify = false;
    // true: a production line per port until Stop; false: each port's radio once.
    bool productionLine = true;
    // Between attempts to find the next radio, and to see whether it is still there.
    int intervalMs = 1000;
    RangeSettings ranges;
    // The function page's code boxes, as the write or the read has them.
    FunctionPageState page;
    // BandLow and BandHigh for the model-and-band frame; -1: from the image's band bytes.
    int bandLow = -1, bandHigh = -1;
    // The language of the texts the run produces (1 Simplified, 2 Traditional, 3 English).
    int language = 3;
    // Writes: the image for the k-th radio (k from 0): in the order the radios are started,
    // or with numberByPort the line's place in the list of ports. Called one at a time.
    std::function<FleetImage(int k)> writeImage;
    bool numberByPort = false;
    // Reads: the image a read starts from, and the folder each read is saved in.
    ByteImage readBase;
    std::filesystem::path outDir;
    // The report file, rewritten after every radio; empty for none.
    std::filesystem::path reportPath;
    // The time records and files are named after (the system clock when empty).
    std::function<std::time_t()> clock;
};

// What a line is doing, for the window's state text.
enum class LineState { WaitingForRadio, Transferring, Verifying, WaitingForRemoval, Ended };

class FleetObserver {
  public:
    virtual ~FleetObserver() = default;
    // Every call comes from the thread of the line it names.
    virtual void lineState(int /*line*/, LineState /*state*/) {}
    virtual void lineProgress(int /*line*/, int /*percent*/) {}
    // The transfer's status text (lblComStatus).
    virtual void lineStatus(int /*line*/, const std::string& /*text*/) {}
    // A line looked for a radio: one answered or not.
    virtual void probed(int /*line*/, bool /*answered*/) {}
    virtual void radioFinished(const RadioRecord& /*record*/) {}
};

// A line's thread: started by a ThreadStarter, waited for by join().
class LineThread {
  public:
    virtual ~LineThread() = default;
    virtual void join() = 0;
};
using ThreadStarter = std::function<std::unique_ptr<LineThread>(std::function<void()> body)>;
// Plain threads; lines on QtSerialPort need threads Qt knows (link/qt/line_threads.h).
ThreadStarter StdThreads();

class FleetLine;

class Fleet {
  public:
    Fleet(FleetPlan plan, std::vector<FleetPort> ports, FleetObserver* observer = nullptr,
          ThreadStarter threads = StdThreads());
    ~Fleet();  // stops every line and waits for it
    Fleet(const Fleet&) = delete;
    Fleet& operator=(const Fleet&) = delete;

    // Starts every line. False, with the reason, when the read folder cannot be made or the
    // report file cannot be written; then nothing has started.
    bool start(std::string* error = nullptr);
    // Ends every line after its current step: a transfer that runs is asked to stop as the
    // communication window's stop box asks it, a write not yet verified is not verified, and
    // a line waiting for a radio ends at once. The radios it leaves are reported unfinished.
    void stop();
    bool stopRequested() const { return stop_; }
    // Waits until every line has ended.
    void wait();
    // Waits until every line has ended or ms have passed; true when they have.
    bool waitFor(int ms);
    // Every line has ended (or none started).
    bool finished() const { return !begun_ || ended_ == static_cast<int>(lines_.size()); }

    int lineCount() const { return static_cast<int>(lines_.size()); }
    const FleetPlan& plan() const { return plan_; }
    // The records so far, in the order the radios were finished.
    std::vector<RadioRecord> records() const;
    // Why the report file could not be written the last time (empty when it could).
    std::string reportError() const;

  private:
    friend class FleetLine;
    FleetImage nextWriteImage(int line);
    void finish(RadioRecord record);
    void lineEnded();
    // Rewrites the report file with records; false (reportError_ says why) when it cannot.
    bool writeReport(const std::vector<RadioRecord>& records);

    FleetPlan plan_;
    FleetObserver* observer_;
    ThreadStarter threads_;
    std::vector<std::unique_ptr<FleetLine>> lines_;
    std::vector<std::unique_ptr<LineThread>> running_;
    bool begun_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<int> ended_{0};
    mutable std::mutex mutex_;  // guards what follows
    std::condition_variable lineEnded_;
    int started_ = 0;  // radios given an image so far
    std::vector<RadioRecord> records_;
    std::string reportError_;
};

}  // namespace tarvos::link

#include "link/fleet.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "base/safe_save.h"
#include "link/fleet_line.h"

namespace tarvos::link {

namespace {
class StdLineThread : public LineThread {
  public:
    explicit StdLineThread(std::function<void()> body) : thread_(std::move(body)) {}
    ~StdLineThread() override { join(); }
    void join() override {
        if (thread_.joinable()) thread_.join();
    }

  private:
    std::thread thread_;
};
}  // namespace

ThreadStarter StdThreads() {
    return [](std::function<void()> body) -> std::unique_ptr<LineThread> {
        return std::make_unique<StdLineThread>(std::move(body));
    };
}

Fleet::Fleet(FleetPlan plan, std::vector<FleetPort> ports, FleetObserver* observer,
             ThreadStarter threads)
    : plan_(std::move(plan)), observer_(observer), threads_(std::move(threads)) {
    for (size_t i = 0; i < ports.size(); ++i)
        lines_.push_back(
            std::make_unique<FleetLine>(*this, static_cast<int>(i), std::move(ports[i])));
}

Fleet::~Fleet() {
    stop();
    wait();
}

bool Fleet::start(std::string* error) {
    if (begun_) return false;
    auto refuse = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    std::error_code ec;
    if (plan_.direction == Direction::Read) {
        std::filesystem::create_directories(plan_.outDir, ec);
        if (ec || !std::filesystem::is_directory(plan_.outDir, ec))
            return refuse("cannot make the folder " + plan_.outDir.string());
    }
    // The report exists, with its header, before the first radio: a file that cannot be
    // written is known before anything is sent.
    if (!plan_.reportPath.empty() && !writeReport(records_))
        return refuse("cannot write the report " + plan_.reportPath.string() +
                      (reportError_.empty() ? "" : ": " + reportError_));
    begun_ = true;
    for (auto& line : lines_) {
        FleetLine* l = line.get();
        running_.push_back(threads_([l] { l->run(); }));
    }
    return true;
}

void Fleet::stop() {
    stop_ = true;
}

void Fleet::wait() {
    for (auto& t : running_) t->join();
    running_.clear();
}

std::vector<RadioRecord> Fleet::records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::string Fleet::reportError() const {
    std::lock_guard lock(mutex_);
    return reportError_;
}

FleetImage Fleet::nextWriteImage(int line) {
    std::lock_guard lock(mutex_);
    // Numbers follow the order the radios are started in, across all lines; a number once
    // given is never given again, even when its radio fails.
    const int k = plan_.numberByPort ? line : started_++;
    if (!plan_.writeImage) return FleetImage{ByteImage(), {}, {}};
    return plan_.writeImage(k);
}

bool Fleet::writeReport(const std::vector<RadioRecord>& records) {
    const auto failed = SaveFileSafely(plan_.reportPath, ReportText(records));
    reportError_ = failed ? failed->message : std::string();
    return !failed;
}

void Fleet::finish(RadioRecord record) {
    {
        std::lock_guard lock(mutex_);
        records_.push_back(record);
        if (!plan_.reportPath.empty()) writeReport(records_);
    }
    if (observer_) observer_->radioFinished(record);
}

void Fleet::lineEnded() {
    std::lock_guard lock(mutex_);
    ++ended_;
    lineEnded_.notify_all();
}

bool Fleet::waitFor(int ms) {
    std::unique_lock lock(mutex_);
    return lineEnded_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished(); });
}

}  // namespace tarvos::link

#include "link/fleet_line.h"

#include <algorithm>

#include "base/error_log.h"
#include "base/face_text.h"
#include "base/safe_save.h"
#include "link/link.h"
#include "link/verify.h"
#include "memory/data_file.h"
#include "memory/image_fingerprint.h"

namespace tarvos::link {

namespace {

// The page and the band a fleet transfer takes; the image comes prepared.
struct FleetHost : TransferHost {
    FunctionPageState page;
    int low = -1, high = -1;
    FunctionPageState functionPage() override { return page; }
    int bandLow(const ByteImage& image) override {
        return low >= 0 ? low : TransferHost::bandLow(image);
    }
    int bandHigh(const ByteImage& image) override {
        return high >= 0 ? high : TransferHost::bandHigh(image);
    }
};

// Keeps only the last failure the line's links logged: a line may run for hours.
struct LastLineSink : ErrorSink {
    void appendLine(const std::string& line) override { last = line; }
    std::string last;
};

// The port's own waiter, with a look at the Stop request on every DelayNms: the place the
// application would handle the stop box's click.
class StopWatchingWaiter : public Waiter {
  public:
    StopWatchingWaiter(Waiter& inner, std::function<void()> onDelay)
        : inner_(inner), onDelay_(std::move(onDelay)) {}
    uint32_t nowMs() override { return inner_.nowMs(); }
    void DelayNms(int ms) override {
        onDelay_();
        inner_.DelayNms(ms);
    }
    void sleep(int ms) override { inner_.sleep(ms); }

  private:
    Waiter& inner_;
    std::function<void()> onDelay_;
};

constexpr int kArrivalTries = 0;  // one handshake each interval finds a radio put on
// A radio still on the cable must miss three handshakes in a row before it counts as taken
// off: one missed by chance must never make it a new radio with a new number.
constexpr int kRemovalTries = 2;
// Waits are cut into slices this long so Stop is seen within one.
constexpr int kPauseSliceMs = 50;

}  // namespace

// The line's observer of its transfers: progress and status go on to the fleet's observer,
// the last message box is kept as the reason of a failure.
class FleetLine::Watcher : public TransferObserver {
  public:
    Watcher(FleetObserver* observer, int line) : observer_(observer), line_(line) {}
    void progress(int percent) override {
        if (observer_) observer_->lineProgress(line_, percent);
    }
    void statusText(const std::string& text) override {
        if (observer_) observer_->lineStatus(line_, text);
    }
    void messageBox(int, const std::string& text, const std::string&) override {
        lastMessage = text;
    }
    std::string lastMessage;

  private:
    FleetObserver* observer_;
    int line_;
};

struct FleetLine::Links {
    Links(FleetLine& line)
        : text(line.plan_.language),
          waiter(*line.port_.waiter, [this, &line] { watchStop(line); }),
          watcher(line.fleet_.observer_, line.index_),
          link(*line.port_.serial, waiter, errors, nullptr, image, host, text),
          verify(*line.port_.serial, waiter, errors, nullptr, back, readHost, text) {
        host.page = line.plan_.page;
        host.low = line.plan_.bandLow;
        host.high = line.plan_.bandHigh;
        readHost.page = line.plan_.page;
        for (Link* l : {&link, &verify}) {
            // The line's own port and no other: a search never strays to another line's.
            l->ports.setComPort(line.port_.number);
            l->ports.setPortState(line.port_.number, PortStatus::Opened);
            l->ranges = line.plan_.ranges;
            l->setObserver(&watcher);
        }
    }

    // Stop asks the running transfer to stop, once, as a click on its stop box would.
    void watchStop(FleetLine& line) {
        if (!line.stopped() || !running || stopAsked) return;
        stopAsked = true;
        running->requestClose();
    }

    LastLineSink sink;
    ErrorLog errors{&sink};
    FaceTextTable text;
    StopWatchingWaiter waiter;
    FleetHost host;
    ReadBackHost readHost;
    ByteImage image, back;
    Watcher watcher;
    Link link;    // the transfers and the handshakes that look for a radio
    Link verify;  // the read-back of a write
    Transfer* running = nullptr;
    bool stopAsked = false;
};

FleetLine::FleetLine(Fleet& fleet, int index, FleetPort port)
    : fleet_(fleet), plan_(fleet.plan_), index_(index), port_(std::move(port)) {}

FleetLine::~FleetLine() = default;

void FleetLine::run() {
    try {
        links_ = std::make_unique<Links>(*this);
        produce();
    } catch (...) {
        // A line that breaks ends alone; the others go on.
    }
    links_.reset();
    // The port is given up on the thread that used it.
    port_.serial.reset();
    setState(LineState::Ended);
    fleet_.lineEnded();
}

void FleetLine::produce() {
    if (!plan_.productionLine) {
        // One radio per port: a port Stop comes to first leaves its radio unfinished.
        if (!stopped()) return session();
        RadioRecord record = newRecord();
        record.result = RadioResult::Unfinished;
        record.reason = FleetReason(FleetText::StoppedBefore, plan_.language);
        return finish(std::move(record));
    }
    bool probeAtOnce = true;
    while (!stopped()) {
        setState(LineState::WaitingForRadio);
        // Until a radio answers: at once when the line starts, then every interval.
        for (bool answered = false; !answered;) {
            if (!probeAtOnce && !pause(plan_.intervalMs)) return;
            probeAtOnce = false;
            if (stopped()) return;
            answered = probe(kArrivalTries);
        }
        session();
        if (stopped()) return;
        // Until it is taken off the cable.
        setState(LineState::WaitingForRemoval);
        for (bool answered = true; answered;) {
            if (!pause(plan_.intervalMs)) return;
            answered = probe(kRemovalTries);
        }
    }
}

RadioRecord FleetLine::newRecord() const {
    RadioRecord r;
    r.line = index_;
    r.port = port_.name;
    r.device = port_.device;
    r.operation = plan_.direction;
    return r;
}

void FleetLine::session() {
    RadioRecord record = newRecord();
    setState(LineState::Transferring);
    if (plan_.direction == Direction::Write)
        writeRadio(record);
    else
        readRadio(record);
    finish(std::move(record));
}

void FleetLine::writeRadio(RadioRecord& record) {
    FleetImage given = fleet_.nextWriteImage(index_);
    record.number = given.number;
    if (!given.refusal.empty()) {
        record.reason = given.refusal;
        return;
    }
    Links& l = *links_;
    l.image = std::move(given.image);
    record.fingerprint = ImageFingerprint(l.image);
    const Outcome wrote = transfer(Direction::Write, false);
    if (wrote != Outcome::Done) {
        record.result = stopped() ? RadioResult::Unfinished : RadioResult::Failed;
        record.reason = reasonFor(wrote, false);
        return;
    }
    if (!plan_.verify) {
        record.result = RadioResult::Succeeded;
        return;
    }
    if (stopped()) {
        record.result = RadioResult::Unfinished;
        record.reason = FleetReason(FleetText::StoppedVerify, plan_.language);
        return;
    }

    // What the radio should now hold, read back over the same port and cable mode.
    setState(LineState::Verifying);
    const VerifyPlan expected = PlanVerification(l.link.transfer.written());
    VerifyResult result;
    if (!expected.empty()) {
        l.back = l.image;  // the code bytes for the check come along
        l.verify.ranges.ReadStartAddr = expected.start;
        l.verify.ranges.ReadEndAddr = expected.end;
        l.verify.interp.setSingleWire(l.link.interp.SingleWire());
        const Outcome read = transfer(Direction::Read, true);
        l.link.interp.setSingleWire(l.verify.interp.SingleWire());
        if (read != Outcome::Done) {
            const bool stop = stopped();
            record.result = stop ? RadioResult::Unfinished : RadioResult::Failed;
            record.verified = stop ? Verification::NotDone : Verification::Differed;
            record.reason = stop ? FleetReason(FleetText::StoppedVerify, plan_.language)
                                 : VerifyReadFailedText(plan_.language);
            return;
        }
        result = CompareReadBack(expected, l.back);
    }
    record.verified = result.matched() ? Verification::Matched : Verification::Differed;
    record.result = result.matched() ? RadioResult::Succeeded : RadioResult::Failed;
    if (!result.matched()) record.reason = VerifySummary(result, plan_.language);
}

void FleetLine::readRadio(RadioRecord& record) {
    Links& l = *links_;
    l.image = plan_.readBase;
    const Outcome read = transfer(Direction::Read, false);
    if (read != Outcome::Done) {
        record.result = stopped() ? RadioResult::Unfinished : RadioResult::Failed;
        record.reason = reasonFor(read, false);
        return;
    }
    record.fingerprint = ImageFingerprint(l.image);
    const std::time_t now = plan_.clock ? plan_.clock() : std::time(nullptr);
    // Lines save into one folder at the same time; the port in the name keeps them apart.
    const std::filesystem::path path = ReadFileName(plan_.outDir, now, port_.name);
    // A file already there (another run's, in the same second) is never replaced.
    if (SaveFileSafely(path, ImageToFileBytes(l.image), SaveMode::CreateNew)) {
        record.reason = FleetReason(FleetText::CannotSave, plan_.language) + path.string();
        return;
    }
    record.file = path;
    record.result = RadioResult::Succeeded;
}

Outcome FleetLine::transfer(Direction d, bool verification) {
    Links& l = *links_;
    Link& link = verification ? l.verify : l.link;
    l.watcher.lastMessage.clear();
    l.sink.last.clear();
    l.running = &link.transfer;
    l.stopAsked = false;
    const Outcome outcome = d == Direction::Read ? link.transfer.Read() : link.transfer.Write();
    l.running = nullptr;
    return outcome;
}

std::string FleetLine::reasonFor(Outcome outcome, bool verification) const {
    const Links& l = *links_;
    const Link& link = verification ? l.verify : l.link;
    if (stopped()) return FleetReason(FleetText::StoppedTransfer, plan_.language);
    if (outcome == Outcome::NoPort) {
        std::string s = FleetReason(FleetText::NoAnswer, plan_.language);
        const std::string why = link.ports.failureReason();
        return why.empty() ? s : s + ": " + why;
    }
    if (outcome == Outcome::Stopped) return FleetReason(FleetText::StoppedTransfer, plan_.language);
    if (!l.watcher.lastMessage.empty()) return l.watcher.lastMessage;
    if (!l.sink.last.empty()) return l.sink.last;
    return l.text[text::CommFailed];
}

bool FleetLine::probe(int tries) {
    Links& l = *links_;
    l.link.ports.stopRequested = [this] { return stopped(); };
    const bool answered = l.link.ports.ProbePort(l.link.interp, port_.number, tries);
    // The misses of a line waiting all day would fill the log.
    l.link.interp.log.clear();
    if (fleet_.observer_) fleet_.observer_->probed(index_, answered);
    return answered;
}

bool FleetLine::pause(int ms) {
    Waiter& waiter = *port_.waiter;
    const uint32_t start = waiter.nowMs();
    for (;;) {
        if (stopped()) return false;
        const int left = ms - static_cast<int>(waiter.nowMs() - start);
        if (left <= 0) return true;
        // DelayNms waits 2 ms more than asked; the last slice takes them off.
        waiter.DelayNms(std::max(0, std::min(kPauseSliceMs, left - 2)));
    }
}

void FleetLine::setState(LineState state) {
    if (fleet_.observer_) fleet_.observer_->lineState(index_, state);
}

void FleetLine::finish(RadioRecord record) {
    const std::time_t now = plan_.clock ? plan_.clock() : std::time(nullptr);
    record.time = RecordTime(now);
    fleet_.finish(std::move(record));
}

}  // namespace tarvos::link

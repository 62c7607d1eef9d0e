// A hostile radio on the serial line: the read and write transfers run through the port
// layer, the interpreter and the step lists against a port whose every answer comes from the
// fuzzer, on the virtual clock, so time-outs cost nothing.
//
// Input: a five-byte header that sets up the transfer, then the radio's answers.
//   byte 0  bit 0 write (else read), bit 1 echo mode at the start, bit 2 the model has a
//           read/write code, bit 3 new-code box visible, bit 4 new code ticked, bit 5 alarm
//           ticked, bit 6 hopping box visible, bit 7 hopping ticked
//   byte 1  bit 0 the user ticked the stop box, bit 1 a transfer of the other direction
//           follows on the same link, bit 2 the chosen port does not answer (port search)
//   byte 2-3 first address of the range (11 bits, so ranges past the image are tried)
//   byte 4  the range's last address minus its first
// Then, for every read the link makes, one byte n followed by the bytes the radio sent: the
// first min(n, asked) of them arrive, and fewer than asked is a time-out.
//
// What must hold: nothing crashes or runs past a buffer (the port checks that every buffer
// the link hands it is as long as the count it gives); no checked access had to stop an
// index (failure 9); the transfer ends, and after a bounded number of port operations; a
// read that did not succeed leaves the image exactly as it was, and one that did changes
// only its range (and the 0x0360 copy the read makes for some radios); a write never
// changes the image; progress stays within 0..100.

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/face_text.h"
#include "fuzz/fuzz_support.h"
#include "link/link.h"
#include "link/virtual_clock.h"
#include "sim/radio_line.h"
#include "sim/sim_serial_port.h"
#include "sim/virtual_radio.h"

using namespace tarvos;
using namespace tarvos::link;

namespace {

constexpr size_t kHeader = 5;
// Far more than the longest legitimate exchange: two transfers, each with the port search
// and twenty rounds of a list, plus sixteen tries of every hand-built frame.
constexpr long kMaxPortCalls = 200000;
constexpr long kMaxDelays = 2000000;

struct Config {
    bool write = false, singleWire = false, codeVisible = false, newCodeVisible = false,
         newCodeTicked = false, alarm = false, hopVisible = false, hopTicked = false;
    bool stop = false, twice = false, searchOtherPort = false;
    int start = 0, end = 0;

    static Config From(const uint8_t* h) {
        Config c;
        c.write = h[0] & 1;
        c.singleWire = h[0] & 2;
        c.codeVisible = h[0] & 4;
        c.newCodeVisible = h[0] & 8;
        c.newCodeTicked = h[0] & 16;
        c.alarm = h[0] & 32;
        c.hopVisible = h[0] & 64;
        c.hopTicked = h[0] & 128;
        c.stop = h[1] & 1;
        c.twice = h[1] & 2;
        c.searchOtherPort = h[1] & 4;
        c.start = (h[2] | h[3] << 8) & 0x7FF;
        c.end = c.start + h[4];
        return c;
    }
};

// The serial port. In replay the radio's answers come from the fuzz input; in record mode
// the port passes everything to the in-process virtual radio and writes down what each read
// returned, which is how the seeds are made.
class FuzzPort : public SerialPort {
  public:
    FuzzPort(VirtualClock& clock, const uint8_t* data, size_t size, int usablePort)
        : clock_(clock), data_(data), size_(size), usable_(usablePort) {}
    FuzzPort(VirtualClock& clock, sim::SimSerialPorts& sim, std::vector<uint8_t>& record)
        : clock_(clock), sim_(&sim), record_(&record), usable_(1) {}

    int open(int port) override {
        count();
        FUZZ_CHECK(port >= 1 && port <= kPortCount);
        if (sim_) return sim_->open(port);
        if (port != usable_) return -1;
        open_ = port;
        return 0;
    }
    void ioctl(int port, int baudCode, int mode) override {
        count();
        FUZZ_CHECK(baudCode == kBaudCode9600 && mode == kMode8N2);
        if (sim_) sim_->ioctl(port, baudCode, mode);
    }
    int setReadTimeouts(int port, int totalMs, int intervalMs) override {
        count();
        FUZZ_CHECK(totalMs > 0 && totalMs < 10000);
        timeoutMs_ = totalMs;
        return sim_ ? sim_->setReadTimeouts(port, totalMs, intervalMs) : 0;
    }
    void flush(int port, int func) override {
        count();
        if (sim_) sim_->flush(port, func);
    }
    int write(int port, const uint8_t* data, int n) override {
        count();
        FUZZ_CHECK(n >= 0 && n <= 4096);
        FUZZ_CHECK(__asan_region_is_poisoned(const_cast<uint8_t*>(data), n) == nullptr);
        if (sim_) return sim_->write(port, data, n);
        // A port that did not open takes nothing, as a real one would; the handshake that
        // follows a failed open simply fails.
        return port == open_ ? n : 0;
    }
    int read(int port, uint8_t* data, int n) override {
        count();
        FUZZ_CHECK(n >= 0 && n <= 4096);
        // The link claims room for n bytes: every one of them must be writable.
        FUZZ_CHECK(__asan_region_is_poisoned(data, n) == nullptr);
        if (n > 0) std::memset(data, 0xEE, static_cast<size_t>(n));
        if (sim_) {
            int got = sim_->read(port, data, n);
            record_->push_back(static_cast<uint8_t>(got));
            record_->insert(record_->end(), data, data + got);
            return got;
        }
        int got = 0;
        if (port == open_ && pos_ < size_) {
            const int offered = data_[pos_++];
            got = static_cast<int>(std::min<size_t>(
                {static_cast<size_t>(offered), static_cast<size_t>(n), size_ - pos_}));
            std::memcpy(data, data_ + pos_, static_cast<size_t>(got));
            pos_ += static_cast<size_t>(got);
        }
        // A short read waits for the whole time-out, as a real port does.
        if (got < n) clock_.advanceUs(static_cast<int64_t>(timeoutMs_) * 1000);
        return got;
    }
    void close(int port) override {
        count();
        if (sim_) return sim_->close(port);
        if (port == open_) open_ = 0;
    }

  private:
    void count() {
        if (++calls_ > kMaxPortCalls) fuzz::Broken("the link never stops talking to the radio");
    }
    VirtualClock& clock_;
    sim::SimSerialPorts* sim_ = nullptr;
    std::vector<uint8_t>* record_ = nullptr;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0, pos_ = 0;
    int usable_;
    int open_ = 0;
    int timeoutMs_ = 0;
    long calls_ = 0;
};

struct Host : TransferHost {
    FunctionPageState functionPage() override { return page; }
    FunctionPageState page;
};

struct Progress : TransferObserver {
    void progress(int p) override { FUZZ_CHECK(p >= 0 && p <= 100); }
};

const FaceTextTable& Texts() {
    static const FaceTextTable text(3);
    return text;
}

// The image every run starts from; its code bytes and letters are whatever the pattern
// gives, and the seeds' virtual radio holds the same bytes.
ByteImage StartImage() {
    ByteImage image;
    for (int i = 0; i < image.size(); ++i) image.at(i) = static_cast<uint8_t>(i * 13 + 5);
    return image;
}

void CheckTransfer(Direction d, Outcome outcome, const ByteImage& before, const ByteImage& after,
                   int start, int end) {
    FUZZ_CHECK(outcome == Outcome::Done || outcome == Outcome::Failed ||
               outcome == Outcome::Stopped || outcome == Outcome::NoPort ||
               outcome == Outcome::Refused);
    if (d == Direction::Write || outcome != Outcome::Done) {
        FUZZ_CHECK(after == before);
        return;
    }
    for (int a = 0; a < after.size(); ++a) {
        const bool inRange = a >= start && a <= end;
        const bool copied = a >= 0x0360 && a <= 0x036F;
        if (!inRange && !copied) FUZZ_CHECK(after.at(a) == before.at(a));
    }
}

// Runs the transfers one input asks for over the given port.
void RunTransfers(const Config& c, SerialPort& port, VirtualClock& clock) {
    long delays = 0;
    clock.onDelay = [&delays] {
        if (++delays > kMaxDelays) fuzz::Broken("the link keeps waiting and never ends");
    };
    fuzz::FailureSink sink;
    ErrorLog errors(&sink);
    ByteImage image = StartImage();
    Host host;
    host.page.rdWrCodeVisible = c.codeVisible;
    host.page.newRdWrCodeVisible = c.newCodeVisible;
    host.page.newRdWrCodeTicked = c.newCodeTicked;
    host.page.alarmSwitchTicked = c.alarm;
    host.page.jumpFreFuncVisible = c.hopVisible;
    host.page.jumpFreFuncTicked = c.hopTicked;
    Progress progress;
    Link link(port, clock, errors, nullptr, image, host, Texts());
    link.setObserver(&progress);
    link.ranges = {c.start, c.end, c.start, c.end, 0x03FF};
    link.ports.setComPort(1);
    link.ports.setPortState(1, link::PortStatus::Opened);
    if (c.searchOtherPort) link.ports.setPortState(2, link::PortStatus::Opened);
    link.interp.setSingleWire(c.singleWire);
    if (c.stop) link.transfer.setStopTicked(true);

    Direction d = c.write ? Direction::Write : Direction::Read;
    for (int round = 0; round < (c.twice ? 2 : 1); ++round) {
        const ByteImage before = image;
        const Outcome outcome =
            d == Direction::Write ? link.transfer.Write() : link.transfer.Read();
        if (std::getenv("TARVOS_FUZZ_VERBOSE"))
            std::fprintf(stderr, "%s %04X-%04X: outcome %d, message %d, retries %d, echo %d\n",
                         d == Direction::Write ? "write" : "read", c.start, c.end,
                         static_cast<int>(outcome), link.transfer.lastMessage(),
                         link.transfer.retry().failures, link.interp.SingleWire() ? 1 : 0);
        CheckTransfer(d, outcome, before, image, c.start, c.end);
        FUZZ_CHECK(link.ports.busy() == false);
        d = d == Direction::Write ? Direction::Read : Direction::Write;
    }
    FUZZ_CHECK(!sink.logged(err::IndexOutOfRange));
    clock.onDelay = nullptr;
}

// --- Seeds ------------------------------------------------------------------------------

struct Seed {
    const char* name;
    uint8_t header[kHeader];
    sim::Faults faults;
    std::function<void(sim::VirtualRadio&)> radio;
};

void WriteSeeds() {
    auto radioBytes = [](int a, uint8_t v) {
        return [a, v](sim::VirtualRadio& r) { r.memory[static_cast<size_t>(a)] = v; };
    };
    const Seed seeds[] = {
        {"read_channels", {0x00, 0, 0x10, 0x00, 0x3F}, {}, nullptr},
        {"read_echo_params",
         {0x02, 0, 0xC0, 0x03, 0x3F},
         {.echo = true},
         [](sim::VirtualRadio& r) {
             r.memory[0x03D0] = 0x20;
             r.memory[0x03D1] = 0xE9;
             r.memory[0x03D2] = 0x17;
         }},
        {"read_cable_turns_echo", {0x00, 0, 0x00, 0x00, 0x1F}, {.echo = true}, nullptr},
        {"read_letters_code",
         {0x04, 0, 0x80, 0x03, 0x0F},
         {},
         [](sim::VirtualRadio& r) { r.setLetters("ZIM"); }},
        {"read_no_code",
         {0x04, 0, 0x70, 0x03, 0x1F},
         {},
         [](sim::VirtualRadio& r) { r.setCode(""); }},
        {"read_unsupported",
         {0x00, 0, 0x00, 0x00, 0x0F},
         {},
         [](sim::VirtualRadio& r) { r.setLetters("ZAB"); }},
        {"read_drops_a_byte", {0x00, 0x02, 0x00, 0x00, 0x0F}, {.dropByte = 40}, nullptr},
        {"write_parameter", {0x01, 0, 0x10, 0x00, 0x2F}, {}, radioBytes(0x03D4, 50)},
        {"write_code_frames",
         {0x01 | 0x08 | 0x10 | 0x20 | 0x40, 0, 0x90, 0x01, 0x2F},
         {},
         [](sim::VirtualRadio& r) {
             r.memory[0x03D4] = 120;
             r.memory[0x03D3] = 0x28;
         }},
        {"write_echo_75", {0x03, 0x02, 0x70, 0x02, 0x2F}, {.echo = true}, radioBytes(0x03D4, 50)},
    };
    const ByteImage image = StartImage();
    for (const Seed& s : seeds) {
        sim::RadioMemory memory{};
        for (int a = 0; a < sim::kRadioBytes; ++a) memory[static_cast<size_t>(a)] = image.at(a);
        sim::VirtualRadio radio(memory);
        if (s.radio) s.radio(radio);
        sim::RadioLine line(radio, s.faults);
        VirtualClock clock;
        sim::SimSerialPorts ports(clock);
        ports.attach(1, &line);
        std::vector<uint8_t> bytes(s.header, s.header + kHeader);
        FuzzPort port(clock, ports, bytes);
        RunTransfers(Config::From(s.header), port, clock);
        fuzz::WriteSeed(s.name, bytes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (fuzz::SeedFolder()) {
        WriteSeeds();
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t header[kHeader] = {};
    std::memcpy(header, data, std::min(size, kHeader));
    const Config c = Config::From(header);
    const size_t skip = std::min(size, kHeader);
    VirtualClock clock;
    FuzzPort port(clock, data + skip, size - skip, c.searchOtherPort ? 2 : 1);
    RunTransfers(c, port, clock);
    return 0;
}

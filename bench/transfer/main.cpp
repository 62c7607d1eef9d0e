// bench_transfer: a full read and a full write (0x0000-0x03FF) through QtSerialPort against
// the virtual radio on a pseudo-terminal, paced at the real wire rate. For each it prints
// measured time / floor, where the floor is 11 bits for every byte on the wire at 9600 baud
// plus the pauses the protocol prescribes (every DelayNms waits at least ms + 2, every
// sleep its ms). Goal: 1.10 or less. A checked read ("Check each read", read --check) is
// measured as well, and its extra time over the plain read printed.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "base/error_log.h"
#include "link/link.h"
#include "link/qt/qt_serial_port.h"
#include "sim/pty_radio.h"

namespace {

using namespace tarvos;

// The command-line waiter, adding up the pauses it was asked for.
class CountingWaiter : public link::SleepWaiter {
  public:
    void DelayNms(int ms) override {
        prescribedMs += ms + 2;
        SleepWaiter::DelayNms(ms);
    }
    void sleep(int ms) override {
        prescribedMs += ms;
        SleepWaiter::sleep(ms);
    }
    double prescribedMs = 0;
};

struct Result {
    bool ok;
    double measuredMs, floorMs;
    int64_t bytes;
};

Result Measure(sim::PtyRadio& radio, link::Direction d, ByteImage& image, bool checked = false) {
    RecordingSink sink;
    ErrorLog errors(&sink);
    FaceTextTable text(3);
    link::TransferHost host;
    link::QtSerialPorts ports{link::PortMap()};
    ports.map().pin(1, radio.devicePath());
    CountingWaiter waiter;
    link::Link l(ports, waiter, errors, nullptr, image, host, text);
    l.ranges = {0x0000, 0x03FF, 0x0000, 0x03FF, 0x03FF};
    l.ports.setComPort(1);
    l.ports.VerdictCom(1);
    l.lists.SetComCmdStd();
    l.transfer.setCheckEachRead(checked);

    const int64_t before = radio.bytesIn() + radio.bytesOut();
    const auto t0 = std::chrono::steady_clock::now();
    const link::Outcome outcome =
        d == link::Direction::Read ? l.transfer.Read() : l.transfer.Write();
    const auto t1 = std::chrono::steady_clock::now();
    const int64_t bytes = radio.bytesIn() + radio.bytesOut() - before;
    const double wireMs = bytes * 11.0 * 1000.0 / 9600.0;
    return {outcome == link::Outcome::Done,
            std::chrono::duration<double, std::milli>(t1 - t0).count(),
            wireMs + waiter.prescribedMs, bytes};
}

void Print(const char* name, const Result& r) {
    std::printf("%-13s %s  bytes on wire %5lld  measured %8.1f ms  floor %8.1f ms  ratio %.3f\n",
                name, r.ok ? "ok    " : "FAILED", static_cast<long long>(r.bytes), r.measuredMs,
                r.floorMs, r.measuredMs / r.floorMs);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    sim::PtyRadioOptions options;
    options.paced = true;
    for (int a = 0; a < sim::kRadioBytes; ++a)
        options.memory[static_cast<size_t>(a)] = static_cast<uint8_t>(a * 31 + 7);
    options.memory[0x0388] = 0xFF;  // standard letters
    // A radio whose parameters call for the code-area frames, so the write sends them all.
    options.memory[0x03D3] = 0x28;
    options.memory[0x03D4] = 120;
    sim::PtyRadio radio(options);
    std::string error;
    if (!radio.start(&error)) {
        std::fprintf(stderr, "cannot start the virtual radio: %s\n", error.c_str());
        return 1;
    }

    ByteImage image;
    const Result read = Measure(radio, link::Direction::Read, image);
    Print("read", read);
    ByteImage checkedImage;
    const Result checked = Measure(radio, link::Direction::Read, checkedImage, true);
    Print("read, checked", checked);
    std::printf("a checked read costs %.1f ms more than a read (x %.2f)\n",
                checked.measuredMs - read.measuredMs, checked.measuredMs / read.measuredMs);
    for (int a = 0x0010; a < 0x0110; ++a) image[a] = static_cast<uint8_t>(~image[a]);
    const Result write = Measure(radio, link::Direction::Write, image);
    Print("write", write);
    return read.ok && checked.ok && write.ok ? 0 : 1;
}

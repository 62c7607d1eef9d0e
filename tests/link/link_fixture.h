#pragma once
// A programming link wired to the in-process virtual radio on a virtual clock, with an
// observer and a host that record what a transfer reports and asks for.

#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/face_text.h"
#include "fill_pattern.h"
#include "link/link.h"
#include "link/virtual_clock.h"
#include "sim/sim_serial_port.h"

namespace tarvos::link::testing {

struct Recorder : TransferObserver {
    void progress(int p) override { progressValues.push_back(p); }
    void statusText(const std::string& s) override { statuses.push_back(s); }
    void stopBox(bool visible, bool ticked) override {
        if (visible && !stopShown) stopShownAtStatusCount = static_cast<int>(statuses.size());
        stopShown = stopShown || visible;
        (void)ticked;
    }
    void singleWire(bool on) override { singleWireEvents.push_back(on); }
    void comPort(int port) override { comPorts.push_back(port); }
    void messageBox(int n, const std::string&, const std::string&) override {
        messages.push_back(n);
    }
    void finished(Direction, Outcome o, bool close) override {
        outcomes.push_back(o);
        closed = close;
    }
    std::vector<int> progressValues, messages, comPorts;
    std::vector<std::string> statuses;
    std::vector<bool> singleWireEvents;
    std::vector<Outcome> outcomes;
    bool stopShown = false;
    int stopShownAtStatusCount = -1;
    bool closed = false;
};

struct Host : TransferHost {
    FunctionPageState functionPage() override { return page; }
    WriteParamBits prepareImageForWrite(ByteImage& image) override {
        ++prepared;
        return ParamBitsOf(image);
    }
    void softDisplay() override { ++softDisplays; }
    FunctionPageState page;
    int prepared = 0, softDisplays = 0;
};

struct LinkBench {
    VirtualClock clock;
    RecordingSink sink;
    ErrorLog errors{&sink};
    FaceTextTable text{3};
    ByteImage image;
    Host host;
    sim::SimSerialPorts ports{clock};
    sim::VirtualRadio radio;
    sim::RadioLine line{radio};
    Link link{ports, clock, errors, nullptr, image, host, text};
    Recorder rec;

    LinkBench() {
        ports.attach(1, &line);
        link.ports.setPortState(1, link::PortStatus::Opened);
        link.ports.setComPort(1);
        link.setObserver(&rec);
        link.ranges = {0x0000, 0x03FF, 0x0000, 0x03FF, 0x03FF};
    }
    // Radio memory with a recognisable pattern.
    void fillRadio() {
        for (int a = 0; a < sim::kRadioBytes; ++a)
            radio.memory[static_cast<size_t>(a)] = test::PatternByte(a);
        radio.setLetters("");  // no "Z" marker: standard letters
        radio.setCode("");
    }
    // The image holds the radio's bytes from..to.
    bool imageMatchesRadio(int from, int to) const {
        for (int a = from; a <= to; ++a)
            if (image[a] != radio.memory[static_cast<size_t>(a)]) return false;
        return true;
    }
    // The frames the radio understood, without handshakes and acknowledgements.
    std::vector<std::string> frames() const {
        std::vector<std::string> out;
        for (const auto& j : radio.journal)
            if (j != "PROGRAM" && j != "06") out.push_back(j);
        return out;
    }
    int handshakesOn(int port) {
        int n = 0;
        for (const auto& w : ports.record(port).writes)
            if (w == std::vector<uint8_t>{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}) ++n;
        return n;
    }
};

}  // namespace tarvos::link::testing

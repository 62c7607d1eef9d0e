#include "sim/radio_bench.h"

#include <algorithm>

namespace tarvos::sim {

namespace {
const uint8_t kProgram[7] = {0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};

bool Handshake(const uint8_t* data, int count) {
    return (count == 7 && std::equal(data, data + 7, kProgram)) || (count == 1 && data[0] == 0x06);
}
}  // namespace

RadioBench::RadioBench(link::VirtualClock& clock, std::vector<Place> radios, int staysFor,
                       int emptyFor)
    : ports_(clock), staysFor_(staysFor), emptyFor_(emptyFor) {
    for (const Place& p : radios) lines_.push_back(std::make_unique<RadioLine>(*p.radio, p.faults));
    present_ = !lines_.empty();
}

int RadioBench::open(int port) {
    const int count = static_cast<int>(lines_.size());
    if (present_ && programmed_ && quiet_ >= staysFor_) {
        present_ = false;
        ++current_;
        empty_ = 0;
    }
    if (!present_ && current_ < count) {
        if (empty_ >= emptyFor_) {
            present_ = true;
            programmed_ = false;
            quiet_ = 0;
        } else {
            ++empty_;
        }
    }
    ports_.attach(port, present_ ? lines_[static_cast<size_t>(current_)].get() : nullptr);
    sessionProgrammed_ = false;
    return ports_.open(port);
}

int RadioBench::write(int port, const uint8_t* data, int count) {
    if (!Handshake(data, count)) sessionProgrammed_ = true;
    return ports_.write(port, data, count);
}

void RadioBench::close(int port) {
    ports_.close(port);
    if (!present_) return;
    if (sessionProgrammed_) {
        programmed_ = true;
        quiet_ = 0;
    } else if (programmed_) {
        ++quiet_;
    }
    sessionProgrammed_ = false;
}

}  // namespace tarvos::sim

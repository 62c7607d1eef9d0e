#pragma once
// The line between the application and the virtual radio: its timing (optionally the real
// wire rate, 11 bits a byte at 9600 baud) and the faults a test can switch on.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/virtual_radio.h"

namespace tarvos::sim {

struct Faults {
    bool echo = false;     // single-wire cable: every byte sent comes back first
    bool silent = false;   // the radio never answers
    int replyDelayMs = 0;  // pause before each answer
    int dropByte = 0;      // the k-th byte the radio sends (from 1) is lost; 0 off
    int corruptByte = 0;   // the k-th byte the radio sends arrives inverted; 0 off
    int unplugAfter = -1;  // after the radio has sent n bytes the cable is pulled; -1 off
    int weakCell = -1;     // the radio's byte at this address reads differently every time
};

// Parses "echo", "silence", "delay:MS", "drop:K", "corrupt:K", "unplug:N", "weak:ADDR"
// (hexadecimal) into faults;
// letters faults are set on the radio ("letters:ZAB"). False for an unknown kind.
bool ParseFault(const std::string& faultText, Faults& faults, std::string* letters);

struct TimedByte {
    int64_t ns;  // when the byte is on the application's side of the line
    uint8_t byte;
};

class RadioLine {
  public:
    static constexpr int64_t kByteNs = 11LL * 1000000000LL / 9600;  // 1145833 ns

    RadioLine(VirtualRadio& radio, Faults faults = {}, bool paced = false)
        : faults(faults), paced(paced), radio_(radio) {}

    // Bytes written by the application at nowNs; returns what comes back, in time order.
    std::vector<TimedByte> receive(const uint8_t* data, int count, int64_t nowNs);

    Faults faults;
    bool paced;

    int64_t bytesIn = 0;   // bytes from the application
    int64_t bytesOut = 0;  // bytes the radio sent (echo not counted)

  private:
    VirtualRadio& radio_;
    int64_t lastInNs_ = -1;
    int64_t rxFreeNs_ = 0;  // when the wire towards the radio is free again
    int64_t txFreeNs_ = 0;  // when the wire towards the application is free again
    bool unplugged_ = false;
};

}  // namespace tarvos::sim

#pragma once
// A bench of radios put on one cable one after the other, as a dealer programs a box of
// them, for the in-process tests of production lines. The first radio is on the cable from
// the start. Once a radio has been programmed (anything beyond the "PROGRAM" handshake went
// over the wire) and the line has then found it still there `staysFor` times, it is taken
// off; the next one is put on after the line has found the cable empty `emptyFor` times.
// Radios only come and go between two openings of the port, never during a transfer.
//
// A read-back after a write starts with a handshake of its own, so a radio must stay for at
// least two handshakes to be there for it.

#include <memory>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/virtual_clock.h"
#include "sim/radio_line.h"
#include "sim/sim_serial_port.h"
#include "sim/virtual_radio.h"

namespace tarvos::sim {

class RadioBench : public link::SerialPort {
  public:
    struct Place {
        VirtualRadio* radio;  // owned by the caller
        Faults faults = {};
    };
    RadioBench(link::VirtualClock& clock, std::vector<Place> radios, int staysFor = 2,
               int emptyFor = 1);

    int open(int port) override;
    void ioctl(int port, int baudCode, int mode) override { ports_.ioctl(port, baudCode, mode); }
    int setReadTimeouts(int port, int totalMs, int intervalMs) override {
        return ports_.setReadTimeouts(port, totalMs, intervalMs);
    }
    void flush(int port, int func) override { ports_.flush(port, func); }
    int write(int port, const uint8_t* data, int count) override;
    int read(int port, uint8_t* data, int count) override { return ports_.read(port, data, count); }
    void close(int port) override;
    std::string openFailureReason(int port) const override {
        return ports_.openFailureReason(port);
    }

    // The radio on the cable (its place in the list), -1 while the cable is empty.
    int onCable() const { return present_ ? current_ : -1; }
    // Radios taken off so far.
    int takenOff() const { return current_; }

  private:
    SimSerialPorts ports_;
    std::vector<std::unique_ptr<RadioLine>> lines_;
    int staysFor_, emptyFor_;
    int current_ = 0;
    bool present_ = true;
    bool programmed_ = false;  // the radio on the cable has been programmed
    int quiet_ = 0;            // handshakes only since then
    int empty_ = 0;            // openings of the empty cable
    bool sessionProgrammed_ = false;
};

}  // namespace tarvos::sim

#pragma once
// One production line of a fleet run: one port, and on it one radio after the other. It runs
// on a thread of its own and owns everything it changes: its port and waiter, its
// programming links (one for the transfers, one for the read-back of a write) and their
// images. What it finds goes to the Fleet (records, numbering) and to the observer.

#include <memory>
#include <string>

#include "link/fleet.h"

namespace tarvos::link {

class FleetLine {
  public:
    FleetLine(Fleet& fleet, int index, FleetPort port);
    ~FleetLine();

    // The line's whole life, on its own thread.
    void run();

    const FleetPort& port() const { return port_; }

  private:
    struct Links;
    class Watcher;

    void produce();
    // One radio: its transfer (and the read-back of a write, or the file of a read), then
    // its record.
    void session();
    void writeRadio(RadioRecord& record);
    void readRadio(RadioRecord& record);
    // Runs a transfer of link `which` with the stop request watched.
    Outcome transfer(Direction d, bool verification);
    // Why a transfer that did not end Done ended, in words for the report.
    std::string reasonFor(Outcome outcome, bool verification) const;
    // A handshake on the port: true when a radio answered (tries + 1 attempts).
    bool probe(int tries);
    // Waits ms on the line's clock; false when Stop came meanwhile.
    bool pause(int ms);
    bool stopped() const { return fleet_.stopRequested(); }
    void setState(LineState state);
    void finish(RadioRecord record);
    RadioRecord newRecord() const;

    Fleet& fleet_;
    const FleetPlan& plan_;
    int index_;
    FleetPort port_;
    std::unique_ptr<Links> links_;  // made on the line's thread
};

}  // namespace tarvos::link

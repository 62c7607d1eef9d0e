#pragma once
// The protocol script interpreter. A script is a text of two-character tokens: "TX" starts a
// segment whose bytes are sent, "RX" starts the reply the radio must give, "VA" sends or
// captures the next byte of VaDat, "EN" ends the script, "RF"/"WF" take three operands and
// do nothing, and any other token is a byte in hexadecimal.
//
// The interpreter runs a script over the open port, checks every reply byte, drops the line
// echo of single-wire cables (and detects switching to and from them on the "PROGRAM"
// handshake), captures data into VaDat and reports a failure through ComErr and a log line.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_log.h"
#include "base/face_text.h"
#include "link/comm_log.h"
#include "link/observer.h"
#include "link/serial_port.h"

namespace tarvos::link {

inline constexpr int kVaDatSize = 100;
inline constexpr int kTokenCapacity = 200;
inline constexpr int kSegmentCapacity = 101;  // bytes of a send part, tokens of a reply part

class Interpreter {
  public:
    Interpreter(SerialPort& port, Waiter& waiter, ErrorLog& errors, const FaceTextTable& text,
                const int& portInUse);

    void ConvComCode(std::string_view script);
    void ProtocolCom();
    // Convenience: ConvComCode then ProtocolCom; true when ComErr is clear.
    bool Run(std::string_view script);

    // VaDat(1..100); outside raises failure 9.
    uint8_t& VaDat(int i);
    uint8_t VaDat(int i) const;

    // The last script failed (ComErr).
    bool ComErr() const { return comErr_; }
    // Echo mode: every byte sent comes back on the line before the reply (SingleWire). It
    // survives from one transfer to the next; only the "PROGRAM" handshake changes it.
    bool SingleWire() const { return singleWire_; }
    void setSingleWire(bool on);
    // The next VaDat position (VaPos).
    int VaPos() const { return vaPos_; }
    // Lets a caller that drives the reply analysis by hand say how much was captured.
    void setVaPos(int pos) { vaPos_ = pos; }
    CommLog log;

    TransferObserver* observer = nullptr;
    // Runs after every reply part whose bytes all matched; returning false fails the segment.
    std::function<bool()> replyAnalysis;

    // The bytes of the last segment sent, kept after the script has ended.
    const std::vector<uint8_t>& lastSent() const { return lastSent_; }

    // Inserts a line into the log (at LogNo, selected) and tells the observer.
    void logLine(const std::string& text);

  private:
    void RxComDat(int n);
    void ReadWriteFre(const std::string& name, unsigned a, unsigned b, unsigned c);
    const std::string& token(int pos) const;
    void failReceive(bool clearUnlessSelected);

    SerialPort& port_;
    Waiter& waiter_;
    ErrorLog& errors_;
    const FaceTextTable& text_;
    const int& portInUse_;

    std::array<std::string, kTokenCapacity> ComToken_;
    int TokenPos_ = 1;
    int vaPos_ = 1;
    bool comErr_ = false;
    bool singleWire_ = false;
    std::vector<uint8_t> txDat_;
    std::vector<uint8_t> lastSent_;
    std::vector<std::string> rxExpect_;
    std::array<uint8_t, kVaDatSize> vaDat_{};
};

}  // namespace tarvos::link

#pragma once
// What the programming link needs from the outside world: a serial port with the seven
// operations the protocol uses, addressed by port number 1..16, and a way to wait.
//
// The port is numbered because the whole link (the port search, the remembered "COM"
// setting, PortInUse) speaks in port numbers; an adapter maps them to devices.

#include <cstdint>
#include <string>

namespace tarvos::link {

// Line settings. They never change: 9600 baud, 8 data bits, no parity, 2 stop bits.
inline constexpr int kBaudCode9600 = 12;  // in the library's baud code scheme
inline constexpr int kMode8N2 = 7;        // data-bits code 3 | stop-bits code 4 | parity 0
inline constexpr int kFlushInput = 2;     // discard unread input (and pending output)
inline constexpr int kPortCount = 16;

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // 0 when the port is now open; anything else means it is unusable.
    virtual int open(int port) = 0;
    // Sets the line (always kBaudCode9600, kMode8N2).
    virtual void ioctl(int port, int baudCode, int mode) = 0;
    // The next read returns after at most totalMs milliseconds; 0 on success.
    virtual int setReadTimeouts(int port, int totalMs, int intervalMs) = 0;
    // Discards bytes received and not yet read (and pending output).
    virtual void flush(int port, int func) = 0;
    // Queues the bytes for sending; returns the count queued.
    virtual int write(int port, const uint8_t* data, int count) = 0;
    // Reads up to count bytes; returns how many arrived before the time-out.
    virtual int read(int port, uint8_t* data, int count) = 0;
    virtual void close(int port) = 0;
    // Why the last open of this port failed, in words a user can act on; empty when it
    // did not fail or the adapter cannot tell.
    virtual std::string openFailureReason(int /*port*/) const { return {}; }
};

// Waiting. DelayNms waits until the millisecond clock has moved on by at least ms + 2,
// letting the user interface handle its events meanwhile; sleep is a plain pause.
class Waiter {
  public:
    virtual ~Waiter() = default;
    virtual uint32_t nowMs() = 0;
    virtual void DelayNms(int ms) = 0;
    virtual void sleep(int ms) = 0;
};

// The command-line version: sleeps, with an optional hook run on every DelayNms (tarvos-cli
// uses it to turn Ctrl-C into a stop request).
class SleepWaiter : public Waiter {
  public:
    uint32_t nowMs() override;
    void DelayNms(int ms) override;
    void sleep(int ms) override;
    void (*onDelay)(void*) = nullptr;
    void* onDelayContext = nullptr;
};

}  // namespace tarvos::link

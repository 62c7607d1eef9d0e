#pragma once
// Why a USB serial adapter is absent or busy on Linux, in words a user can act on, from what
// the system shows about its devices (sysfs) and processes (/proc):
//
//   - a CH340/CH341 adapter (WCH, vendor 1a86) that is plugged in but has no serial port has
//     almost always been claimed by brltty, whose braille-display rules name the same USB IDs:
//     removing that package gives the adapter back;
//   - a USB port that is busy right after plugging in is often being probed by ModemManager;
//   - any other program found holding the device is named.
//
// The roots of both trees can be given, so the detection runs on a fake tree in tests. On
// other systems there is nothing to detect and every hint is empty.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvos::link {

struct SystemRoots {
    std::filesystem::path sys = "/sys";
    std::filesystem::path proc = "/proc";
};

struct UsbId {
    uint16_t vendor = 0;
    uint16_t product = 0;
    bool operator==(const UsbId&) const = default;
};

// A WCH CH34x serial converter (1a86:7523 CH340, 1a86:5523 CH341 and their kin).
bool IsCh34x(UsbId id);
// "1a86:7523".
std::string UsbIdText(UsbId id);

// The USB IDs of the adapter behind a serial device ("/dev/ttyUSB0", or a link to it such as
// /dev/serial/by-id/...); nullopt when it is not there or not on USB.
std::optional<UsbId> UsbIdOfDevice(const std::string& device, const SystemRoots& roots = {});

// CH34x converters that are plugged in but have no serial port below them.
std::vector<UsbId> PortlessCh34x(const SystemRoots& roots = {});

struct PortHolder {
    int pid;
    std::string name;  // the process's command name
};
// The processes seen holding the device open (only those whose descriptors may be read).
std::vector<PortHolder> ProcessesHolding(const std::string& device, const SystemRoots& roots = {});
// Whether a process of that command name runs.
bool ProcessRunning(const std::string& name, const SystemRoots& roots = {});

enum class PortTrouble { Absent, Busy, Permission };

// The likely cause of the trouble with device, as sentences to add to the reason; empty when
// nothing points to one. Language 1 Simplified Chinese, 2 Traditional Chinese, 3 English.
std::string PortHint(PortTrouble trouble, const std::string& device, int language,
                     const SystemRoots& roots = {});
// The brltty sentence when a CH34x converter is plugged in without a serial port; empty
// otherwise. The port dialog shows it even when no port number stands for the adapter.
std::string PortlessAdapterHint(int language, const SystemRoots& roots = {});
// A reason with a hint after it, punctuated for the language.
std::string WithHint(const std::string& reason, const std::string& hint, int language);

// Asks the driver to pass every received byte on at once (ASYNC_LOW_LATENCY): USB adapters
// otherwise hold replies back for up to 16 ms each. Returns whether the driver agreed; a
// refusal (a pseudo-terminal refuses) changes nothing.
bool RequestLowLatency(int fd);

}  // namespace tarvos::link

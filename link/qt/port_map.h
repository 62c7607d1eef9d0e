#pragma once
// Port numbers 1..16 to devices. On Windows COMn is "COMn". Elsewhere the numbers go to the
// system's serial devices in a stable order, USB adapters first; section "Ports" of the
// settings file may pin a number to a device ("COM3=/dev/ttyUSB0"), and pinned devices are
// not given a second number.

#include <future>
#include <map>
#include <string>
#include <vector>

#include "base/settings_file.h"

namespace tarvos::link {

struct SerialDevice {
    std::string path;  // "/dev/ttyUSB0"
    bool usb = false;  // a USB adapter (vendor id known, or ttyUSB / ttyACM / cu.usb...)
};

class PortMap {
  public:
    // Numbers the devices: pins first, then the rest in stable order into the free numbers.
    static PortMap Build(std::vector<SerialDevice> devices, const std::map<int, std::string>& pins);
    // The system's devices (QSerialPortInfo) and the pins of the settings file.
    static PortMap FromSystem(const SettingsFile* settings);
    // The same, with the pins read now and the devices enumerated on another thread.
    static std::future<PortMap> FromSystemAsync(const SettingsFile* settings);
    // The system's serial devices (none on Windows, where the numbers are the names).
    static std::vector<SerialDevice> SystemDevices();
    // Reads "COM1".."COM16" of section "Ports".
    static std::map<int, std::string> ReadPins(const SettingsFile& settings);

    void pin(int number, const std::string& device) { devices_[number] = device; }
    // The device of a number; "" when the number has none.
    std::string device(int number) const;
    // The number of a device; 0 when it has none.
    int numberOf(const std::string& device) const;
    const std::map<int, std::string>& entries() const { return devices_; }

  private:
    std::map<int, std::string> devices_;
};

// "COM3" -> 3; 0 when the text is not COMn with n in 1..16.
int ComNumber(const std::string& text);

}  // namespace tarvos::link

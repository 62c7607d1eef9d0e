#include "link/qt/port_map.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cctype>

#include "link/serial_port.h"

namespace tarvos::link {

namespace {
bool LooksUsb(const std::string& path) {
    for (const char* mark : {"ttyUSB", "ttyACM", "cu.usb", "tty.usb"})
        if (path.find(mark) != std::string::npos) return true;
    return false;
}

// "ttyS10" after "ttyS9": digits compare as numbers.
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            size_t i2 = i, j2 = j;
            while (i2 < a.size() && std::isdigit(static_cast<unsigned char>(a[i2]))) ++i2;
            while (j2 < b.size() && std::isdigit(static_cast<unsigned char>(b[j2]))) ++j2;
            unsigned long long x = std::stoull(a.substr(i, i2 - i));
            unsigned long long y = std::stoull(b.substr(j, j2 - j));
            if (x != y) return x < y;
            i = i2;
            j = j2;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}
}  // namespace

int ComNumber(const std::string& text) {
    if (text.size() < 4 || text.size() > 5) return 0;
    std::string head = text.substr(0, 3);
    std::transform(head.begin(), head.end(), head.begin(), ::toupper);
    if (head != "COM") return 0;
    int n = 0;
    for (size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
        n = n * 10 + (text[i] - '0');
    }
    return (n >= 1 && n <= kPortCount) ? n : 0;
}

PortMap PortMap::Build(std::vector<SerialDevice> devices, const std::map<int, std::string>& pins) {
    PortMap map;
    for (const auto& [n, path] : pins)
        if (n >= 1 && n <= kPortCount && !path.empty()) map.devices_[n] = path;
    std::stable_sort(devices.begin(), devices.end(),
                     [](const SerialDevice& a, const SerialDevice& b) {
                         if (a.usb != b.usb) return a.usb;
                         return NaturalLess(a.path, b.path);
                     });
    int next = 1;
    for (const auto& d : devices) {
        if (map.numberOf(d.path) != 0) continue;  // pinned already
        while (next <= kPortCount && map.devices_.count(next)) ++next;
        if (next > kPortCount) break;
        map.devices_[next] = d.path;
    }
    return map;
}

std::map<int, std::string> PortMap::ReadPins(const SettingsFile& file) {
    const SettingsFile settings = file.snapshot();  // sixteen keys, one read of the file
    std::map<int, std::string> pins;
    for (int n = 1; n <= kPortCount; ++n) {
        std::string path = settings.read("Ports", "COM" + std::to_string(n), "", 260);
        if (!path.empty()) pins[n] = path;
    }
    return pins;
}

std::vector<SerialDevice> PortMap::SystemDevices() {
    std::vector<SerialDevice> devices;
#ifndef _WIN32
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        std::string path = info.systemLocation().toStdString();
        devices.push_back({path, info.hasVendorIdentifier() || LooksUsb(path)});
    }
#endif
    return devices;
}

namespace {
PortMap WithPins(std::vector<SerialDevice> devices, const std::map<int, std::string>& pins) {
#ifdef _WIN32
    (void)devices;
    PortMap map;
    for (int n = 1; n <= kPortCount; ++n) map.pin(n, "COM" + std::to_string(n));
    for (const auto& [n, path] : pins) map.pin(n, path);
    return map;
#else
    return PortMap::Build(std::move(devices), pins);
#endif
}
}  // namespace

PortMap PortMap::FromSystem(const SettingsFile* settings) {
    std::map<int, std::string> pins;
    if (settings) pins = ReadPins(*settings);
    return WithPins(SystemDevices(), pins);
}

std::future<PortMap> PortMap::FromSystemAsync(const SettingsFile* settings) {
    std::map<int, std::string> pins;
    if (settings) pins = ReadPins(*settings);
    return std::async(std::launch::async,
                      [pins = std::move(pins)] { return WithPins(SystemDevices(), pins); });
}

std::string PortMap::device(int number) const {
    auto it = devices_.find(number);
    return it == devices_.end() ? std::string() : it->second;
}

int PortMap::numberOf(const std::string& device) const {
    for (const auto& [n, path] : devices_)
        if (path == device) return n;
    return 0;
}

}  // namespace tarvos::link

#include "link/qt/port_hints.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace tarvos::link {

namespace fs = std::filesystem;

namespace {

int Column(int language) {
    return language >= 1 && language <= 3 ? language - 1 : 2;
}

#ifdef __linux__

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::optional<uint16_t> HexId(const fs::path& file) {
    const std::string text = FirstLine(file);
    if (text.empty() || text.size() > 4) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        const int d = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return static_cast<uint16_t>(value);
}

// The USB IDs of a USB device folder (one holding idVendor and idProduct).
std::optional<UsbId> IdsOf(const fs::path& dir) {
    const auto vendor = HexId(dir / "idVendor");
    const auto product = HexId(dir / "idProduct");
    if (!vendor || !product) return std::nullopt;
    return UsbId{*vendor, *product};
}

// Whether a serial port (a tty) hangs below a USB device folder: usb-serial drivers put
// ttyUSBn there, cdc-acm a tty/ttyACMn folder.
bool HasTtyBelow(const fs::path& dir) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it.depth() > 4) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string name = it->path().filename().string();
        if (name == "tty" || name.starts_with("ttyUSB") || name.starts_with("ttyACM")) return true;
    }
    return false;
}

// The kernel's name of a device path: "/dev/ttyUSB0" -> "ttyUSB0", following links such
// as /dev/serial/by-id/... when the device is there.
std::string KernelName(const std::string& device) {
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    return (ec ? fs::path(device) : real).filename().string();
}

bool SameDevice(const fs::path& target, const std::string& device) {
    if (target == fs::path(device)) return true;
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    return !ec && target == real;
}

template <class Each>
void ForEachProcess(const SystemRoots& roots, Each each) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(roots.proc, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || !std::all_of(name.begin(), name.end(),
                                         [](unsigned char ch) { return ch >= '0' && ch <= '9'; }))
            continue;
        if (each(std::stoi(name), entry.path())) return;
    }
}

#endif  // __linux__

// Simplified Chinese, Traditional Chinese, English.
const char* const kBrlttyText[3] = {
    "检测到 CH340/CH341 USB 转串口适配器（%s），但它没有串口：插上后通常会被盲文显示软件包 "
    "brltty 占用。请卸载它（sudo apt remove brltty），然后重新插上写频线",
    "偵測到 CH340/CH341 USB 轉串口轉換器（%s），但它沒有串列埠：插上後通常會被點字顯示軟體包 "
    "brltty 佔用。請移除它（sudo apt remove brltty），然後重新插上寫頻線",
    "A CH340/CH341 USB serial adapter (%s) is plugged in but has no serial port: the brltty "
    "package (braille display support) usually takes these adapters right after plugging in. "
    "Remove it (sudo apt remove brltty) and plug the cable in again",
};
const char* const kModemManagerText[3] = {
    "可能是 ModemManager 正在探测它（USB 串口插上后的几秒内常会如此）：请稍等几秒再试，"
    "或停止该服务（sudo systemctl stop ModemManager）",
    "可能是 ModemManager 正在探測它（USB 串口插上後的幾秒內常會如此）：請稍等幾秒再試，"
    "或停止該服務（sudo systemctl stop ModemManager）",
    "ModemManager may be probing it, as it does for a few seconds after a USB adapter is "
    "plugged in: wait a moment and try again, or stop it (sudo systemctl stop ModemManager)",
};
const char* const kHolderText[3] = {
    "占用它的是 %s（进程 %d）：请先关闭该程序",
    "佔用它的是 %s（程序 %d）：請先關閉該程式",
    "It is held by %s (process %d): close that program first",
};

std::string Format(const char* pattern, const std::string& text, int number = 0) {
    char buf[512];
    std::snprintf(buf, sizeof buf, pattern, text.c_str(), number);
    return buf;
}

}  // namespace

bool IsCh34x(UsbId id) {
    if (id.vendor != 0x1a86) return false;
    switch (id.product) {
        case 0x7522:  // CH340K
        case 0x7523:  // CH340
        case 0x5523:  // CH341 in serial mode
        case 0xe523:  // CH330
        case 0x55d2:  // CH342
        case 0x55d3:  // CH343
        case 0x55d4:  // CH9102
        case 0x55d5:  // CH9103
        case 0x55d8:  // CH9101
            return true;
    }
    return false;
}

std::string UsbIdText(UsbId id) {
    char s[16];
    std::snprintf(s, sizeof s, "%04x:%04x", id.vendor, id.product);
    return s;
}

std::optional<UsbId> UsbIdOfDevice(const std::string& device, const SystemRoots& roots) {
#ifdef __linux__
    std::error_code ec;
    fs::path dir = fs::canonical(roots.sys / "class" / "tty" / KernelName(device), ec);
    if (ec) return std::nullopt;
    const fs::path top = fs::canonical(roots.sys, ec);
    // Up from the tty to the USB device it belongs to.
    for (; !ec && dir != top && dir.has_relative_path(); dir = dir.parent_path())
        if (auto id = IdsOf(dir)) return id;
#else
    (void)device;
    (void)roots;
#endif
    return std::nullopt;
}

std::vector<UsbId> PortlessCh34x(const SystemRoots& roots) {
    std::vector<UsbId> found;
#ifdef __linux__
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(roots.sys / "bus" / "usb" / "devices", ec)) {
        std::error_code ignored;
        const fs::path dir = fs::canonical(entry.path(), ignored);
        if (ignored) continue;
        const auto id = IdsOf(dir);
        if (id && IsCh34x(*id) && !HasTtyBelow(dir)) found.push_back(*id);
    }
#else
    (void)roots;
#endif
    return found;
}

std::vector<PortHolder> ProcessesHolding(const std::string& device, const SystemRoots& roots) {
    std::vector<PortHolder> holders;
#ifdef __linux__
    ForEachProcess(roots, [&](int pid, const fs::path& dir) {
        std::error_code ec;
        for (const auto& fd : fs::directory_iterator(dir / "fd", ec)) {
            std::error_code bad;
            const fs::path target = fs::read_symlink(fd.path(), bad);
            if (bad || !SameDevice(target, device)) continue;
            holders.push_back({pid, FirstLine(dir / "comm")});
            break;
        }
        return false;
    });
#else
    (void)device;
    (void)roots;
#endif
    return holders;
}

bool ProcessRunning(const std::string& name, const SystemRoots& roots) {
    bool running = false;
#ifdef __linux__
    ForEachProcess(roots, [&](int, const fs::path& dir) {
        running = FirstLine(dir / "comm") == name;
        return running;
    });
#else
    (void)name;
    (void)roots;
#endif
    return running;
}

std::string PortlessAdapterHint(int language, const SystemRoots& roots) {
    const std::vector<UsbId> portless = PortlessCh34x(roots);
    if (portless.empty()) return {};
    return Format(kBrlttyText[Column(language)], UsbIdText(portless.front()));
}

std::string PortHint(PortTrouble trouble, const std::string& device, int language,
                     const SystemRoots& roots) {
    const int c = Column(language);
    switch (trouble) {
        case PortTrouble::Absent:
            return PortlessAdapterHint(language, roots);
        case PortTrouble::Busy: {
            const std::vector<PortHolder> holders = ProcessesHolding(device, roots);
            for (const PortHolder& h : holders)
                if (h.name == "ModemManager") return kModemManagerText[c];
            if (!holders.empty())
                return Format(kHolderText[c], holders.front().name, holders.front().pid);
            // Another user's descriptors cannot be read; ModemManager runs as root. When it
            // runs and the port is a USB adapter, it is the likely prober.
            if (UsbIdOfDevice(device, roots) && ProcessRunning("ModemManager", roots))
                return kModemManagerText[c];
            return {};
        }
        case PortTrouble::Permission:
            return {};  // the reason names the dialout group already
    }
    return {};
}

std::string WithHint(const std::string& reason, const std::string& hint, int language) {
    if (hint.empty()) return reason;
    if (reason.empty()) return hint;
    return reason + (Column(language) == 2 ? ". " : "。") + hint;
}

bool RequestLowLatency(int fd) {
#ifdef __linux__
    serial_struct serial{};
    if (fd < 0 || ::ioctl(fd, TIOCGSERIAL, &serial) != 0) return false;
    if (serial.flags & ASYNC_LOW_LATENCY) return true;
    serial.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
#else
    (void)fd;
    return false;
#endif
}

}  // namespace tarvos::link

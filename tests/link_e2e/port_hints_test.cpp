// The hints on Linux port troubles, on a fake sysfs and /proc: a CH34x adapter without a port
// (brltty), a busy USB port (ModemManager, or the program holding it), and the low-latency
// request a pseudo-terminal refuses.
#include "link/qt/port_hints.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <fstream>

#include "link/qt/qt_serial_port.h"
#include "sim/pty_radio.h"

namespace tarvos::link {
namespace {

#ifdef __linux__

namespace fs = std::filesystem;

// A system as sysfs and /proc show it, built under a temporary folder.
class FakeSystem {
  public:
    FakeSystem()
        : root_(fs::temp_directory_path() /
                ("tarvos-hints-" + std::to_string(::getpid()) + "-" + std::to_string(++count_))),
          roots{root_ / "sys", root_ / "proc"} {
        fs::remove_all(root_);
        fs::create_directories(roots.sys / "bus" / "usb" / "devices");
        fs::create_directories(roots.sys / "class" / "tty");
        fs::create_directories(roots.proc);
    }
    ~FakeSystem() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    // A USB device (bus id "1-2") with its IDs; tty "ttyUSB0" below its interface, or none.
    void usbDevice(const std::string& bus, const char* vendor, const char* product,
                   const std::string& tty = {}) {
        const fs::path dir = roots.sys / "devices" / "pci0000:00" / "usb1" / bus;
        fs::create_directories(dir / (bus + ":1.0"));
        write(dir / "idVendor", vendor);
        write(dir / "idProduct", product);
        fs::create_directory_symlink("../../../devices/pci0000:00/usb1/" + bus,
                                     roots.sys / "bus" / "usb" / "devices" / bus);
        if (!tty.empty()) {
            const fs::path port = dir / (bus + ":1.0") / tty / "tty" / tty;
            fs::create_directories(port);
            fs::create_directory_symlink(port, roots.sys / "class" / "tty" / tty);
        }
    }
    // A serial port that is not on USB.
    void platformTty(const std::string& tty) {
        const fs::path port = roots.sys / "devices" / "platform" / "serial8250" / "tty" / tty;
        fs::create_directories(port);
        fs::create_directory_symlink(port, roots.sys / "class" / "tty" / tty);
    }
    // A process; with a device, it holds that device open.
    void process(int pid, const std::string& name, const std::string& device = {}) {
        const fs::path dir = roots.proc / std::to_string(pid);
        fs::create_directories(dir / "fd");
        write(dir / "comm", name);
        fs::create_symlink("/dev/null", dir / "fd" / "0");
        if (!device.empty()) fs::create_symlink(device, dir / "fd" / "5");
    }

  private:
    static void write(const fs::path& file, const std::string& text) {
        std::ofstream(file) << text << "\n";
    }
    static inline int count_ = 0;
    fs::path root_;

  public:
    SystemRoots roots;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(PortHints, UsbIdsComeFromTheDeviceTheTtyHangsBelow) {
    FakeSystem sys;
    sys.usbDevice("1-3", "1a86", "7523", "ttyUSB0");
    sys.usbDevice("1-4", "0403", "6001", "ttyUSB1");
    sys.platformTty("ttyS0");
    EXPECT_EQ(UsbIdOfDevice("/dev/ttyUSB0", sys.roots), (UsbId{0x1a86, 0x7523}));
    EXPECT_EQ(UsbIdOfDevice("/dev/ttyUSB1", sys.roots), (UsbId{0x0403, 0x6001}));
    EXPECT_FALSE(UsbIdOfDevice("/dev/ttyS0", sys.roots));
    EXPECT_FALSE(UsbIdOfDevice("/dev/ttyUSB7", sys.roots));
    EXPECT_TRUE(IsCh34x({0x1a86, 0x5523}));
    EXPECT_FALSE(IsCh34x({0x1a86, 0x8091}));  // a WCH hub, no serial converter
}

TEST(PortHints, ACh34xWithoutAPortNamesBrltty) {
    FakeSystem sys;
    sys.usbDevice("1-3", "1a86", "7523", "ttyUSB0");  // has its port: no hint
    sys.usbDevice("1-5", "067b", "2303");             // another make without a port: no hint
    EXPECT_TRUE(PortlessCh34x(sys.roots).empty());
    EXPECT_EQ(PortHint(PortTrouble::Absent, "/dev/ttyUSB1", 3, sys.roots), "");

    sys.usbDevice("1-2", "1a86", "5523");  // claimed by brltty: no tty below it
    ASSERT_EQ(PortlessCh34x(sys.roots), (std::vector<UsbId>{{0x1a86, 0x5523}}));
    const std::string en = PortHint(PortTrouble::Absent, "/dev/ttyUSB1", 3, sys.roots);
    EXPECT_TRUE(Has(en, "1a86:5523")) << en;
    EXPECT_TRUE(Has(en, "sudo apt remove brltty")) << en;
    EXPECT_TRUE(Has(PortHint(PortTrouble::Absent, "/dev/ttyUSB1", 1, sys.roots), "请卸载它"));
    EXPECT_TRUE(Has(PortlessAdapterHint(2, sys.roots), "請移除它"));
}

TEST(PortHints, ABusyPortNamesModemManagerOrTheProgramHoldingIt) {
    struct Case {
        const char* name;
        std::function<void(FakeSystem&)> setUp;
        const char* device;
        const char* expected;  // a part of the hint; "" for no hint
    };
    const Case cases[] = {
        {"ModemManager seen holding it",
         [](FakeSystem& s) { s.process(812, "ModemManager", "/dev/ttyACM0"); }, "/dev/ttyACM0",
         "ModemManager may be probing it"},
        {"another program holding it",
         [](FakeSystem& s) {
             s.process(812, "ModemManager");
             s.process(4321, "minicom", "/dev/ttyUSB0");
         },
         "/dev/ttyUSB0", "held by minicom (process 4321)"},
        {"ModemManager runs, the holder is out of sight",
         [](FakeSystem& s) { s.process(812, "ModemManager"); }, "/dev/ttyUSB0",
         "ModemManager may be probing it"},
        {"ModemManager runs, but the port is not on USB",
         [](FakeSystem& s) { s.process(812, "ModemManager"); }, "/dev/ttyS0", ""},
        {"nothing to see", [](FakeSystem&) {}, "/dev/ttyUSB0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystem sys;
        sys.usbDevice("1-3", "1a86", "7523", "ttyUSB0");
        sys.usbDevice("1-6", "2e8a", "000a", "ttyACM0");
        sys.platformTty("ttyS0");
        sys.process(1, "systemd");
        c.setUp(sys);
        const std::string hint = PortHint(PortTrouble::Busy, c.device, 3, sys.roots);
        if (*c.expected)
            EXPECT_TRUE(Has(hint, c.expected)) << hint;
        else
            EXPECT_EQ(hint, "");
    }
    FakeSystem sys;
    sys.process(812, "ModemManager", "/dev/ttyACM0");
    EXPECT_TRUE(Has(PortHint(PortTrouble::Busy, "/dev/ttyACM0", 1, sys.roots), "ModemManager"));
    EXPECT_EQ(PortHint(PortTrouble::Permission, "/dev/ttyACM0", 3, sys.roots), "");
}

void EnsureApp() {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

TEST(PortHints, TheSerialPortsGiveTheHintWithTheReason) {
    EnsureApp();
    FakeSystem sys;
    sys.usbDevice("1-2", "1a86", "7523");
    PortMap map;
    map.pin(1, "/dev/tarvos-vanished-ttyUSB0");
    QtSerialPorts ports{map};
    ports.setSystemRoots(sys.roots);
    EXPECT_NE(ports.open(1), 0);
    const std::string absent = ports.openFailureReason(1);
    EXPECT_TRUE(Has(absent, "is absent")) << absent;
    EXPECT_TRUE(Has(absent, "absent: no such serial device (is the cable plugged in?). A CH340"))
        << absent;
    // A number without a device: the adapter that vanished is the likely reason too.
    EXPECT_NE(ports.open(2), 0);
    EXPECT_TRUE(Has(ports.openFailureReason(2), "COM2 has no serial device. A CH340"))
        << ports.openFailureReason(2);
    ports.setLanguage(1);
    EXPECT_NE(ports.open(2), 0);
    EXPECT_TRUE(Has(ports.openFailureReason(2), "没有对应的串口设备。检测到 CH340"))
        << ports.openFailureReason(2);
}

TEST(PortHints, APseudoTerminalRefusesLowLatencyAndStillServes) {
    EnsureApp();
    sim::PtyRadio radio;
    ASSERT_TRUE(radio.start());
    const int fd = ::open(radio.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(RequestLowLatency(fd));
    ::close(fd);
    EXPECT_FALSE(RequestLowLatency(-1));

    PortMap map;
    map.pin(1, radio.devicePath());
    QtSerialPorts ports{map};
    ASSERT_EQ(ports.open(1), 0);  // the refusal inside open is ignored
    ports.ioctl(1, kBaudCode9600, kMode8N2);
    ports.setReadTimeouts(1, 500, 0);
    const uint8_t program[] = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    ports.write(1, program, 7);
    uint8_t ack = 0;
    EXPECT_EQ(ports.read(1, &ack, 1), 1);
    EXPECT_EQ(ack, 0x06);
    ports.close(1);
}

#endif  // __linux__

}  // namespace
}  // namespace tarvos::link

// Port numbers to devices: USB adapters first, a stable natural order, pins from the
// settings file; and the words a user gets for a port that does not open.
#include "link/qt/port_map.h"

#include <gtest/gtest.h>

#include "link/qt/qt_serial_port.h"

namespace tarvos::link {
namespace {

TEST(PortMap, UsbFirstNaturalOrderAndPins) {
    std::vector<SerialDevice> devices{
        {"/dev/ttyS10", false}, {"/dev/ttyS2", false},  {"/dev/ttyUSB1", true},
        {"/dev/ttyS1", false},  {"/dev/ttyACM0", true}, {"/dev/ttyUSB0", true},
    };
    PortMap map = PortMap::Build(devices, {{2, "/dev/ttyS10"}, {16, "/dev/custom"}});
    EXPECT_EQ(map.device(1), "/dev/ttyACM0");
    EXPECT_EQ(map.device(2), "/dev/ttyS10");  // pinned, and not numbered a second time
    EXPECT_EQ(map.device(3), "/dev/ttyUSB0");
    EXPECT_EQ(map.device(4), "/dev/ttyUSB1");
    EXPECT_EQ(map.device(5), "/dev/ttyS1");
    EXPECT_EQ(map.device(6), "/dev/ttyS2");
    EXPECT_EQ(map.device(7), "");
    EXPECT_EQ(map.device(16), "/dev/custom");
    EXPECT_EQ(map.numberOf("/dev/ttyS10"), 2);
}

TEST(PortMap, ComNumbers) {
    EXPECT_EQ(ComNumber("COM3"), 3);
    EXPECT_EQ(ComNumber("com16"), 16);
    for (const char* bad : {"COM0", "COM17", "COM", "/dev/ttyS0", "COMx"})
        EXPECT_EQ(ComNumber(bad), 0) << bad;
}

TEST(PortMap, OpenFailuresInWordsAUserCanActOn) {
    EXPECT_NE(OpenFailureText("/dev/ttyUSB0", QSerialPort::DeviceNotFoundError).find("absent"),
              std::string::npos);
    EXPECT_NE(OpenFailureText("/dev/ttyUSB0", QSerialPort::OpenError).find("busy"),
              std::string::npos);
    // A device we may not open at all: the group that grants serial ports is named.
    EXPECT_NE(
        OpenFailureText("/dev/tarvos-no-access", QSerialPort::PermissionError).find("dialout"),
        std::string::npos);
    // In the interface language.
    EXPECT_EQ(OpenFailureText("/dev/ttyUSB0", QSerialPort::OpenError, 1),
              "/dev/ttyUSB0 正被其他程序占用");
    EXPECT_NE(OpenFailureText("/dev/tarvos-no-access", QSerialPort::PermissionError, 2)
                  .find("dialout 群組"),
              std::string::npos);
}

}  // namespace
}  // namespace tarvos::link

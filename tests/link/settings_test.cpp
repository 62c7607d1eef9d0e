// What the link keeps in the settings file: the port ("COM") and the transfer ranges.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "link/range_settings.h"
#include "link_fixture.h"
#include "memory/image_settings.h"

namespace tarvos::link {
namespace {

struct TempSettings {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("tarvos-link-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".def");
    SettingsFile file{path};
    ~TempSettings() { std::filesystem::remove(path); }
};

TEST(PortSettings, SearchWritesTheFoundPortOnly) {
    TempSettings s;
    testing::LinkBench b;
    Link l(b.ports, b.clock, b.errors, &s.file, b.image, b.host, b.text);
    PortLayer& ports = l.ports;
    ports.setPortState(1, link::PortStatus::Opened);
    ports.setComPort(1);
    ports.OpenCom(l.interp);
    EXPECT_EQ(ports.portFailed(), false);
    EXPECT_EQ(s.file.read("Setting", "COM", "none", 10), "none");  // remembered port answered

    sim::VirtualRadio other;
    sim::RadioLine line3(other);
    b.ports.attach(3, &line3);
    b.ports.attach(1, nullptr);
    ports.setPortState(3, link::PortStatus::Opened);
    ports.OpenCom(l.interp);
    EXPECT_EQ(ports.ComPort(), 3);
    EXPECT_EQ(s.file.read("Setting", "COM", "none", 10), "3");
}

TEST(PortSettings, AutoSetPortTakesTheLowestUsablePort) {
    TempSettings s;
    testing::LinkBench b;
    for (int p = 1; p <= 4; ++p) b.ports.setUnusable(p, "absent");
    PortLayer ports(b.ports, b.clock, b.errors, &s.file);
    ports.AutoSetPort();
    EXPECT_EQ(ports.ComPort(), 5);
    EXPECT_EQ(ports.PortState(4), link::PortStatus::Failed);
    EXPECT_EQ(s.file.read("Setting", "COM", "", 10), "5");
    s.file.write("Setting", "COM", "12");
    ports.loadComPort();
    EXPECT_EQ(ports.ComPort(), 12);
}

TEST(RangeSettings, ChangeStoresTheTextThenTakesItsValue) {
    TempSettings s;
    RecordingSink sink;
    ErrorLog log(&sink);
    RangeSettings r;
    r.load(s.file, log, 0xFFFF);
    EXPECT_EQ(r.ReadEndAddr, 0x1FFF);
    r.change(&s.file, log, "ReadStartAddr", "03f0");
    EXPECT_EQ(r.ReadStartAddr, 0x03F0);
    r.change(&s.file, log, "ReadStartAddr", "");
    EXPECT_EQ(s.file.read("Setting", "ReadStartAddr", "x", 15), "");
    EXPECT_EQ(r.ReadStartAddr, 0x03F0);
    r.change(&s.file, log, "WriteEndAddr", "12345");
    EXPECT_EQ(r.WriteEndAddr, 0x1FFF);
    EXPECT_EQ(sink.locations(), (std::vector<std::string>{"frmCommun->txtReadStartAddr_Change",
                                                          "frmCommun->txtWriteEndAddr_Change"}));
}

// Missing keys give 1FFF, beyond an image of 1040 bytes: the end addresses stop at its last
// index, the start addresses and the stored texts stay as they are.
TEST(RangeSettings, EndAddressesStopAtTheImagesEnd) {
    TempSettings s;
    RecordingSink sink;
    ErrorLog log(&sink);
    s.file.write("Setting", "WriteEndAddr", "037F");
    s.file.write("Setting", "ReadStartAddr", "0500");
    RangeSettings r;
    r.load(s.file, log, 1039);
    EXPECT_EQ(r.ReadEndAddr, 1039);
    EXPECT_EQ(r.TableMaxAddr, 1039);
    EXPECT_EQ(r.WriteEndAddr, 0x037F);
    EXPECT_EQ(r.ReadStartAddr, 0x0500);
    EXPECT_EQ(s.file.read("Setting", "ReadEndAddr", "none", 15), "none");
    EXPECT_TRUE(sink.locations().empty());
}

// An edited settings file: a value that is not hexadecimal keeps its default, and the end
// addresses stop at the image's last index.
TEST(RangeSettings, EndAddressesAreBroughtDownToDatNum) {
    TempSettings s;
    {
        std::ofstream(s.path, std::ios::binary)
            << "[Setting]\nDatNum=100\nTableMaxAddr=1FFF\nReadStartAddr=0010\n"
               "ReadEndAddr=zz\nWriteStartAddr=0100\nWriteEndAddr=0300\n";
    }
    RecordingSink sink;
    ErrorLog log(&sink);
    const int datNum = ReadDatNum(s.file);
    EXPECT_EQ(datNum, 1039);
    RangeSettings r;
    r.load(s.file, log, datNum);
    EXPECT_EQ(r.TableMaxAddr, 1039);
    EXPECT_EQ(r.ReadStartAddr, 0x10);
    EXPECT_EQ(r.ReadEndAddr, 1039);  // not hexadecimal: the default 1FFF, then DatNum
    EXPECT_EQ(r.WriteStartAddr, 0x100);
    EXPECT_EQ(r.WriteEndAddr, 0x300);
}

// The shipped settings agree with each other: the image holds the radio's memory and the
// spill space, reads and the memory view cover 0000-03FF, and a write never sends the
// command letters (0388-038A) nor the model and parameter blocks (03D0-03FF).
TEST(ShippedSettings, RangesAgree) {
    SettingsFile settings(std::filesystem::path(TARVOS_BINARY_DIR) / "data" / "tarvosk.def");
    RecordingSink sink;
    ErrorLog log(&sink);
    const int datNum = ReadDatNum(settings);
    EXPECT_EQ(datNum, 1039);
    RangeSettings r;
    r.load(settings, log, datNum);
    EXPECT_EQ(r.TableMaxAddr, 0x03FF);
    EXPECT_EQ(r.ReadStartAddr, 0x0000);
    EXPECT_EQ(r.ReadEndAddr, 0x03FF);
    EXPECT_LE(r.WriteEndAddr, datNum);
    for (int a : {0x0388, 0x0389, 0x038A, 0x03D0, 0x03FF, 0x0000, 0x0005})
        EXPECT_FALSE(a >= r.WriteStartAddr && a <= r.WriteEndAddr) << a;
    for (int a : {0x0010, 0x010F, 0x0194, 0x0300, 0x0360, 0x036F, 0x0379, 0x037D})
        EXPECT_TRUE(a >= r.WriteStartAddr && a <= r.WriteEndAddr) << a;
    EXPECT_EQ(r.WriteStartAddr % 16, 0);
    EXPECT_EQ((r.WriteEndAddr + 1) % 16, 0);
}

}  // namespace
}  // namespace tarvos::link

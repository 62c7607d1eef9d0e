// The port dialog says why the ports that stand for a device would not open, and names
// brltty when a CH34x adapter is plugged in without a port (on a fake sysfs).

#include <QLabel>
#include <QRadioButton>
#include <filesystem>
#include <fstream>

#include "link/port_layer.h"
#include "link/qt/port_map.h"
#include "link/ui/port_dialog.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

namespace fs = std::filesystem;

class PortHintDialogTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        start();
        roots = {path("sys").toStdString(), path("proc").toStdString()};
        fs::create_directories(roots.sys / "bus" / "usb" / "devices");
        fs::create_directories(roots.proc);
        map.pin(1, "/dev/ttyUSB0");
        map.pin(2, "/dev/ttyUSB1");
    }

    // A CH340 with no port below it, as brltty leaves one.
    void portlessCh340() {
        const fs::path dir = roots.sys / "devices" / "usb1" / "1-2";
        fs::create_directories(dir / "1-2:1.0");
        std::ofstream(dir / "idVendor") << "1a86\n";
        std::ofstream(dir / "idProduct") << "7523\n";
        fs::create_directory_symlink(dir, roots.sys / "bus" / "usb" / "devices" / "1-2");
    }

    QString hintShown() {
        link::PortLayer layer(ports, clock, app->log, nullptr);
        PortDialog dialog(*app, layer, &map, window.get(), roots);
        auto* label = dialog.findChild<QLabel*>("lblPortHint");
        EXPECT_NE(label, nullptr);
        return label && label->isVisibleTo(&dialog) ? label->text() : QString();
    }

    link::SystemRoots roots;
    link::PortMap map;
};

TEST_F(PortHintDialogTest, NamesTheTroubleOfDevicesAndTheAdapterBrlttyTook) {
    EXPECT_EQ(hintShown(), "");  // every port opens: nothing to say

    ports.setUnusable(2, "/dev/ttyUSB1 is busy: another program holds it");
    ports.setUnusable(7, "COM7 has no serial device");  // a number without a device: no news
    EXPECT_EQ(hintShown(), "/dev/ttyUSB1 is busy: another program holds it");

    portlessCh340();
    const QString shown = hintShown();
    EXPECT_TRUE(shown.startsWith("/dev/ttyUSB1 is busy: another program holds it\nA CH340/CH341"))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains("(1a86:7523)"));
    EXPECT_TRUE(shown.contains("sudo apt remove brltty"));
}

}  // namespace
}  // namespace tarvos::ui::test

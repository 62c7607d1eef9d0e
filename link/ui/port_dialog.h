#pragma once
// The port dialog frmToolCom: sixteen option buttons COM1..COM16, each showing the device
// its number maps to and enabled only when that port opens; OK takes the selected port and
// stores it, Cancel keeps the port chosen before. Below the buttons it says why the ports
// that stand for a device would not open, and names brltty when a CH34x adapter is plugged in
// without a port.

#include <QDialog>
#include <array>

#include "link/qt/port_hints.h"

class QRadioButton;
class QLabel;

namespace tarvos::link {
class PortLayer;
class PortMap;
}  // namespace tarvos::link

namespace tarvos::ui {

struct WindowContext;

class PortDialog : public QDialog {
    Q_OBJECT
  public:
    // roots: where the hints look at the system (tests give a fake tree).
    PortDialog(WindowContext& ctx, link::PortLayer& ports, const link::PortMap* map,
               QWidget* parent = nullptr, link::SystemRoots roots = {});

    QRadioButton* button(int port) const { return COM1_[static_cast<size_t>(port - 1)]; }
    void cmdOK_Click();
    void cmdCancel_Click();

  private:
    void InitFace();
    void EnableCOM();
    void VerdictCom(int port);
    void ShowPortHints();

    WindowContext& ctx_;
    link::PortLayer& ports_;
    const link::PortMap* map_;
    std::array<QRadioButton*, 16> COM1_{};
    link::SystemRoots roots_;
    QLabel* lblToolCom_;
    QLabel* lblPortHint_;
    int rememberedPort_ = 1;
};

}  // namespace tarvos::ui

#pragma once
// The port dialog frmToolCom: sixteen option buttons COM1..COM16, each showing the device
// its number maps to and enabled only when that port opens; OK takes the selected port and
// stores it, Cancel keeps the port chosen before.

#include <QDialog>
#include <array>

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
    PortDialog(WindowContext& ctx, link::PortLayer& ports, const link::PortMap* map,
               QWidget* parent = nullptr);

    QRadioButton* button(int port) const { return COM1_[static_cast<size_t>(port - 1)]; }
    void cmdOK_Click();
    void cmdCancel_Click();

  private:
    void InitFace();
    void EnableCOM();
    void VerdictCom(int port);

    WindowContext& ctx_;
    link::PortLayer& ports_;
    const link::PortMap* map_;
    std::array<QRadioButton*, 16> COM1_{};
    QLabel* lblToolCom_;
    int rememberedPort_ = 1;
};

}  // namespace tarvos::ui

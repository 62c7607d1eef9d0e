#pragma once
// frmSetVolume: the ten speaker volume levels behind the ">>" button beside the two-way
// volume list. Each list shows a level's code (direct mode) or its loudness step (sequence
// mode); every pick, the "Use This Set" box and the Default button write into the image at
// once, and OK only closes. The mode box switches the mode for the next pick and stores it
// in the settings file; the lists are not re-read when it changes.

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;

namespace tarvos {
class RadioDocument;
}

namespace tarvos::ui {

struct WindowContext;

class VolumeDialog : public QDialog {
    Q_OBJECT
  public:
    VolumeDialog(WindowContext& ctx, RadioDocument& document, QWidget* parent = nullptr);

  private:
    void InitFace();
    // SeqVolumeDatToSeq: the lists from the image by the mode in force.
    void showLevels();
    void cboVolumeDat_Click(int level, int p);
    void chkVolMode_Click(bool checked);
    void chkVolumeIic_Click(bool checked);
    void cmdDefault_Click();

    WindowContext& ctx_;
    RadioDocument& doc_;
    std::array<QComboBox*, 10> cboVolumeDat_{};
    QCheckBox* chkVolMode_ = nullptr;
    QCheckBox* chkVolumeIic_ = nullptr;
};

}  // namespace tarvos::ui

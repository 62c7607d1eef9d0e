#pragma once
// frmPttIdPauseChSet: on which of the sixteen channels PTT ID pauses. A box per channel,
// and "All" / "None" to set or clear them together. Every click writes all sixteen flags
// into the channel records at once; OK only closes.

#include <QDialog>
#include <array>

class QCheckBox;
class QRadioButton;

namespace tarvos {
class RadioDocument;
}

namespace tarvos::ui {

struct WindowContext;

class PttIdPauseDialog : public QDialog {
    Q_OBJECT
  public:
    PttIdPauseDialog(WindowContext& ctx, RadioDocument& document, QWidget* parent = nullptr);

  private:
    void chkPttIdPauseChSet_Click();
    void selectAll(bool pause);
    void writeFlags();

    WindowContext& ctx_;
    RadioDocument& doc_;
    std::array<QCheckBox*, 16> chkPttIdPauseChSet_{};
    QRadioButton* chkSelectAll_ = nullptr;
    QRadioButton* chkSelectNone_ = nullptr;
    // PauseSetBusy: the boxes are being set by the dialog itself.
    bool pauseSetBusy_ = false;
};

}  // namespace tarvos::ui

#pragma once
// The Auto Input window frmAutoInput: fills a range of channels in one go. Modeless; closing
// it hides it (its entries stay for the next opening) until the user has confirmed leaving
// the application, and while it shows the main window does not close (MainCloseBlocked).
// The controls show the document layer's AutoInput; its fills do the work.

#include <QWidget>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvos {
class AutoInput;
class RadioDocument;
}  // namespace tarvos

namespace tarvos::ui {

struct WindowContext;

class AutoInputWindow : public QWidget {
    Q_OBJECT
  public:
    AutoInputWindow(WindowContext& ctx, RadioDocument& document, QWidget* parent = nullptr);
    ~AutoInputWindow() override;

    AutoInput& model() { return *model_; }
    // Set All waits 200 ms with the interface alive before it fills; tests give their own.
    void setDelay(std::function<void(int ms)> delay) { delay_ = std::move(delay); }

    void Form_Load();
    void cmdAutoInput_Click(int index);
    void chkAutoInput_Click(int index);
    void txtAutoInput_LostFocus(int index);

    // The busy note lblAutoInput(13).
    QLabel* busyNote() const { return lblBusy_; }

  protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void Build();
    // The model's state into the controls.
    void showControls();

    WindowContext& ctx_;
    RadioDocument& doc_;
    std::unique_ptr<AutoInput> model_;
    std::function<void(int)> delay_;
    bool showing_ = false;
    bool busy_ = false;

    QComboBox* cboStart_ = nullptr;
    QComboBox* cboEnd_ = nullptr;
    QComboBox* cboToneFirst_ = nullptr;
    QComboBox* cboToneStep_ = nullptr;
    QLineEdit* txt_[4] = {};
    QCheckBox* chkTxEqRx_ = nullptr;
    QCheckBox* chkRandom_ = nullptr;
    QGroupBox* fraTransmit_ = nullptr;
    QButtonGroup* target_ = nullptr;
    QButtonGroup* power_ = nullptr;
    QButtonGroup* bandwidth_ = nullptr;
    QButtonGroup* scan_ = nullptr;
    QButtonGroup* busyLock_ = nullptr;
    QButtonGroup* vox_ = nullptr;
    QButtonGroup* pttId_ = nullptr;
    QLabel* lblBusy_ = nullptr;
};

}  // namespace tarvos::ui

#pragma once
// The custom band dialog frmCustomFre: two limits in MHz. The texts last accepted are kept
// for as long as the application runs.

#include <QDialog>
#include <functional>

class QLineEdit;

namespace tarvos::ui {

struct AppContext;

class CustomBandDialog : public QDialog {
    Q_OBJECT
  public:
    CustomBandDialog(AppContext& app, QWidget* parent);

    QLineEdit* minBox() const { return txtFreMin_; }
    QLineEdit* maxBox() const { return txtFreMax_; }
    // Runs when OK is pressed, before the limits are checked (starts a new file).
    std::function<void()> onAccept;

    static QString mstrFreMin;
    static QString mstrFreMax;

  private:
    void InitFace();
    void cmdOk_Click();

    AppContext& app_;
    QLineEdit* txtFreMin_;
    QLineEdit* txtFreMax_;
};

}  // namespace tarvos::ui

#pragma once
// The custom band dialog frmCustomFre: two limits in MHz. It opens with the texts last
// accepted (the document keeps them for the run); OK checks them, and the result is the band
// the channel window hands to the document.

#include <QDialog>

#include "memory/band.h"

class QLineEdit;

namespace tarvos::ui {

struct WindowContext;

class CustomBandDialog : public QDialog {
    Q_OBJECT
  public:
    CustomBandDialog(WindowContext& ctx, const QString& minText, const QString& maxText,
                     QWidget* parent);

    QLineEdit* minBox() const { return txtFreMin_; }
    QLineEdit* maxBox() const { return txtFreMax_; }
    // The checked band after OK.
    const CustomBand& result() const { return result_; }

  private:
    void InitFace(const QString& minText, const QString& maxText);
    void cmdOk_Click();

    WindowContext& ctx_;
    QLineEdit* txtFreMin_;
    QLineEdit* txtFreMax_;
    CustomBand result_;
};

}  // namespace tarvos::ui

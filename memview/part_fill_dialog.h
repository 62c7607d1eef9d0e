#pragma once
// The partial-fill dialog frmPartFill: one value, in base H, D or B, written into a range of
// the image. It is loaded the first time "Part Fill" is pressed and opens modally over the
// memory window; closing it hides it, so its boxes keep the user's last input. The boxes are
// read only when "Fill" is pressed.

#include <QDialog>
#include <optional>

#include "document/memory_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvos {
class MemoryEditor;
}

namespace tarvos::ui {

struct WindowContext;

class PartFillDialog : public QDialog {
    Q_OBJECT
  public:
    // The boxes start as base H, "FF", "0000" and startTableMaxAddr (the view's last address
    // at start-up).
    PartFillDialog(WindowContext& ctx, MemoryEditor& editor, int startTableMaxAddr,
                   QWidget* parent = nullptr);

    // "Fill": the request the boxes make, carried out.
    void cmdFillData_Click();
    // The boxes as a request; nothing selected in the base list gives no request.
    std::optional<FillRequest> request() const;

  signals:
    // A fill ran: the memory window redraws its cells.
    void filled();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    WindowContext& ctx_;
    MemoryEditor& editor_;
    QLabel* lblFillData_;
    QLineEdit* txtFillData_;
    QComboBox* cboFillData_;
    QLabel* lblStartAddr_;
    QLineEdit* txtStartAddr_;
    QLabel* lblSaH_;
    QLabel* lblEndAddr_;
    QLineEdit* txtEndAddr_;
    QLabel* lblEaH_;
    QPushButton* cmdFillData_;
};

}  // namespace tarvos::ui

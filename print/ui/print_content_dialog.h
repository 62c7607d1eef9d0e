#pragma once
// frmPrint, "Select Print Content": the items Cover, Radio Settings and Channel Information
// with tick boxes, and the buttons Print, Preview, Export PDF… and Cancel. The ticked items
// are remembered in the settings file (key "PrintContent" of section "Setting", in the form
// tarvos-cli's --content takes), written whenever a box is ticked or unticked; all three are
// ticked the first time. With nothing ticked there is nothing to print: the three output
// buttons wait for a tick.

#include <QDialog>
#include <array>

#include "document/print_sheet.h"

class QCheckBox;
class QPushButton;

namespace tarvos::ui {

struct WindowContext;

class PrintContentDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Choice { Cancel, Print, Preview, ExportPdf };

    explicit PrintContentDialog(WindowContext& ctx, QWidget* parent = nullptr);

    PrintContent content() const;
    // The button that closed the dialog.
    Choice choice() const { return choice_; }

    QCheckBox* item(int k) const { return items_[static_cast<size_t>(k)]; }  // 0..2
    QPushButton* button(Choice c) const;

  private:
    void choose(Choice c);
    void ticked();

    WindowContext& ctx_;
    Choice choice_ = Choice::Cancel;
    std::array<QCheckBox*, 3> items_{};  // cover, radio settings, channel information
    std::array<QPushButton*, 4> buttons_{};
};

}  // namespace tarvos::ui

#pragma once
// The read/write code controls in the model frame: txtRdWrCode with its label and hint, and
// below it chkNewRdWrCode, which shows the box of the new code a write gives the radio.
//
// The code box shows what was typed into it, never the stored code; its colour says whether
// the image holds one. Typing a code stores it in the image at once, as one document edit.
// The new code lives outside the image, in the function model: typing it changes nothing to
// save, and hiding its box keeps it.

#include <QObject>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

namespace tarvos {
class FunctionModel;
class RadioDocument;
}  // namespace tarvos

namespace tarvos::ui {

struct WindowContext;

class CodeArea : public QObject {
  public:
    // Builds the controls into area, which holds nothing else.
    CodeArea(WindowContext& ctx, RadioDocument& document, QWidget* area);

    // The captions in the language in force.
    void InitFace();
    // Every control shown again from the function model.
    void Show();

  private:
    FunctionModel& model() const;
    void txtRdWrCode_Change(const QString& text);
    void txtNewRdWrCode_Change(const QString& text);
    void chkNewRdWrCode_Click(bool checked);

    WindowContext& ctx_;
    RadioDocument& doc_;
    // The new code's change is being handled: the blanks typed at its end stay shown.
    bool typingNewCode_ = false;

    QLabel* lblRdWrCode_ = nullptr;
    QLineEdit* txtRdWrCode_ = nullptr;
    std::array<QLabel*, 2> lblRdWrCodeHint_{};
    QCheckBox* chkNewRdWrCode_ = nullptr;
    QLabel* lblNewRdWrCode_ = nullptr;
    QLineEdit* txtNewRdWrCode_ = nullptr;
};

}  // namespace tarvos::ui

#pragma once
// frmInputCode: asks for the access code of the hidden function page. It closes by its OK
// button, by its close box, or by itself: 4.5 s after opening when nothing is typed, 2 s
// after the last keystroke. Whatever way it closes, enteredCode() holds the last text typed,
// in upper case.

#include <QDialog>
#include <memory>

#include "functions/ui/dialog_timer.h"

class QLineEdit;

namespace tarvos::ui {

class InputCodeDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kOpenIntervalMs = 4500;
    static constexpr int kTypingIntervalMs = 2000;

    InputCodeDialog(int language, std::unique_ptr<DialogTimer> tmrAutoExit,
                    QWidget* parent = nullptr);
    ~InputCodeDialog() override;

    // EnteredCode.
    const QString& enteredCode() const { return enteredCode_; }
    DialogTimer& autoExitTimer() { return *tmrAutoExit_; }

  private:
    void txtInputCode_Change(const QString& text);
    void tmrAutoExit_Timer();

    std::unique_ptr<DialogTimer> tmrAutoExit_;
    QLineEdit* txtInputCode_ = nullptr;
    QString enteredCode_;
};

}  // namespace tarvos::ui

#pragma once
// A one-shot timer a dialog closes itself by. The application uses a QTimer; tests give one
// they fire by hand, so a dialog that closes after seconds is checked without waiting.

#include <functional>
#include <memory>

class QTimer;

namespace tarvos::ui {

class DialogTimer {
  public:
    virtual ~DialogTimer() = default;
    // (Re)starts the timer: it fires once, interval ms from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
    virtual int interval() const = 0;
    // What firing runs.
    void setOnTimeout(std::function<void()> onTimeout) { onTimeout_ = std::move(onTimeout); }

  protected:
    void fire() {
        if (onTimeout_) onTimeout_();
    }

  private:
    std::function<void()> onTimeout_;
};

using DialogTimerFactory = std::function<std::unique_ptr<DialogTimer>()>;

// The real one, on a QTimer.
std::unique_ptr<DialogTimer> MakeQtDialogTimer();

}  // namespace tarvos::ui

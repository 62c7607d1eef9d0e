#include "functions/ui/dialog_timer.h"

#include <QTimer>

namespace tarvos::ui {

namespace {
class QtDialogTimer : public DialogTimer {
  public:
    QtDialogTimer() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool active() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

  private:
    QTimer timer_;
};
}  // namespace

std::unique_ptr<DialogTimer> MakeQtDialogTimer() {
    return std::make_unique<QtDialogTimer>();
}

}  // namespace tarvos::ui

#pragma once
// The application's waiter: DelayNms keeps the user interface alive by processing pending
// events on every pass while it waits.

#include <QElapsedTimer>

#include "link/serial_port.h"

namespace tarvos::link {

class EventWaiter : public Waiter {
  public:
    EventWaiter() { timer_.start(); }
    uint32_t nowMs() override;
    void DelayNms(int ms) override;
    void sleep(int ms) override;

  private:
    QElapsedTimer timer_;
};

}  // namespace tarvos::link

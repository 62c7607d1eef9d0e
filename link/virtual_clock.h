#pragma once
// A clock that only moves when someone waits on it. The in-process virtual radio reads it to
// know when its bytes arrive, so a transfer that fails twenty times runs in microseconds.

#include <cstdint>
#include <functional>

#include "link/serial_port.h"

namespace tarvos::link {

class VirtualClock : public Waiter {
  public:
    // Time in microseconds since the clock was made.
    int64_t nowUs() const { return us_; }
    void advanceUs(int64_t us) { us_ += us; }
    void advanceToUs(int64_t t) {
        if (t > us_) us_ = t;
    }

    uint32_t nowMs() override { return static_cast<uint32_t>(us_ / 1000); }
    void DelayNms(int ms) override {
        us_ += static_cast<int64_t>(ms + 2) * 1000;
        if (onDelay) onDelay();
    }
    void sleep(int ms) override { us_ += static_cast<int64_t>(ms) * 1000; }

    // Runs on every DelayNms, where the application would handle user-interface events.
    std::function<void()> onDelay;

  private:
    int64_t us_ = 0;
};

}  // namespace tarvos::link

#include <chrono>
#include <thread>

#include "link/serial_port.h"

namespace tarvos::link {

uint32_t SleepWaiter::nowMs() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepWaiter::DelayNms(int ms) {
    // The clock must move on by ms + 2; a steady clock with sub-millisecond sleeps keeps the
    // pause close to that without spinning.
    using namespace std::chrono;
    auto until = steady_clock::now() + milliseconds(ms + 2);
    if (onDelay) onDelay(onDelayContext);
    std::this_thread::sleep_until(until);
}

void SleepWaiter::sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace tarvos::link

#include "link/qt/event_waiter.h"

#include <QCoreApplication>
#include <chrono>
#include <thread>

namespace tarvos::link {

uint32_t EventWaiter::nowMs() {
    return static_cast<uint32_t>(timer_.elapsed());
}

void EventWaiter::DelayNms(int ms) {
    const qint64 until = timer_.elapsed() + ms + 2;
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (timer_.elapsed() >= until) break;
        // A short nap between passes keeps the wait close to its length without burning a core.
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

void EventWaiter::sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace tarvos::link

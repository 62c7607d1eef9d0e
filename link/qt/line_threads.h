#pragma once
// Threads for fleet lines that talk through QtSerialPort. A serial port's notifiers need a
// thread Qt knows, with an event dispatcher; a plain std::thread gets neither.

#include "link/fleet.h"

namespace tarvos::link {

ThreadStarter QtThreads();

}  // namespace tarvos::link

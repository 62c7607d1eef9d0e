#pragma once
// One programming link: the port layer, the interpreter, the step lists, the range settings
// and the transfers, wired together over one serial port and one waiter. The application
// owns one; each test builds its own.

#include "link/interpreter.h"
#include "link/observer.h"
#include "link/port_layer.h"
#include "link/range_settings.h"
#include "link/step_lists.h"
#include "link/transfer.h"

namespace tarvos::link {

class Link {
  public:
    Link(SerialPort& port, Waiter& waiter, ErrorLog& errors, SettingsFile* settings,
         ByteImage& image, TransferHost& host, const FaceTextTable& text);

    // Routes every report of the link to one observer (nullptr: none).
    void setObserver(TransferObserver* observer);

    RangeSettings ranges;
    PortLayer ports;
    Interpreter interp;
    StepLists lists;
    Transfer transfer;
};

}  // namespace tarvos::link

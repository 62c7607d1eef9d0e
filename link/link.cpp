#include "link/link.h"

namespace tarvos::link {

Link::Link(SerialPort& port, Waiter& waiter, ErrorLog& errors, SettingsFile* settings,
           ByteImage& image, TransferHost& host, const FaceTextTable& text)
    : ports(port, waiter, errors, settings),
      interp(port, waiter, errors, text, ports.portInUseRef()),
      lists(image, host, ranges, errors),
      transfer(ports, interp, lists, port, waiter, errors, image, host, text) {
    interp.replyAnalysis = [this] { return transfer.AnalyseReply(); };
}

void Link::setObserver(TransferObserver* observer) {
    ports.observer = observer;
    interp.observer = observer;
    transfer.setObserver(observer);
}

}  // namespace tarvos::link

#include "print/print_stamp.h"

#include <QByteArray>
#include <ctime>

namespace tarvos::print {

QString ProgramTitle() {
    return QStringLiteral("Tarvos " TARVOS_VERSION);
}

PrintStamp CurrentPrintStamp() {
    PrintStamp stamp;
    stamp.program = ProgramTitle().toStdString();
    bool ok = false;
    const qlonglong fixed = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    stamp.printedAt = ok && fixed >= 0 ? static_cast<std::time_t>(fixed) : std::time(nullptr);
    return stamp;
}

}  // namespace tarvos::print

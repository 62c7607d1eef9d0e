#pragma once
// Who prints and when: the program's name and version, and the time of printing. The time
// is SOURCE_DATE_EPOCH's when that is set (seconds since 1970, the variable reproducible
// builds use), so the same document gives the same pages; otherwise the clock's.

#include <QString>

#include "document/print_sheet.h"

namespace tarvos::print {

QString ProgramTitle();
PrintStamp CurrentPrintStamp();

}  // namespace tarvos::print

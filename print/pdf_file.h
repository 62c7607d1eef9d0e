#pragma once
// A printed sheet as a PDF file, saved as every file of the program is (base/safe_save.h): a
// failure never leaves half a PDF and an earlier file of that name stays as it was; a name
// that exists and is not a regular file (a folder, a device, a pipe) is refused and nothing
// is written.

#include <QPageSize>
#include <QString>

#include "print/sheet_painter.h"

namespace tarvos {
struct PrintSheet;
}

namespace tarvos::print {

struct PdfOutcome {
    int pages = 0;  // 0 when nothing was written
    QString error;  // why not, for the user and the log
    bool written() const { return pages > 0; }
};

PdfOutcome WritePdf(const PrintSheet& sheet, const QString& path,
                    const QPageSize& size = LocalePageSize());

}  // namespace tarvos::print

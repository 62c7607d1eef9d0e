#include "print/pdf_file.h"

#include <QBuffer>
#include <QPdfWriter>
#include <span>

#include "base/safe_save.h"
#include "document/print_sheet.h"
#include "print/print_stamp.h"
#include "print/to_unicode.h"

namespace tarvos::print {

PdfOutcome WritePdf(const PrintSheet& sheet, const QString& path, const QPageSize& size) {
    PdfOutcome outcome;
    // The pages are made in memory first: their text maps are mended before the file is
    // written (to_unicode.h), and a sheet that cannot be drawn touches no file.
    QByteArray pdf;
    int pages = 0;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(size);
        writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                              QPageLayout::Millimeter);
        writer.setTitle(QString::fromStdString(sheet.fileName));
        writer.setCreator(ProgramTitle());
        pages = PaintSheet(sheet, writer);
    }
    if (pages == 0) {
        outcome.error = path + ": the pages could not be drawn";
        return outcome;
    }
    RepairToUnicode(pdf, RadicalIdeographs(SheetFamilies(sheet.language)));

    const auto bytes = std::span(reinterpret_cast<const uint8_t*>(pdf.constData()),
                                 static_cast<size_t>(pdf.size()));
    if (const auto failed = SaveFileSafely(path.toStdString(), bytes)) {
        outcome.error = QString::fromStdString(failed->message);
        return outcome;
    }
    outcome.pages = pages;
    return outcome;
}

}  // namespace tarvos::print

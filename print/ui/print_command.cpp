#include "print/ui/print_command.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "base/failure.h"
#include "document/radio_document.h"
#include "print/pdf_file.h"
#include "print/print_stamp.h"
#include "print/sheet_painter.h"
#include "print/ui/print_content_dialog.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr const char* kPdfFilter = "PDF File(*.pdf)|*.pdf";

bool AskPlatformPrinter(QPrinter& printer, QWidget* owner) {
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}
}  // namespace

PrintCommand::PrintCommand(WindowContext& ctx, RadioDocument& document, QWidget* owner,
                           StatusPanel status)
    : QObject(owner),
      ctx_(ctx),
      doc_(document),
      owner_(owner),
      status_(std::move(status)),
      askPrinter_(AskPlatformPrinter) {}

void PrintCommand::open() {
    ctx_.guard("mdifrmMain->mnuPrintFile_Click", [&] {
        if (!dialog_) dialog_ = new PrintContentDialog(ctx_, owner_);
        if (dialog_->exec() != QDialog::Accepted) return;
        switch (dialog_->choice()) {
            case PrintContentDialog::Choice::Print:
                print();
                break;
            case PrintContentDialog::Choice::Preview:
                preview();
                break;
            case PrintContentDialog::Choice::ExportPdf:
                exportPdf();
                break;
            case PrintContentDialog::Choice::Cancel:
                break;
        }
    });
}

PrintSheet PrintCommand::sheet() const {
    const PrintContent content = dialog_ ? dialog_->content() : PrintContent{};
    return BuildPrintSheet(doc_, print::CurrentPrintStamp(), content);
}

// The printer's own paper when there is a printer; the locale's when there is none (the
// PDF printer of a system without printers).
void PrintCommand::preparePrinter(QPrinter& printer) const {
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        printer.setPageSize(print::LocalePageSize());
    const qreal m = print::kMarginMm;
    printer.setPageMargins(QMarginsF(m, m, m, m), QPageLayout::Millimeter);
    printer.setDocName(QString::fromStdString(doc_.currentFilePath().filename().string()));
    printer.setCreator(print::ProgramTitle());
}

template <class Body>
bool PrintCommand::printing(std::string_view location, Body&& body) {
    const QString before = status_.text ? status_.text() : QString();
    if (status_.show) status_.show(ctx_.ft(105));
    std::string why;
    const bool ok = ctx_.guard(location, [&] {
        try {
            body();
        } catch (const std::exception& e) {
            why = e.what();
            throw;
        }
    });
    // The log names the failure; the line after it says what went wrong.
    if (!ok && !why.empty())
        if (ErrorSink* sink = ctx_.log.sink()) sink->appendLine(why);
    if (status_.show) status_.show(ok ? before : ctx_.ft(106));
    return ok;
}

void PrintCommand::print() {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    if (!askPrinter_(printer, owner_)) return;
    const PrintSheet pages = sheet();
    printing("frmPrint->cmdPrint_Click", [&] {
        if (print::PaintSheet(pages, printer) == 0 || printer.printerState() == QPrinter::Error)
            Raise(err::DeviceIO, "the printer did not take the pages");
    });
}

void PrintCommand::preview() {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    const PrintSheet pages = sheet();
    QPrintPreviewDialog dialog(&printer, owner_);
    dialog.setObjectName("frmPrintPreview");
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        printing("frmPrint->PaintRequested", [&] {
            if (print::PaintSheet(pages, *target) == 0)
                Raise(err::DeviceIO, "the pages could not be drawn");
        });
    });
    dialog.exec();
}

void PrintCommand::exportPdf() {
    // The data file's name with .pdf, in its folder.
    const QFileInfo data(QString::fromStdString(doc_.currentFilePath().string()));
    const QString suggested = data.absolutePath() + "/" + data.completeBaseName() + ".pdf";
    const QString path = ctx_.host->saveFileName(owner_, suggested, kPdfFilter, "pdf");
    if (path.isEmpty()) return;
    const PrintSheet pages = sheet();
    printing("frmPrint->cmdExportPdf_Click", [&] {
        const print::PdfOutcome outcome = print::WritePdf(pages, path);
        if (!outcome.written()) Raise(err::PathFileAccess, outcome.error.toStdString());
    });
}

}  // namespace tarvos::ui

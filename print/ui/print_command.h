#pragma once
// File > Print and the toolbar's Print button: the print dialog "Select Print Content" (made
// the first time it is wanted, so it costs the start nothing), then what it chose: the
// platform's print dialog and the printer, a preview (QPrintPreviewDialog), or a PDF file
// chosen in a save dialog, written as tarvos-cli print writes it.
//
// While the pages are drawn, status panel 1 shows FaceText 105 ("Printing，Please wait...");
// afterwards it shows what it showed before, or FaceText 106 ("Print occur error!") when
// printing failed, which is also logged with the reason.

#include <QObject>
#include <QString>
#include <functional>
#include <string_view>

#include "document/print_sheet.h"

class QPrinter;
class QWidget;

namespace tarvos {
class RadioDocument;
}

namespace tarvos::ui {

struct WindowContext;
class PrintContentDialog;

class PrintCommand : public QObject {
    Q_OBJECT
  public:
    // Status panel 1 of the main window: what it shows, and showing a text (at once).
    struct StatusPanel {
        std::function<QString()> text;
        std::function<void(const QString&)> show;
    };

    PrintCommand(WindowContext& ctx, RadioDocument& document, QWidget* owner, StatusPanel status);

    // mnuPrintFile_Click: the dialog, then its choice.
    void open();
    // The dialog; nullptr until it was first opened.
    PrintContentDialog* dialog() const { return dialog_; }

    // The choices, with the dialog's ticked items.
    void print();
    void preview();
    void exportPdf();

    // The platform's print dialog; tests put in one that answers by itself. Returns whether
    // to print.
    void setPrintDialog(std::function<bool(QPrinter&, QWidget*)> ask) {
        askPrinter_ = std::move(ask);
    }

  private:
    PrintSheet sheet() const;
    void preparePrinter(QPrinter& printer) const;
    // Runs body with FaceText 105 in status panel 1; a failure is logged under location and
    // leaves FaceText 106 there.
    template <class Body>
    bool printing(std::string_view location, Body&& body);

    WindowContext& ctx_;
    RadioDocument& doc_;
    QWidget* owner_;
    StatusPanel status_;
    PrintContentDialog* dialog_ = nullptr;
    std::function<bool(QPrinter&, QWidget*)> askPrinter_;
};

}  // namespace tarvos::ui

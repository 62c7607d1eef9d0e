// The main window's transfer commands: Read, Write (with the check after it), and the port
// dialog; each hands the wire to the communication window and puts its outcome in the status bar.
#include <QLabel>

#include "channels/channel_window.h"
#include "shell/app_context.h"
#include "shell/app_services.h"
#include "shell/main_window.h"
#include "shell/unsaved_changes.h"

namespace tarvos::ui {

void MainWindow::StartRead() {
    RunTransfer(1);
}

void MainWindow::StartWrite() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    if (!ConfirmWriteChanges()) return;
    RunTransfer(2);
}

void MainWindow::RunTransfer(int mode) {
    // A read replaces the document.
    if (mode == 1 && !unsaved_->MayDiscard(this)) return;
    ShowStateNotice();
    const int outcome = services_.runCommWindow(this, mode);
    // The window closes itself when the transfer ends; the outcome stays in panel 1.
    if (outcome == AppServices::kNoTransfer) return;
    const bool write = (outcome & AppServices::kWriteFlag) != 0;
    const bool success = (outcome & AppServices::kSuccessFlag) != 0;
    QString text;
    if (!write)
        text = app_.ft(success ? 165 : 166);
    else
        text =
            app_.ft(4).remove('&') + (app_.language == 3 ? " " : "") + app_.ft(success ? 171 : 172);
    // After a verification the panel says its result (a verification only follows a write
    // that succeeded); the tip keeps the whole story.
    QString tip;
    if (write && success && action("mnuVerifyWrite")->isChecked()) {
        const QString verified = VerifyAfterWrite();
        tip = text + "\n" + verified;
        text = verified;
    }
    SetStatusNotice(text);
    statusNotice_->setToolTip(tip);
    ShowComPort();
    emit transferFinished(write, success);
}

QString MainWindow::VerifyAfterWrite() {
    std::string summary;
    std::vector<std::string> details;
    app_.guard("mdifrmMain->VerifyAfterWrite", [&] {
        const auto result = services_.verifyLastWrite(this);
        if (!result) {
            summary = link::VerifyReadFailedText(app_.language);
            return;
        }
        summary = link::VerifySummary(*result, app_.language);
        // The error window lists the first differences byte by byte.
        for (size_t i = 0; i < result->differences.size() && i < 16; ++i)
            details.push_back(link::DifferenceLine(result->differences[i]));
    });
    if (summary.empty()) summary = link::VerifyReadFailedText(app_.language);  // logged above
    if (ErrorSink* sink = app_.log.sink()) {
        sink->appendLine(summary);
        for (const std::string& line : details) sink->appendLine(line);
    }
    return QString::fromStdString(summary);
}

void MainWindow::ShowPortDialog() {
    app_.guard("mdifrmMain->tlbmdifrmMain_ButtonClick", [&] { services_.runPortDialog(this); });
    ShowComPort();
}

}  // namespace tarvos::ui

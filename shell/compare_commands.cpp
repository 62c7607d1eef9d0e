// The main window's comparison commands: File > "Compare with File…", Program > "Compare
// with Radio" and Settings > "Show changes before writing" (key ConfirmWrite), with the
// double-click of a comparison row that brings a channel cell or a function control into view.
#include <QFileInfo>
#include <QMenu>

#include "channels/channel_window.h"
#include "compare/compare_texts.h"
#include "compare/compare_window.h"
#include "compare/write_preview_dialog.h"
#include "document/write_preview.h"
#include "functions/ui/function_pages.h"
#include "shell/app_context.h"
#include "shell/app_services.h"
#include "shell/main_window.h"
#include "widgets/bring_into_view.h"
#include "widgets/grid_control.h"

namespace tarvos::ui {

namespace {
// Puts a after `after` in its menu.
void InsertAfter(QMenu* menu, QAction* after, QAction* a) {
    const QList<QAction*> list = menu->actions();
    const qsizetype i = list.indexOf(after);
    if (i >= 0 && i + 1 < list.size())
        menu->insertAction(list[i + 1], a);
    else
        menu->addAction(a);
}
}  // namespace

void MainWindow::AddCompareCommands() {
    const auto place = [this](const char* name, const char* menu, const char* after) {
        auto* a = new QAction(this);
        a->setObjectName(name);
        a->setData(-1);
        InsertAfter(findChild<QMenu*>(menu), action(after), a);
        actions_[name] = a;
        return a;
    };
    connect(place("mnuCompareFile", "mnuFile", "mnuFileSaveAs"), &QAction::triggered, this,
            [this] { CompareWithFile(); });
    connect(place("mnuCompareRadio", "mnuProgram", "mnuWriteFre"), &QAction::triggered, this,
            [this] { CompareWithRadio(); });
    QAction* confirm = place("mnuConfirmWrite", "mnuSet", "mnuVerifyWrite");
    confirm->setCheckable(true);
    confirm->setChecked(app_.setting("ConfirmWrite", "0", 3).toInt() != 0);
    connect(confirm, &QAction::triggered, this,
            [this](bool on) { app_.writeSetting("ConfirmWrite", on ? "1" : "0"); });
}

void MainWindow::ShowCompareCaptions() {
    using compare_text::Tr;
    action("mnuCompareFile")->setText(Tr(compare_text::kCompareWithFile, app_.language));
    action("mnuCompareRadio")->setText(Tr(compare_text::kCompareWithRadio, app_.language));
    action("mnuConfirmWrite")->setText(Tr(compare_text::kConfirmWrite, app_.language));
}

void MainWindow::CompareWithFile() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    app_.guard("mdifrmMain->CompareWithFile", [&] {
        const QString folder = QFileInfo(app_.currentFilePath()).absolutePath();
        ShowComparison(ui::CompareWithFile(app_, app_.document, folder, this));
    });
}

void MainWindow::CompareWithRadio() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    // The whole memory, into an image of its own; the document stays as it is.
    ShowStateNotice();
    const auto radio = services_.readRadio(this, app_.document.image(), 0, kRadioMemorySize - 1);
    if (!radio) {
        SetStatusNotice(app_.ft(166));
        return;
    }
    app_.guard("mdifrmMain->CompareWithRadio", [&] {
        const auto backup = app_.document.BackUpRead(*radio);
        auto* window = new CompareWindow(app_, app_.document, *radio, CompareWindow::Other::Radio,
                                         "COM" + QString::number(app_.comPort), this);
        window->setBackup(QString::fromStdString(backup.string()));
        window->show();
        ShowComparison(window);
    });
    ShowComPort();
}

bool MainWindow::ConfirmWriteChanges() {
    if (!action("mnuConfirmWrite")->isChecked()) return true;
    ByteImage written;
    if (!app_.guard("mdifrmMain->ConfirmWriteChanges",
                    [&] { written = ImageAsWritten(app_.document); }))
        return false;  // logged; nothing is written without the question
    // Only what the write will overwrite is read.
    const auto [first, last] = services_.writeRange();
    const auto radio = services_.readRadio(this, written, first, last);
    ShowComPort();
    if (!radio) {
        // A radio that cannot be read is not written either.
        SetStatusNotice(app_.ft(166));
        return false;
    }
    bool write = false;
    app_.guard("mdifrmMain->ConfirmWriteChanges", [&] {
        WritePreviewDialog dialog(app_, app_.document, *radio, written, first, last, this);
        write = dialog.exec() == QDialog::Accepted;
    });
    return write;
}

void MainWindow::ShowComparison(CompareWindow* window) {
    if (!window) return;
    // One comparison at a time: a new one replaces the window of the last.
    if (compareWindow_ && compareWindow_ != window) compareWindow_->close();
    compareWindow_ = window;
    connect(window, &CompareWindow::revealChannel, this,
            [this](int channel, int column) { RevealChannel(channel, column); });
    connect(window, &CompareWindow::revealSetting, this, [this](const QString& name) {
        BringIntoView(functionPages_->control(name.toStdString()));
    });
}

void MainWindow::RevealChannel(int channel, int column) {
    if (!channelWindow_) return;
    GridControl* grid = channelWindow_->grid();
    if (channel < 1 || channel >= grid->rows()) return;
    channelWindow_->setModeTabs()->setCurrentIndex(0);
    grid->select(channel, column >= 1 && column < grid->cols() ? column : 1);
    grid->showRow(channel);
    BringIntoView(grid);
}

}  // namespace tarvos::ui

// The main window's File and Edit commands: New, Open, Save, Save As, Restore Default
// Setting, the CSV channel lists, Print, and Undo and Redo.
#include <QFileInfo>
#include <QLabel>
#include <fstream>

#include "base/file_reading.h"
#include "base/safe_save.h"
#include "channels/channel_window.h"
#include "document/channel_editor.h"
#include "document/chirp_csv.h"
#include "print/ui/print_command.h"
#include "shell/app_context.h"
#include "shell/main_window.h"
#include "shell/unsaved_changes.h"

namespace tarvos::ui {

namespace {
constexpr const char* kFileFilter = "Data File(*.dat)|*.dat";

// The channel list commands' texts have no FaceText entries: Simplified, Traditional,
// English.
constexpr const char* kCsvFilter = "CSV File(*.csv)|*.csv";
const char* const kNotAChannelList[3] = {
    "不是信道列表：需要含 Location 和 Frequency 列的 CSV 文件。",
    "不是信道列表：需要含 Location 和 Frequency 欄的 CSV 檔案。",
    "Not a channel list: a CSV file with a Location and a Frequency column is needed."};
const char* const kRowsNotImported[3] = {"以下行未导入：", "以下行未匯入：",
                                         "These rows were not imported:"};
const char* const kImportWarnings[3] = {"已导入，但请检查：", "已匯入，但請檢查：",
                                        "Imported, but please check:"};
}  // namespace

// --- File commands ------------------------------------------------------------------------

void MainWindow::NewFile() {
    app_.guard("mdifrmMain->NewFile", [&] {
        if (!app_.host->askYesNo(this, app_.ft(70), app_.ft(72))) return;
        if (!unsaved_->MayDiscard(this)) return;
        app_.document.NewFile();
        ShowStateNotice();
    });
}

void MainWindow::OpenFile(const QString& givenPath) {
    app_.guard("mdifrmMain->OpenFile", [&] {
        if (!unsaved_->MayDiscard(this)) return;
        QString path = givenPath;
        if (path.isEmpty()) {
            path = app_.host->openFileName(this, QFileInfo(app_.currentFilePath()).absolutePath(),
                                           kFileFilter);
            if (path.isEmpty()) return;
        }
        if (!app_.document.OpenFile(path.toStdString()))
            app_.host->tell(this, app_.ft(70), app_.ft(83), DesktopHost::Icon::Critical);
        else
            ShowStateNotice();
    });
}

void MainWindow::RestoreDefaultSetting() {
    OpenFile(QString::fromStdString(app_.document.defaultsPath().string()));
}

void MainWindow::SaveFile() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    const bool ok = app_.guard("mdifrmMain->SaveFile", [&] {
        if (app_.host->askYesNo(this, app_.ft(70), app_.ft(82))) SaveAsFile();
    });
    if (!ok) app_.host->tell(this, app_.ft(70), app_.ft(86), DesktopHost::Icon::Critical);
}

bool MainWindow::SaveAsFile() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    bool failed = false, saved = false;
    const bool ok = app_.guard("mdifrmMain->SaveAsFile", [&] {
        const QString path = app_.host->saveFileName(
            this, QFileInfo(app_.currentFilePath()).absolutePath(), kFileFilter, "dat");
        if (path.isEmpty()) return;
        failed = !app_.document.SaveAsFile(path.toStdString());
        saved = !failed;
    });
    // A save that did not reach the disk is said so, not only logged.
    if (!ok || failed) app_.host->tell(this, app_.ft(70), app_.ft(84), DesktopHost::Icon::Critical);
    return ok && saved;
}

// --- Undo and redo --------------------------------------------------------------------------

void MainWindow::Undo() {
    // A tone still being entered is an edit of its own: it is committed, then taken back.
    if (channelWindow_) channelWindow_->CommitToneEntry();
    app_.guard("mdifrmMain->Undo", [&] { app_.document.Undo(); });
}

void MainWindow::Redo() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    app_.guard("mdifrmMain->Redo", [&] { app_.document.Redo(); });
}

void MainWindow::ShowUndoState() {
    action("mnuUndo")->setEnabled(app_.document.canUndo());
    action("mnuRedo")->setEnabled(app_.document.canRedo());
}

// --- Channel lists --------------------------------------------------------------------------

void MainWindow::ImportCsv() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    const int l = NormalizeLanguage(app_.language) - 1;
    app_.guard("mdifrmMain->ImportCsv", [&] {
        // The lock freezes the channels against every change, a whole list included.
        if (app_.document.channelEditor().locked()) {
            app_.host->tell(this, app_.ft(70), app_.ft(116), DesktopHost::Icon::Exclamation);
            return;
        }
        const QString path = app_.host->openFileName(
            this, QFileInfo(app_.currentFilePath()).absolutePath(), kCsvFilter);
        if (path.isEmpty()) return;
        std::ifstream file;
        if (OpenRegularFile(path.toStdString(), file)) {
            app_.host->tell(this, app_.ft(70), app_.ft(87), DesktopHost::Icon::Critical);
            return;
        }
        const RadioDocument& doc = app_.document;
        const ChirpImport found =
            ParseChirpCsv(file, doc.bandLow(), doc.bandHigh(), doc.layout().channelCount);
        if (!found.isCsv) {
            app_.host->tell(this, app_.ft(70), QString::fromUtf8(kNotAChannelList[l]),
                            DesktopHost::Icon::Critical);
            return;
        }
        ImportChirpChannels(app_.document, found.channels);
        if (found.skipped.empty() && found.warnings.empty()) return;
        QString list;
        auto section = [&](const char* caption, const std::vector<std::string>& rows) {
            if (rows.empty()) return;
            list += (list.isEmpty() ? "" : "\n\n") + QString::fromUtf8(caption);
            for (const std::string& row : rows) list += "\n" + QString::fromStdString(row);
        };
        section(kRowsNotImported[l], found.skipped);
        section(kImportWarnings[l], found.warnings);
        app_.host->tell(this, app_.ft(70), list, DesktopHost::Icon::Exclamation);
    });
}

void MainWindow::ExportCsv() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    bool failed = false;
    const bool ok = app_.guard("mdifrmMain->ExportCsv", [&] {
        const QString path = app_.host->saveFileName(
            this, QFileInfo(app_.currentFilePath()).absolutePath(), kCsvFilter, "csv");
        if (path.isEmpty()) return;
        const std::string text = ChirpCsvText(ChirpChannelsOf(app_.document));
        failed = SaveFileSafely(path.toStdString(), text).has_value();
    });
    if (!ok || failed) app_.host->tell(this, app_.ft(70), app_.ft(84), DesktopHost::Icon::Critical);
}

void MainWindow::PrintFile() {
    if (channelWindow_) channelWindow_->CommitToneEntry();
    if (!print_)
        print_ = new PrintCommand(app_, app_.document, this,
                                  {[this] { return statusText(1); },
                                   [this](const QString& t) {
                                       SetStatusNotice(t);
                                       statusNotice_->repaint();
                                   }});
    print_->open();
}

}  // namespace tarvos::ui

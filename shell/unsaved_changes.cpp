#include "shell/unsaved_changes.h"

#include <QFileInfo>

#include "shell/app_context.h"

namespace tarvos::ui {

namespace {
// No FaceText entry asks this: Simplified, Traditional, English. %1 is the file's name.
const char* const kDiscardQuestion[3] = {"“%1”中的更改尚未保存。\n要先保存吗？",
                                         "「%1」中的變更尚未儲存。\n要先儲存嗎？",
                                         "The changes to “%1” are not saved.\nSave them first?"};
}  // namespace

UnsavedChanges::UnsavedChanges(AppContext& app, std::function<void()> commitPending,
                               std::function<bool()> saveAs)
    : app_(app), commitPending_(std::move(commitPending)), saveAs_(std::move(saveAs)) {}

QString UnsavedChanges::Question(int language, const QString& fileName) {
    return QString::fromUtf8(kDiscardQuestion[NormalizeLanguage(language) - 1]).arg(fileName);
}

QString UnsavedChanges::Title(const QString& childCaption) const {
    const QString title = QFileInfo(app_.currentFilePath()).fileName() + "[*] - " + app_.ft(16);
    return childCaption.isEmpty() ? title : title + " - [" + childCaption + "]";
}

bool UnsavedChanges::hasOwnFile() const {
    const RadioDocument& doc = app_.document;
    return doc.currentFilePath() != doc.untitledPath() &&
           doc.currentFilePath() != doc.defaultsPath();
}

bool UnsavedChanges::MayDiscard(QWidget* parent) {
    if (commitPending_) commitPending_();
    if (!app_.document.modified()) return true;
    const QString name = QFileInfo(app_.currentFilePath()).fileName();
    switch (app_.host->askSaveDiscardCancel(parent, app_.ft(70), Question(app_.language, name))) {
        case DesktopHost::Answer::Yes:
            return save(parent);
        case DesktopHost::Answer::No:
            return true;
        case DesktopHost::Answer::Cancel:
            break;
    }
    return false;
}

bool UnsavedChanges::save(QWidget* parent) {
    if (!hasOwnFile()) return saveAs_ && saveAs_();
    bool saved = false;
    app_.guard("mdifrmMain->SaveDatFile", [&] { saved = app_.document.SaveDatFile(); });
    if (!saved) app_.host->tell(parent, app_.ft(70), app_.ft(84), DesktopHost::Icon::Critical);
    return saved;
}

}  // namespace tarvos::ui

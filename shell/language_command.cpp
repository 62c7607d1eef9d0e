// The main window's Language menu: the tick on the language in force, and the choice of
// another, which restarts the program in it.
#include "base/failure.h"
#include "shell/app_context.h"
#include "shell/main_window.h"
#include "shell/unsaved_changes.h"

namespace tarvos::ui {

void MainWindow::ShowLanguageTick(int language) {
    action("mnuLangSel0")->setChecked(language == 1);
    action("mnuLangSel1")->setChecked(language == 2);
    action("mnuLangSel2")->setChecked(language == 3);
}

void MainWindow::SelectLanguage(int language) {
    const int running = app_.language;
    ShowLanguageTick(language);
    // Choosing the language in force changes nothing more.
    if (language == running) return;
    // The restart ends this instance without the exit question: edits not yet saved are
    // offered a save first, and Cancel (or a save that did not happen) keeps everything as
    // it is.
    if (!unsaved_->MayDiscard(this)) {
        ShowLanguageTick(running);
        return;
    }
    app_.language = language;
    const bool restarted = app_.guard("mdifrmMain->SwiLangFace", [&] {
        app_.writeSetting("Language", QString::number(language));
        app_.host->tell(this, "Message", app_.ft(68), DesktopHost::Icon::Question);
        if (!app_.host->startNewInstance())
            Raise(err::FileNotFound, "the new instance could not be started");
    });
    if (!restarted) {
        // Logged; this instance goes on in the language it has.
        app_.language = running;
        ShowLanguageTick(running);
        return;
    }
    app_.exitWithoutPrompt = true;
    close();
}

}  // namespace tarvos::ui

// The main window's interface lock: Settings > Lock Face and the channel-lock items share one
// tick, apply the lock to the channel window, and the status bar's notice blinks while it holds.
#include <QTimer>

#include "channels/channel_window.h"
#include "shell/app_context.h"
#include "shell/main_window.h"

namespace tarvos::ui {

void MainWindow::ShowLockTick(bool locked) {
    action("mnuLockFace")->setChecked(locked);
    action("mnuChLock")->setChecked(locked);
    if (channelWindow_) channelWindow_->ShowChLockItem(action("mnuChLock")->isVisible(), locked);
}

void MainWindow::mnuLockFace_Click(bool checked) {
    app_.guard("mdifrmMain->mnuLockFace_Click", [&] { ToggleLock(checked); });
}

void MainWindow::mnuChLock_Click(bool checked) {
    // The channel-lock item is always visible here, so its tick carries the lock as the
    // Settings item's does.
    app_.guard("mdifrmMain->mnuChLock_Click", [&] { ToggleLock(checked); });
}

// The lock items share one tick; the new state is applied and stored.
void MainWindow::ToggleLock(bool checked) {
    ShowLockTick(checked);
    LockFaceOperate(checked);
    app_.writeSetting("ChannelLock", app_.channelLock);
}

void MainWindow::LockFaceOperate(bool locked) {
    app_.guard("mdifrmMain->LockFaceOperate", [&] {
        app_.channelLock = locked ? "ShowLock" : "ShowNo";
        if (channelWindow_) channelWindow_->LockFaceOperate(locked);
        SetStatusNotice(app_.ft(locked ? 116 : 94));
        if (!locked) tmrChLockBlink_->stop();
    });
    ShowUndoState();  // no undo while locked
}

void MainWindow::tmrChLock_Timer() {
    QAction* lock = action("mnuChLock");
    if (!lock->isVisible() || !lock->isChecked() || statusText(1) != app_.ft(94)) return;
    SetStatusNotice(app_.ft(116));
    tmrChLockBlink_->start();
}

void MainWindow::tmrChLockBlink_Timer() {
    QAction* lock = action("mnuChLock");
    if (!lock->isVisible() || !lock->isChecked()) return;
    blinkPhase_ = 1 - blinkPhase_;
    // Only the lock notice blinks; another command's message stays.
    const QString now = statusText(1);
    if (now == app_.ft(116) || now == app_.ft(94) || now.isEmpty())
        SetStatusNotice(app_.ft(blinkPhase_ == 1 ? 116 : 94));
}

}  // namespace tarvos::ui

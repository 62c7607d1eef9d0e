// The channel menu opened over the grid, and its delete and lock items.
#include <QAction>
#include <QMenu>

#include "channels/channel_window.h"
#include "document/channel_editor.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

// The channel menu mnuPopMenuOne opened by the right button over the grid.
void ChannelWindow::BuildChannelMenu() {
    mnuPopMenuOne_ = new QMenu(this);
    mnuPopMenuOne_->setObjectName("mnuPopMenuOne");
    auto item = [this](const char* name) {
        QAction* a = mnuPopMenuOne_->addAction(QString());
        a->setObjectName(name);
        return a;
    };
    // Opening a channel and storing defaults have no command on this radio.
    for (const char* name : {"mnuOpenCh", "mnuSaveDef"}) {
        QAction* a = item(name);
        a->setVisible(false);
        a->setEnabled(false);
    }
    mnuPopMenuOne_->addSeparator()->setVisible(false);
    mnuDelOne_ = item("mnuDelOne");
    mnuDelAll_ = item("mnuDelAll");
    sepPopChLock_ = mnuPopMenuOne_->addSeparator();
    sepPopChLock_->setObjectName("sepPopChLock");
    mnuPopChLock_ = item("mnuPopChLock");
    mnuPopChLock_->setCheckable(true);
    connect(mnuDelOne_, &QAction::triggered, this, [this] { mnuDelOne_Click(); });
    connect(mnuDelAll_, &QAction::triggered, this, [this] { mnuDelAll_Click(); });
    connect(mnuPopChLock_, &QAction::triggered, this, [this] { emit chLockToggled(); });
}

void ChannelWindow::vsfgGridCh_MouseDown(Qt::MouseButton button, int x, int y) {
    if (button != Qt::RightButton) return;
    const int r = vsfgGridCh_->mouseRow(), c = vsfgGridCh_->mouseCol();
    if (r < 1 || c < 1) return;
    OpenChannelMenu(r, vsfgGridCh_->viewport()->mapToGlobal(QPoint(x, y)));
}

void ChannelWindow::OpenChannelMenu(int r, QPoint at) {
    ctx_.guard("frmChMem->vsfgGridCh_MouseDown:", [&] {
        // A tone still being entered is stored before a command acts on the channels.
        CommitToneEntry();
        menuRow_ = r;
        const bool channelItems = !chLockChecked_;
        mnuDelOne_->setEnabled(channelItems && editor().CanDeleteOne(r));
        mnuDelAll_->setEnabled(channelItems && editor().CanDeleteAll());
        sepPopChLock_->setVisible(chLockVisible_);
        mnuPopChLock_->setVisible(chLockVisible_);
        mnuPopChLock_->setChecked(chLockChecked_);
        mnuPopMenuOne_->popup(at);
    });
}

void ChannelWindow::mnuDelOne_Click() {
    editor().DeleteOne(menuRow_);
    render();
}

void ChannelWindow::mnuDelAll_Click() {
    CommitToneEntry();
    editor().DeleteAll();
    render();
}

void ChannelWindow::ShowChLockItem(bool visible, bool checked) {
    chLockVisible_ = visible;
    chLockChecked_ = checked;
    mnuPopChLock_->setChecked(checked);
}

}  // namespace tarvos::ui

// The main window's frame: building it, the start-up steps that place its windows, the status
// bar and title, Help and About, and closing. Its commands live in the files named for them.
#include "shell/main_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "channels/channel_window.h"
#include "document/memory_view.h"
#include "functions/ui/function_pages.h"
#include "memview/memdat_window.h"
#include "memview/part_fill_dialog.h"
#include "shell/about_box.h"
#include "shell/app_context.h"
#include "shell/app_icon.h"
#include "shell/app_services.h"
#include "shell/error_window.h"
#include "shell/help_window.h"
#include "shell/startup.h"
#include "shell/unsaved_changes.h"

namespace tarvos::ui {

MainWindow::MainWindow(AppContext& app, AppServices& services, ErrorWindowSink* errorSink)
    : app_(app), services_(services), errorSink_(errorSink) {
    setObjectName("mdifrmMain");
    setWindowIcon(AppIcon());
    if (errorSink_) errorSink_->setOwner(this);
    services_.setMainWindow(this);
    services_.setComPortShown([this] { ShowComPort(); });
    unsaved_ = std::make_unique<UnsavedChanges>(
        app_,
        [this] {
            if (channelWindow_) channelWindow_->CommitToneEntry();
        },
        [this] { return SaveAsFile(); });
    app_.mayDiscardChanges = [this](QWidget* parent) { return unsaved_->MayDiscard(parent); };
    observer_ = app_.document.addObserver([this](DocumentChange what) {
        if (what == DocumentChange::FilePath) ShowFilePath();
        if (what == DocumentChange::FilePath || what == DocumentChange::Modified) ShowTitle();
        if (action("mnuUndo")) ShowUndoState();
    });
    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    // The lock notice: a 30 s check that runs from start-up, and a 5 s blink it starts.
    tmrChLock_ = new QTimer(this);
    tmrChLock_->setObjectName("tmrChLock");
    tmrChLock_->setInterval(30000);
    connect(tmrChLock_, &QTimer::timeout, this, [this] { tmrChLock_Timer(); });
    tmrChLockBlink_ = new QTimer(this);
    tmrChLockBlink_->setObjectName("tmrChLockBlink");
    tmrChLockBlink_->setInterval(5000);
    connect(tmrChLockBlink_, &QTimer::timeout, this, [this] { tmrChLockBlink_Timer(); });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildPictureButtons();
    auto* side = new QWidget(central);
    side->setObjectName("picturePanel");
    side->setAutoFillBackground(true);
    QPalette pal = side->palette();
    pal.setColor(QPalette::Window, QColor(232, 236, 242));
    side->setPalette(pal);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(8, 10, 8, 10);
    sideLayout->setSpacing(10);
    for (QToolButton* b : {picReadDat_, picWriteDat_, picComSet_}) {
        b->setParent(side);
        sideLayout->addWidget(b);
    }
    sideLayout->addStretch();
    mdi_ = new QMdiArea(central);
    mdi_->setObjectName("mdiArea");
    mdi_->setBackground(QColor(200, 205, 212));
    layout->addWidget(side);
    layout->addWidget(mdi_, 1);
    setCentralWidget(central);
    resize(1240, 780);
}

MainWindow::~MainWindow() {
    // The services may outlive the window (the start-up port test may still be to come).
    services_.setComPortShown(nullptr);
    services_.setMemoryViewRefresh(nullptr);
    services_.setMainWindow(nullptr);
    app_.mayDiscardChanges = nullptr;
    app_.document.removeObserver(observer_);
    if (errorSink_) errorSink_->setOwner(nullptr);
}

QAction* MainWindow::action(const QString& objectName) const {
    auto it = actions_.find(objectName);
    return it == actions_.end() ? nullptr : it->second;
}

// --- Start-up -----------------------------------------------------------------------------

void MainWindow::MDIForm_Load() {
    RunStartup(app_, services_, *this);
    tmrChLock_->start();
}

void MainWindow::CreateChannelWindow() {
    channelWindow_ = new ChannelWindow(app_, app_.document, this);
    connect(channelWindow_, &ChannelWindow::restoreDefaultsRequested, this,
            [this] { RestoreDefaultSetting(); });
    connect(channelWindow_, &ChannelWindow::notice, this, &MainWindow::SetStatusNotice);
    connect(channelWindow_, &ChannelWindow::chLockToggled, this, [this] {
        app_.guard("mdifrmMain->mnuPopChLock_Click", [&] { action("mnuChLock")->trigger(); });
    });
    // A maximised child window's caption joins the frame's, as in any document frame.
    connect(channelWindow_, &QWidget::windowTitleChanged, this, [this](const QString& t) {
        setWindowTitle(app_.ft(16) + (t.isEmpty() ? QString() : " - [" + t + "]"));
    });
    channelSub_ = mdi_->addSubWindow(channelWindow_, Qt::FramelessWindowHint);
    // The function pages fill the channel window's frames before its first image arrives.
    FunctionPageContainers where;
    where.optionFrame = channelWindow_->optionFrame();
    for (int i = 0; i < 3; ++i)
        where.moreFuncTabs[static_cast<size_t>(i)] = channelWindow_->moreFuncPage(i);
    where.sysSet2Frame = channelWindow_->sysSet2Frame();
    where.moreFunc = channelWindow_->moreFuncTabs();
    where.codeArea = channelWindow_->codeArea();
    where.moreFuncButton = channelWindow_->moreFuncButton();
    functionPages_ = new FunctionPages(app_, app_.document, where, channelWindow_);
    channelWindow_->InitChMem();
}

MemDatWindow* MainWindow::memoryWindow() {
    if (!memDat_) {
        app_.guard("modMemDat->SetGridMemDat", [&] {
            memDat_ = new MemDatWindow(app_, app_.document, services_.tableMaxAddr(), this);
            memDat_->setTableMaxAddrSource([this] { return services_.tableMaxAddr(); });
        });
    }
    return memDat_;
}

void MainWindow::CreateMemoryWindow() {
    services_.setMemoryViewRefresh([this] {
        if (MemDatWindow* view = memoryWindow()) view->TableFreDat();
    });
    if (!channelWindow_) return;
    auto gestures = std::make_shared<MemoryViewGestures>();
    auto showOrHide = [this](bool show) {
        if (!show) {
            if (memDat_) memDat_->hide();
            return;
        }
        if (MemDatWindow* view = memoryWindow()) {
            view->show();
            view->raise();
        }
    };
    connect(channelWindow_, &ChannelWindow::lblModelDblClicked, this,
            [gestures, showOrHide] { showOrHide(gestures->ModelLabelDblClick()); });
    connect(channelWindow_, &ChannelWindow::fraModelClicked, this,
            [gestures, showOrHide] { showOrHide(gestures->ModelFrameClick()); });
}

void MainWindow::ShowChannelWindow() {
    if (channelSub_) channelSub_->showMaximized();
}

// --- Status bar ---------------------------------------------------------------------------

void MainWindow::BuildStatusBar() {
    auto panel = [this](const char* name, int stretch) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(6, 1, 6, 1);
        l->setMinimumWidth(140);
        statusBar()->addWidget(l, stretch);
        return l;
    };
    statusBar()->setObjectName("sbrStatus");
    statusNotice_ = panel("statusNotice", 2);
    statusCom_ = panel("statusCom", 1);
    statusAddress_ = panel("statusAddress", 5);
}

void MainWindow::SetStatusNotice(const QString& text) {
    statusNotice_->setText(text);
}

void MainWindow::ShowStateNotice() {
    // What the panel says between commands: the lock's notice or "Ready".
    SetStatusNotice(app_.ft(app_.channelLock == "ShowLock" ? 116 : 94));
    statusNotice_->setToolTip(QString());
}

void MainWindow::ShowComPort() {
    statusCom_->setText("COM" + QString::number(app_.comPort));
}

void MainWindow::ShowFilePath() {
    statusAddress_->setText(app_.ft(85) + app_.currentFilePath());
}

void MainWindow::ShowTitle() {
    const bool child = channelSub_ && channelSub_->isMaximized() && channelWindow_;
    const QString title = unsaved_->Title(child ? channelWindow_->windowTitle() : QString());
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(app_.document.modified());
}

void MainWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowTitleChange && unsaved_) ShowTitle();
}

QString MainWindow::statusText(int panel) const {
    switch (panel) {
        case 1:
            return statusNotice_->text();
        case 2:
            return statusCom_->text();
        case 3:
            return statusAddress_->text();
    }
    return {};
}

// --- Help ---------------------------------------------------------------------------------

void MainWindow::Help() {
    app_.guard("mdifrmMain->Help", [&] { ShowHelp(app_, this); });
}

void MainWindow::ShowAbout() {
    app_.guard("frmAboutSoft->InitFace:", [&] {
        AboutBox box(app_, this);
        box.exec();
    });
}

// --- Closing ------------------------------------------------------------------------------

void MainWindow::ExitSoft() {
    app_.guard("mdifrmMain->ExitSoft", [&] { close(); });
}

bool MainWindow::QueryUnload() {
    bool accept = false;
    app_.guard("mdifrmMain->MDIForm_QueryUnload", [&] {
        if (app_.mainCloseBlocked) return;
        if (!app_.exitWithoutPrompt &&
            (!app_.host->askYesNo(this, app_.ft(70), app_.ft(73)) || !unsaved_->MayDiscard(this)))
            return;
        app_.exitConfirmed = true;
        // Closing order: channel editor, about box, communication window, port dialog,
        // error window, partial fill, memory view (the about box and the two link windows
        // are modal and so closed already; the automatic input window comes later).
        if (channelSub_) channelSub_->close();
        if (errorSink_) errorSink_->close();
        if (memDat_ && memDat_->partFillDialog()) memDat_->partFillDialog()->close();
        if (memDat_) memDat_->close();
        accept = true;
    });
    return accept;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (QueryUnload())
        e->accept();
    else
        e->ignore();
}

}  // namespace tarvos::ui

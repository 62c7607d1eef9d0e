#include "shell/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <fstream>
#include <memory>

#include "base/failure.h"
#include "base/file_reading.h"
#include "base/safe_save.h"
#include "channels/channel_window.h"
#include "document/channel_editor.h"
#include "document/chirp_csv.h"
#include "document/memory_view.h"
#include "functions/ui/function_pages.h"
#include "memview/memdat_window.h"
#include "memview/part_fill_dialog.h"
#include "print/ui/print_command.h"
#include "shell/about_box.h"
#include "shell/app_context.h"
#include "shell/app_icon.h"
#include "shell/app_services.h"
#include "shell/error_window.h"
#include "shell/help_window.h"
#include "shell/menu_captions.h"
#include "shell/startup.h"
#include "shell/toolbar_icons.h"
#include "shell/unsaved_changes.h"

namespace tarvos::ui {

namespace {
constexpr const char* kFileFilter = "Data File(*.dat)|*.dat";

// "Check each read" and "Verify after write" have no FaceText entries: Simplified,
// Traditional, English.
const char* const kVerifyReadCaption[3] = {"读取时校验", "讀取時校驗", "Check each read"};
const char* const kVerifyWriteCaption[3] = {"写入后校验", "寫入後校驗", "Verify after write"};

// The channel list commands have no FaceText entries either.
constexpr const char* kCsvFilter = "CSV File(*.csv)|*.csv";
const char* const kImportCsvCaption[3] = {"导入CSV…", "匯入CSV…", "Import CSV…"};
const char* const kExportCsvCaption[3] = {"导出CSV…", "匯出CSV…", "Export CSV…"};
const char* const kNotAChannelList[3] = {
    "不是信道列表：需要含 Location 和 Frequency 列的 CSV 文件。",
    "不是信道列表：需要含 Location 和 Frequency 欄的 CSV 檔案。",
    "Not a channel list: a CSV file with a Location and a Frequency column is needed."};
// Undo and redo have none either.
const char* const kEditCaption[3] = {"编辑(&E)", "編輯(&E)", "&Edit"};
const char* const kUndoCaption[3] = {"撤销(&U)", "復原(&U)", "&Undo"};
const char* const kRedoCaption[3] = {"重做(&R)", "重做(&R)", "&Redo"};
const char* const kRowsNotImported[3] = {"以下行未导入：", "以下行未匯入：",
                                         "These rows were not imported:"};
const char* const kImportWarnings[3] = {"已导入，但请检查：", "已匯入，但請檢查：",
                                        "Imported, but please check:"};

// Menu rows: object name, FaceText caption, shortcut, shown.
struct MenuRow {
    const char* name;
    int caption;
    const char* shortcut;
    bool shown;
};
}  // namespace

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

void MainWindow::BuildMenus() {
    auto add = [this](QMenu* menu, const MenuRow& row) {
        auto* a = new QAction(this);
        a->setObjectName(row.name);
        a->setData(row.caption);
        if (row.shortcut && *row.shortcut) a->setShortcut(QKeySequence(row.shortcut));
        a->setVisible(row.shown);
        menu->addAction(a);
        actions_[row.name] = a;
        return a;
    };
    auto addMenu = [this](const char* name, int caption, bool shown) {
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        m->menuAction()->setData(caption);
        m->menuAction()->setVisible(shown);
        actions_[name] = m->menuAction();
        return m;
    };
    auto sep = [](QMenu* m, bool shown) { m->addSeparator()->setVisible(shown); };

    QMenu* file = addMenu("mnuFile", 20, true);
    add(file, {"mnuFileNew", 21, "Ctrl+N", true});
    add(file, {"mnuFileOpen", 22, "Ctrl+O", true});
    add(file, {"mnuFileSave", 23, "Ctrl+S", true});
    add(file, {"mnuFileSaveAs", 24, "", true});
    sep(file, true);
    add(file, {"mnuImportCsv", -1, "", true});
    add(file, {"mnuExportCsv", -1, "", true});
    sep(file, true);
    add(file, {"mnuPrintFile", 43, "Ctrl+P", true});
    sep(file, true);
    add(file, {"mnuExit", 25, "", true});

    QMenu* edit = addMenu("mnuEdit", -1, true);
    add(edit, {"mnuUndo", -1, "Ctrl+Z", true});
    add(edit, {"mnuRedo", -1, "Ctrl+Y", true})
        ->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});

    QMenu* program = addMenu("mnuProgram", 26, true);
    add(program, {"mnuReadFre", 27, "Ctrl+R", true});
    add(program, {"mnuWriteFre", 28, "Ctrl+W", true});
    sep(program, true);
    add(program, {"mnuReadWriteFre", 48, "F2", true});
    sep(program, false);
    add(program, {"mnuAddFre", 44, "F7", false});
    sep(program, false);
    add(program, {"mnuTestMode", 40, "Ctrl+T", false});
    add(program, {"mnuTestFre", 41, "", false});
    sep(program, false);
    add(program, {"mnuBatchTestVal", 42, "Ctrl+B", false});

    QMenu* option = addMenu("mnuOption", 29, false);
    add(option, {"mnuModel", 39, "Ctrl+M", false});
    add(option, {"mnuFunc", 30, "Ctrl+F", false});
    add(option, {"mnuDtmf", 45, "", false});
    add(option, {"mnuKeySet", 46, "", false});
    add(option, {"mnuMcuVer", 49, "", false});
    add(option, {"mnuChLock", 47, "Ctrl+L", true})->setCheckable(true);

    QMenu* set = addMenu("mnuSet", 31, true);
    add(set, {"mnuCommunicate", 32, "", true});
    // Switches kept in section Setting, off by default; a transfer reads them when it starts.
    for (const auto& [name, key] :
         {std::pair{"mnuVerifyRead", "VerifyRead"}, std::pair{"mnuVerifyWrite", "VerifyWrite"}}) {
        QAction* box = add(set, {name, -1, "", true});
        box->setCheckable(true);
        box->setChecked(app_.setting(key, "0", 3).toInt() != 0);
        connect(box, &QAction::triggered, this,
                [this, k = key](bool on) { app_.writeSetting(k, on ? "1" : "0"); });
    }
    sep(set, true);
    add(set, {"mnuLockFace", 58, "", true})->setCheckable(true);
    sep(set, true);
    QMenu* lang = set->addMenu(QString());
    lang->menuAction()->setObjectName("mnuLangSetting");
    lang->menuAction()->setData(33);
    actions_["mnuLangSetting"] = lang->menuAction();
    // The order of the items is Simplified, English, Traditional.
    add(lang, {"mnuLangSel0", 34, "", true})->setCheckable(true);
    add(lang, {"mnuLangSel2", 35, "", true})->setCheckable(true);
    add(lang, {"mnuLangSel1", 57, "", true})->setCheckable(true);

    addMenu("mnuView", -1, false);
    addMenu("mnuWindow", -1, false);

    QMenu* help = addMenu("mnuHelp", 36, true);
    add(help, {"mnuHelpTopic", 37, "F1", false});
    sep(help, false);
    add(help, {"mnuAboutSoft", 38, "", true});
    AddCompareCommands();

    connect(action("mnuFileNew"), &QAction::triggered, this, [this] { NewFile(); });
    connect(action("mnuFileOpen"), &QAction::triggered, this, [this] { OpenFile(); });
    connect(action("mnuFileSave"), &QAction::triggered, this, [this] { SaveFile(); });
    connect(action("mnuFileSaveAs"), &QAction::triggered, this, [this] { SaveAsFile(); });
    connect(action("mnuImportCsv"), &QAction::triggered, this, [this] { ImportCsv(); });
    connect(action("mnuUndo"), &QAction::triggered, this, [this] { Undo(); });
    connect(action("mnuRedo"), &QAction::triggered, this, [this] { Redo(); });
    connect(action("mnuExportCsv"), &QAction::triggered, this, [this] { ExportCsv(); });
    connect(action("mnuPrintFile"), &QAction::triggered, this, [this] { PrintFile(); });
    connect(action("mnuExit"), &QAction::triggered, this, [this] { ExitSoft(); });
    connect(action("mnuReadFre"), &QAction::triggered, this, [this] { StartRead(); });
    connect(action("mnuWriteFre"), &QAction::triggered, this, [this] { StartWrite(); });
    connect(action("mnuReadWriteFre"), &QAction::triggered, this, [this] { StartReadWrite(); });
    connect(action("mnuCommunicate"), &QAction::triggered, this, [this] { ShowPortDialog(); });
    connect(action("mnuHelpTopic"), &QAction::triggered, this, [this] { Help(); });
    connect(action("mnuAboutSoft"), &QAction::triggered, this, [this] { ShowAbout(); });
    connect(action("mnuLangSel0"), &QAction::triggered, this, [this] { SelectLanguage(1); });
    connect(action("mnuLangSel1"), &QAction::triggered, this, [this] { SelectLanguage(2); });
    connect(action("mnuLangSel2"), &QAction::triggered, this, [this] { SelectLanguage(3); });
    connect(action("mnuLockFace"), &QAction::triggered, this,
            [this](bool on) { mnuLockFace_Click(on); });
    connect(action("mnuChLock"), &QAction::triggered, this,
            [this](bool on) { mnuChLock_Click(on); });
    // Its menu is hidden, but Ctrl+L works in the whole window.
    addAction(action("mnuChLock"));
}

void MainWindow::BuildToolbar() {
    toolbar_ = addToolBar(QString());
    toolbar_->setObjectName("tlbMdiFrmMain");
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setIconSize(QSize(28, 28));
    // Positions 1, 3, 6, 9, 11, 13 and 15 are separators.
    struct Button {
        const char* key;
        int caption;
    };
    const Button buttons[] = {{nullptr, 0},    {"FileNew", 0}, {nullptr, 0}, {"FileOpen", 1},
                              {"FileSave", 2}, {nullptr, 0},   {"Read", 3},  {"Write", 4},
                              {nullptr, 0},    {"Com", 5},     {nullptr, 0}, {"Print", 8},
                              {nullptr, 0},    {"Help", 6},    {nullptr, 0}, {"Exit", 7}};
    for (const Button& b : buttons) {
        if (!b.key) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* a = toolbar_->addAction(ToolbarIcon(b.key), QString());
        a->setObjectName(QString("tlb") + b.key);
        a->setData(b.caption);
        a->setProperty("key", QString(b.key));
        const QString key = b.key;
        connect(a, &QAction::triggered, this, [this, key] { tlbMdiFrmMain_ButtonClick(key); });
        actions_[a->objectName()] = a;
    }
}

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

void MainWindow::BuildPictureButtons() {
    auto make = [this](const char* name) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setIconSize(QSize(120, 72));
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    picReadDat_ = make("picReadDat");
    picWriteDat_ = make("picWriteDat");
    picComSet_ = make("picComSet");
    connect(picReadDat_, &QToolButton::clicked, this, [this] { StartRead(); });
    connect(picWriteDat_, &QToolButton::clicked, this, [this] { StartWrite(); });
    connect(picComSet_, &QToolButton::clicked, this, [this] { ShowPortDialog(); });
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

void MainWindow::ShowLockTick(bool locked) {
    action("mnuLockFace")->setChecked(locked);
    action("mnuChLock")->setChecked(locked);
    if (channelWindow_) channelWindow_->ShowChLockItem(action("mnuChLock")->isVisible(), locked);
}

// --- Interface lock -----------------------------------------------------------------------

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

void MainWindow::SetSoftFace() {
    app_.guard("mdimoduMain->SetSoftFace", [&] {
        for (auto& [name, a] : actions_) {
            const int index = a->data().toInt();
            if (a->data().isValid() && index >= 0) a->setText(app_.ft(index));
        }
        const int l = NormalizeLanguage(app_.language) - 1;
        action("mnuVerifyRead")->setText(QString::fromUtf8(kVerifyReadCaption[l]));
        action("mnuVerifyWrite")->setText(QString::fromUtf8(kVerifyWriteCaption[l]));
        ShowCompareCaptions();
        action("mnuImportCsv")->setText(QString::fromUtf8(kImportCsvCaption[l]));
        action("mnuEdit")->setText(QString::fromUtf8(kEditCaption[l]));
        action("mnuUndo")->setText(QString::fromUtf8(kUndoCaption[l]));
        action("mnuRedo")->setText(QString::fromUtf8(kRedoCaption[l]));
        ShowUndoState();
        action("mnuExportCsv")->setText(QString::fromUtf8(kExportCsvCaption[l]));
        ApplyMenuConventions(*this);
        ShowTitle();
        SetStatusNotice(app_.ft(94));
        ShowComPort();
        ShowFilePath();
        LoadPictureButtons();
    });
}

void MainWindow::LoadPictureButtons() {
    const char* suffix = app_.language == 1 ? "Chs" : app_.language == 2 ? "Cht" : "Eng";
    const std::pair<QToolButton*, const char*> pics[] = {
        {picReadDat_, "Read"}, {picWriteDat_, "Write"}, {picComSet_, "ComSet"}};
    for (auto [button, base] : pics) {
        const QString file = QString("%1_%2.png").arg(base, suffix);
        QPixmap pm(app_.appFolder + "/" + file);
        if (pm.isNull()) pm.load(":/install/" + file);
        button->setIcon(QIcon(pm));
        if (!pm.isNull()) button->setIconSize(pm.size());
    }
    picReadDat_->setToolTip(app_.ft(3));
    picWriteDat_->setToolTip(app_.ft(4));
    picComSet_->setToolTip(app_.ft(5));
}

// --- Status bar ---------------------------------------------------------------------------

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

// --- Program and settings -----------------------------------------------------------------

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

void MainWindow::tlbMdiFrmMain_ButtonClick(const QString& key) {
    app_.guard("mdifrmMain->tlbmdifrmMain_ButtonClick", [&] {
        if (key == "FileNew")
            NewFile();
        else if (key == "FileOpen")
            OpenFile();
        else if (key == "FileSave")
            SaveFile();
        else if (key == "Read")
            StartRead();
        else if (key == "Write")
            StartWrite();
        else if (key == "Com")
            ShowPortDialog();
        else if (key == "Print")
            PrintFile();
        else if (key == "Help")
            Help();
        else if (key == "Exit")
            ExitSoft();
    });
}

void MainWindow::Help() {
    app_.guard("mdifrmMain->Help", [&] { ShowHelp(app_, this); });
}

void MainWindow::ShowAbout() {
    app_.guard("frmAboutSoft->InitFace:", [&] {
        AboutBox box(app_, this);
        box.exec();
    });
}

// --- Language -----------------------------------------------------------------------------

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

// The main window's menus, keyed toolbar and picture buttons: what each item is called, its
// shortcut and the command it runs, and the captions they take in the language in force.
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "shell/app_context.h"
#include "shell/main_window.h"
#include "shell/menu_captions.h"
#include "shell/toolbar_icons.h"

namespace tarvos::ui {

namespace {
// "Check each read" and "Verify after write" have no FaceText entries: Simplified,
// Traditional, English.
const char* const kVerifyReadCaption[3] = {"读取时校验", "讀取時校驗", "Check each read"};
const char* const kVerifyWriteCaption[3] = {"写入后校验", "寫入後校驗", "Verify after write"};

// The channel list commands and undo and redo have none either.
const char* const kImportCsvCaption[3] = {"导入CSV…", "匯入CSV…", "Import CSV…"};
const char* const kExportCsvCaption[3] = {"导出CSV…", "匯出CSV…", "Export CSV…"};
const char* const kEditCaption[3] = {"编辑(&E)", "編輯(&E)", "&Edit"};
const char* const kUndoCaption[3] = {"撤销(&U)", "復原(&U)", "&Undo"};
const char* const kRedoCaption[3] = {"重做(&R)", "重做(&R)", "&Redo"};

// Menu rows: object name, FaceText caption, shortcut, shown.
struct MenuRow {
    const char* name;
    int caption;
    const char* shortcut;
    bool shown;
};
}  // namespace

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

// --- Captions -----------------------------------------------------------------------------

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

}  // namespace tarvos::ui

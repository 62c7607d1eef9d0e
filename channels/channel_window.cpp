#include "channels/channel_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "channels/auto_input_window.h"
#include "channels/channel_grid_keys.h"
#include "channels/channel_row_commands.h"
#include "channels/channel_splitter.h"
#include "channels/custom_band_dialog.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"
#include "memory/band.h"
#include "widgets/caption_widths.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr uint32_t kOutsideCells = Rgb(247, 247, 247);
}

ChannelWindow::ChannelWindow(WindowContext& ctx, RadioDocument& document, QWidget* parent)
    : QWidget(parent), ctx_(ctx), doc_(document) {
    setObjectName("frmChMem");
    BuildPages();
    BuildToneBox();
    BuildChannelMenu();
    new ChannelRowCommands(*this);
    new ChannelGridKeys(*this);
    observer_ = doc_.addObserver([this](DocumentChange what) { documentChanged(what); });
}

ChannelWindow::~ChannelWindow() {
    doc_.removeObserver(observer_);
}

ChannelEditor& ChannelWindow::editor() {
    return doc_.channelEditor();
}

void ChannelWindow::documentChanged(DocumentChange what) {
    // The editor has redrawn its model already (it observes the document first).
    if (what == DocumentChange::Replaced) {
        showModelAndBand();
        render();
        homeCell();
    } else if (what == DocumentChange::Channels) {
        render();
    }
}

void ChannelWindow::BuildPages() {
    sstabSetMode_ = new QTabWidget(this);
    sstabSetMode_->setObjectName("sstabSetMode");

    // Page 0: the channel grid and the model frame.
    auto* fraSysSet0 = new QWidget;
    fraSysSet0->setObjectName("fraSysSet0");
    fraMain_ = new QGroupBox(fraSysSet0);
    fraMain_->setObjectName("fraMain");
    vsfgGridCh_ = new GridControl(fraMain_);
    vsfgGridCh_->setObjectName("vsfgGridCh");
    auto* mainLayout = new QVBoxLayout(fraMain_);
    mainLayout->setContentsMargins(8, 8, 8, 8);
    mainLayout->addWidget(vsfgGridCh_);

    fraModel_ = new QGroupBox(fraSysSet0);
    fraModel_->setObjectName("fraModel");
    lblModel_ = new QLabel(fraModel_);
    lblModel_->setObjectName("lblModel");
    cboModel_ = new QComboBox(fraModel_);
    cboModel_->setObjectName("cboModel");
    lblFrequency_ = new QLabel(fraModel_);
    lblFrequency_->setObjectName("lblFrequency");
    cboFrequency_ = new QComboBox(fraModel_);
    cboFrequency_->setObjectName("cboFrequency");
    cmdDelAllCh_ = new QPushButton(fraModel_);
    cmdDelAllCh_->setObjectName("cmdDelAllCh");
    cmdDefSet_ = new QPushButton(fraModel_);
    cmdDefSet_->setObjectName("cmdDefSet");
    cmdAutoInput_ = new QPushButton(fraModel_);
    cmdAutoInput_->setObjectName("cmdAutoInput");
    // The read/write code controls of the function pages sit here.
    codeArea_ = new QWidget(fraModel_);
    codeArea_->setObjectName("fraRdWrCodeArea");
    auto* modelLayout = new QVBoxLayout(fraModel_);
    modelLayout->setContentsMargins(10, 12, 10, 10);
    modelLayout->addWidget(lblModel_);
    modelLayout->addWidget(cboModel_);
    modelLayout->addSpacing(6);
    modelLayout->addWidget(lblFrequency_);
    modelLayout->addWidget(cboFrequency_);
    modelLayout->addSpacing(6);
    modelLayout->addWidget(codeArea_);
    modelLayout->addSpacing(14);
    modelLayout->addWidget(cmdDelAllCh_);
    modelLayout->addWidget(cmdDefSet_);
    modelLayout->addWidget(cmdAutoInput_);
    modelLayout->addStretch();
    fraModel_->setFixedWidth(200);
    // The hidden gestures of the memory data view.
    lblModel_->installEventFilter(this);
    fraModel_->installEventFilter(this);

    auto* page0 = new QHBoxLayout(fraSysSet0);
    page0->setContentsMargins(8, 8, 8, 8);
    page0->setSpacing(10);
    page0->addWidget(fraMain_, 1);
    page0->addWidget(fraModel_);

    // Page 1: the function frame the function pages fill.
    auto* fraSysSet1 = new QWidget;
    fraSysSet1->setObjectName("fraSysSet1");
    fraOptionSet_ = new QGroupBox(fraSysSet1);
    fraOptionSet_->setObjectName("fraOptionSet");
    auto* page1 = new QVBoxLayout(fraSysSet1);
    page1->setContentsMargins(8, 8, 8, 8);
    page1->addWidget(fraOptionSet_);
    page1->addStretch();

    sstabSetMode_->addTab(fraSysSet0, QString());
    sstabSetMode_->addTab(fraSysSet1, QString());
    fraSysSet0_ = fraSysSet0;
    fraSysSet1_ = fraSysSet1;

    // The second tab control stays hidden until the code dialog reveals it.
    sstabMoreFunc_ = new QTabWidget(this);
    sstabMoreFunc_->setObjectName("sstabMoreFunc");
    // The captions are set after the tabs are in: the first tab added becomes the current one,
    // which measures its caption at once, and measuring Chinese text loads a large font that a
    // start in another language never needs while this control stays hidden.
    for (int i = 0; i < 4; ++i) sstabMoreFunc_->addTab(new QWidget, QString());
    int tab = 0;
    for (const char* caption : {"未分类", "DTMF", "两音", "Tab 3"})
        sstabMoreFunc_->setTabText(tab++, QString::fromUtf8(caption));
    // "Tab 3" holds the third function frame, which the interface lock disables with the others.
    fraSysSet2_ = new QWidget(sstabMoreFunc_->widget(3));
    fraSysSet2_->setObjectName("fraSysSet2");
    auto* tab3 = new QVBoxLayout(sstabMoreFunc_->widget(3));
    tab3->setContentsMargins(0, 0, 0, 0);
    tab3->addWidget(fraSysSet2_);
    sstabMoreFunc_->hide();

    cmdMoreFunc_ = new QPushButton(">", this);
    cmdMoreFunc_->setObjectName("cmdMoreFunc");
    cmdMoreFunc_->setFixedWidth(28);
    cmdMoreFunc_->setFlat(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    splitter_ = new ChannelSplitter(ctx_, sstabSetMode_, sstabMoreFunc_, vsfgGridCh_, this);
    layout->addWidget(splitter_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdMoreFunc_);
    layout->addLayout(bottom);

    connect(cboModel_, &QComboBox::currentIndexChanged, this, [this] { cboModel_Click(); });
    connect(cboFrequency_, &QComboBox::activated, this, [this] { cboFrequency_Click(); });
    connect(cmdDefSet_, &QPushButton::clicked, this, [this] { emit restoreDefaultsRequested(); });
    connect(cmdDelAllCh_, &QPushButton::clicked, this, [this] { mnuDelAll_Click(); });
    connect(cmdAutoInput_, &QPushButton::clicked, this, [this] { cmdAutoInput_Click(); });

    // The grid is edited as the channel rules say: a click starts editing, typing does, a
    // double-click copies or cycles instead.
    vsfgGridCh_->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    vsfgGridCh_->setEditable(true);
    connect(vsfgGridCh_, &GridControl::beforeEdit, this,
            [this](int r, int c, bool* cancel) { vsfgGridCh_BeforeEdit(r, c, cancel); });
    connect(vsfgGridCh_, &GridControl::afterEdit, this,
            [this](int r, int c) { vsfgGridCh_AfterEdit(r, c); });
    connect(vsfgGridCh_, &GridControl::gridClicked, this, [this] { vsfgGridCh_Click(); });
    connect(vsfgGridCh_, &GridControl::gridDoubleClicked, this, [this] { vsfgGridCh_DblClick(); });
    connect(vsfgGridCh_, &GridControl::gridMouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
                vsfgGridCh_MouseDown(b, x, y);
            });
}

// The tone box cboGridChCtdcs: a drop-down with free entry, laid over a tone cell while it is
// open.
void ChannelWindow::BuildToneBox() {
    cboGridChCtdcs_ = new QComboBox(vsfgGridCh_);
    cboGridChCtdcs_->setObjectName("cboGridChCtdcs");
    cboGridChCtdcs_->setEditable(true);
    cboGridChCtdcs_->setCompleter(nullptr);  // typed text goes through the tone rule as typed
    cboGridChCtdcs_->setInsertPolicy(QComboBox::NoInsert);
    cboGridChCtdcs_->setMaxVisibleItems(16);
    cboGridChCtdcs_->hide();
    cboGridChCtdcs_->installEventFilter(this);
    cboGridChCtdcs_->lineEdit()->installEventFilter(this);
    connect(cboGridChCtdcs_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!showingToneBox_) editor().SetToneBoxText(text.toStdString());
    });
    // Enter confirms the entry as leaving the box does.
    connect(cboGridChCtdcs_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        CommitToneEntry();
        vsfgGridCh_->setFocus();
    });
}

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

QWidget* ChannelWindow::moreFuncPage(int index) const {
    return sstabMoreFunc_->widget(index);
}

QWidget* ChannelWindow::sysSetFrame(int index) const {
    return index == 0 ? fraSysSet0_ : index == 1 ? fraSysSet1_ : fraSysSet2_;
}

void ChannelWindow::closeEvent(QCloseEvent* e) {
    // The channel window stays until the user has confirmed leaving the application.
    if (ctx_.exitConfirmed) {
        if (frmAutoInput_) frmAutoInput_->close();
        e->accept();
    } else {
        e->ignore();
    }
}

void ChannelWindow::InitChMem() {
    ctx_.guard("frmChMem->InitChMem", [&] {
        ChInfoInitFace();
        // The tone list is the document's, built for the language in force.
        doc_.SetLayout(ReadChInfo(ctx_.settings, ctx_.language, ctx_.log));
        SetChGrid();
        cboGridChCtdcs_->clear();
        QStringList tones;
        for (const std::string& tone : doc_.toneList().names())
            tones << QString::fromStdString(tone);
        cboGridChCtdcs_->addItems(tones);
        InitChTable();
        normalBack_ = vsfgGridCh_->backColor();
        normalSel_ = vsfgGridCh_->backColorSel();
        ChInfoModel();
    });
}

void ChannelWindow::ChInfoInitFace() {
    ctx_.guard("frmChMem->ChInfoInitFace", [&] {
        setWindowTitle(ctx_.ft(382));
        fraMain_->setTitle(ctx_.ft(382));
        vsfgGridCh_->setBackColorBkg(kOutsideCells);
        sstabSetMode_->setTabText(0, ctx_.ft(200));
        sstabSetMode_->setTabText(1, ctx_.ft(450));
        fraModel_->setTitle(ctx_.ft(200));
        fraOptionSet_->setTitle(ctx_.ft(453));
        lblModel_->setText(ctx_.ft(371));
        lblFrequency_->setText(ctx_.ft(372));
        cmdDelAllCh_->setText(ctx_.ft(112));
        cmdDefSet_->setText(ctx_.ft(400));
        cmdAutoInput_->setText(ctx_.ft(445));
        mnuPopMenuOne_->findChild<QAction*>("mnuOpenCh")->setText(" " + ctx_.ft(114));
        mnuPopMenuOne_->findChild<QAction*>("mnuSaveDef")->setText(ctx_.ft(113));
        mnuDelOne_->setText(" " + ctx_.ft(110));
        mnuDelAll_->setText(ctx_.ft(112));
        mnuPopChLock_->setText(ctx_.ft(47));
    });
}

void ChannelWindow::SetChGrid() {
    ctx_.guard("modChMem->SetChGrid", [&] {
        const ChannelLayout& L = doc_.layout();
        GridControl& g = *vsfgGridCh_;
        // The font first: set on a filled grid it lays every row and header out again.
        g.setFontSize(10);
        g.setRows(1);
        g.setCols(1);
        g.setFormatString(QString::fromStdString(L.header));
        g.setCols(L.columnCount + 1);
        g.setRowHeightTwips(0, L.rowHeight);
        for (int r = 1; r <= L.channelCount; ++r) {
            g.addItem(QString::number(r));
            g.setRowHeightTwips(r, L.rowHeight);
        }
        for (int c = 0; c <= L.columnCount; ++c) {
            g.setColAlignmentCenter(c);
            g.setColWidthTwips(c, L.widths[static_cast<size_t>(c)]);
        }
        WidenColumnsToCaptions(g);
        for (int c = 1; c <= L.columnCount; ++c) {
            const std::string key = L.key(c);
            if (key == "RxFre" || key == "TxFre") {
                g.setColDataType(c, GridControl::ValueType::Decimal);
                g.setColEditMask(c, "###.#####");
            } else if (key == "OFFSET") {
                g.setColDataType(c, GridControl::ValueType::Decimal);
                g.setColEditMask(c, "#0.00000");
            } else if (key == "CHNAME") {
                g.setColEditMask(c, "00000");
            }
        }
        if (L.channelCount >= 1 && L.columnCount >= 1) g.select(1, 1);
    });
}

void ChannelWindow::InitChTable() {
    doc_.InitChTable();
    homeCell();
}

// After a redraw the grid shows its first cell, not the last one drawn.
void ChannelWindow::homeCell() {
    if (doc_.layout().channelCount < 1 || doc_.layout().columnCount < 1) return;
    vsfgGridCh_->select(1, 1);
    vsfgGridCh_->scrollToTop();
    vsfgGridCh_->horizontalScrollBar()->setValue(0);
}

QString ChannelWindow::FrequencyText(int32_t tenHz) {
    return QString::fromStdString(tarvos::FrequencyText(tenHz));
}

void ChannelWindow::ShowChTblGrid() {
    editor().ShowChTblGrid();
    render();
    homeCell();
}

void ChannelWindow::render() {
    ctx_.guard("modChMem->ShowChTblGrid", [&] {
        const ChannelEditor& e = editor();
        GridControl& g = *vsfgGridCh_;
        const int rows = std::min(e.rows(), g.rows() - 1), cols = std::min(e.cols(), g.cols() - 1);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= cols; ++c) {
                const GridCell& cell = e.cell(r, c);
                const QString text = QString::fromStdString(cell.text);
                if (g.text(r, c) != text) g.setText(r, c, text);
                g.setForeColorAt(r, c,
                                 cell.colour == CellColour::Over ? ctx_.overColor : ctx_.defColor);
            }
        }
        if (rows >= 1 && cols >= 1) {
            g.setCellBackColor(1, 0, rows, cols, g.backColor());
            if (e.paintedRow() >= 1 && e.paintedRow() <= rows)
                g.setCellBackColor(e.paintedRow(), 0, e.paintedRow(), cols, kClickedRowColour);
        }
        renderToneBox();
    });
}

// The tone box shows while the editor has a tone cell open, exactly over that cell.
void ChannelWindow::renderToneBox() {
    const CellPos open = editor().openToneCell();
    if (open.col == 0) {
        // A box hidden with the focus in it passes the focus on through the grid, whose Tab
        // navigation would move the current cell: the grid takes it first.
        if (cboGridChCtdcs_->hasFocus()) vsfgGridCh_->setFocus();
        if (cboGridChCtdcs_->isVisible()) cboGridChCtdcs_->hide();
        return;
    }
    showingToneBox_ = true;
    vsfgGridCh_->select(open.row, open.col);
    cboGridChCtdcs_->setGeometry(vsfgGridCh_->cellGeometry());
    // The list opens at the tone the cell holds.
    const QString text = QString::fromStdString(editor().toneBoxText());
    if (!cboGridChCtdcs_->isVisible() || cboGridChCtdcs_->currentText() != text) {
        cboGridChCtdcs_->setCurrentIndex(cboGridChCtdcs_->findText(text, Qt::MatchExactly));
        cboGridChCtdcs_->setEditText(text);
    }
    QPalette p = cboGridChCtdcs_->palette();
    p.setColor(QPalette::Base, ColorFromBgr(kClickedRowColour));
    cboGridChCtdcs_->setPalette(p);
    showingToneBox_ = false;
    if (!cboGridChCtdcs_->isVisible()) {
        cboGridChCtdcs_->show();
        cboGridChCtdcs_->raise();
        cboGridChCtdcs_->setFocus(Qt::OtherFocusReason);
        cboGridChCtdcs_->lineEdit()->selectAll();
    }
}

void ChannelWindow::CommitToneEntry() {
    ctx_.guard("frmChMem->cboGridChCtdcs_LostFocus", [&] {
        if (editor().openToneCell().col == 0) return;
        editor().SetToneBoxText(cboGridChCtdcs_->currentText().toStdString());
        editor().LeaveToneBox();
        render();
    });
}

// The editor's current cell, once the grid's own editor has closed (selecting while it
// commits would commit it again).
void ChannelWindow::selectCurrentLater() {
    selectPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (!selectPending_) return;
        selectPending_ = false;
        const CellPos cur = editor().current();
        if (cur.row >= 1 && cur.row < vsfgGridCh_->rows() && cur.col >= 1 &&
            cur.col < vsfgGridCh_->cols())
            vsfgGridCh_->select(cur.row, cur.col);
    });
}

// --- Grid events --------------------------------------------------------------------------

void ChannelWindow::vsfgGridCh_BeforeEdit(int row, int col, bool* cancel) {
    const BeforeEditResult result = editor().BeforeEdit(row, col);
    renderToneBox();
    if (result.cancel) {
        *cancel = true;
        return;
    }
    vsfgGridCh_->setColComboList(col, QString::fromStdString(result.list));
    editRow_ = row;
    editCol_ = col;
    editStartText_ = vsfgGridCh_->text(row, col);
}

void ChannelWindow::vsfgGridCh_AfterEdit(int row, int col) {
    const QString text = vsfgGridCh_->text(row, col);
    const bool unchanged = row == editRow_ && col == editCol_ && text == editStartText_;
    editRow_ = editCol_ = 0;
    if (unchanged) return;
    editor().AfterEdit(row, col, text.toStdString(), vsfgGridCh_->comboIndex());
    render();
    selectCurrentLater();
}

void ChannelWindow::vsfgGridCh_Click() {
    const int r = vsfgGridCh_->mouseRow(), c = vsfgGridCh_->mouseCol();
    selectPending_ = false;
    // The row painting follows; the current cell takes the click colour.
    if (!editor().locked()) vsfgGridCh_->setBackColorSel(kCurrentCellColour);
    const bool editNow = editor().Click(r, c);
    render();
    const CellPos cur = editor().current();
    if (editor().openToneCell().col == 0 && cur.row >= 1 && cur.row < vsfgGridCh_->rows() &&
        cur.col >= 1 && cur.col < vsfgGridCh_->cols())
        vsfgGridCh_->select(cur.row, cur.col);
    if (editNow) {
        vsfgGridCh_->editCell();
        watchCellEditor();
    }
}

void ChannelWindow::vsfgGridCh_DblClick() {
    editor().DblClick(vsfgGridCh_->row(), vsfgGridCh_->col());
    render();
}

// The first click of a double-click opens an editor (or the tone box) over the cell, so the
// second lands on it: such a double-click is still the grid's when the grid has a use for it.
void ChannelWindow::watchCellEditor() {
    QWidget* cellEditor = vsfgGridCh_->indexWidget(vsfgGridCh_->currentIndex());
    if (!cellEditor) return;
    // An item picked from an option's list is stored at once.
    // (Enter commits by itself, queued; only a list still open after it is committed here.)
    if (auto* box = qobject_cast<QComboBox*>(cellEditor)) {
        QPointer<QComboBox> picked(box);
        connect(box, &QComboBox::activated, this, [this, picked] {
            QTimer::singleShot(0, this, [this, picked] {
                if (picked && vsfgGridCh_->indexWidget(vsfgGridCh_->currentIndex()) == picked)
                    vsfgGridCh_->commitEdit();
            });
        });
    }
    cellEditor->setProperty("tarvosCellEditor", true);
    cellEditor->installEventFilter(this);
    for (QWidget* child : cellEditor->findChildren<QWidget*>()) {
        child->setProperty("tarvosCellEditor", true);
        child->installEventFilter(this);
    }
}

bool ChannelWindow::editorDoubleClick(bool toneBox) {
    const int r = vsfgGridCh_->row(), c = vsfgGridCh_->col();
    if (!editor().DblClickActs(r, c)) return false;
    if (!toneBox) vsfgGridCh_->cancelEdit();
    editor().DblClick(r, c);
    render();
    vsfgGridCh_->setFocus();
    return true;
}

bool ChannelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblModel_ && event->type() == QEvent::MouseButtonDblClick) {
        emit lblModelDblClicked();
        return true;
    }
    if (watched == fraModel_) {
        modelFrameMouse(event);
        return QWidget::eventFilter(watched, event);
    }
    if (watched == lblModel_) return QWidget::eventFilter(watched, event);
    const bool toneBox = watched == cboGridChCtdcs_ || watched == cboGridChCtdcs_->lineEdit();
    if (event->type() == QEvent::MouseButtonDblClick &&
        (toneBox || watched->property("tarvosCellEditor").toBool()))
        return editorDoubleClick(toneBox);
    if (toneBox && event->type() == QEvent::FocusOut && !showingToneBox_) {
        // Opening its own list, or another application taking the desktop, is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            !cboGridChCtdcs_->view()->isVisible())
            CommitToneEntry();
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelWindow::modelFrameMouse(QEvent* event) {
    // A click on the frame itself, not on a control in it; the second click of a
    // double-click is no click of its own.
    if (event->type() == QEvent::MouseButtonDblClick) {
        frameDblClicked_ = true;
        return;
    }
    if (event->type() != QEvent::MouseButtonRelease) return;
    auto* e = static_cast<QMouseEvent*>(event);
    const bool second = frameDblClicked_;
    frameDblClicked_ = false;
    const QPoint at = e->position().toPoint();
    if (second || e->button() != Qt::LeftButton || !fraModel_->rect().contains(at) ||
        fraModel_->childAt(at))
        return;
    emit fraModelClicked();
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

// --- Channel commands and the lock --------------------------------------------------------

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

void ChannelWindow::LockFaceOperate(bool locked) {
    // A tone being entered is stored before the grid locks.
    if (locked) CommitToneEntry();
    editor().SetLocked(locked);
    vsfgGridCh_->setEditable(!locked);
    vsfgGridCh_->setBackColorSel(locked ? normalBack_ : normalSel_);
    vsfgGridCh_->setEnabled(!locked);
    for (int i = 0; i < 3; ++i) sysSetFrame(i)->setEnabled(!locked);
    render();
}

void ChannelWindow::cmdAutoInput_Click() {
    ctx_.guard("frmChMem->cmdAutoInput_Click", [&] {
        if (!frmAutoInput_) frmAutoInput_ = new AutoInputWindow(ctx_, doc_, this);
        ctx_.mainCloseBlocked = true;
        frmAutoInput_->show();
        frmAutoInput_->raise();
        frmAutoInput_->activateWindow();
    });
}

void ChannelWindow::SoftDisplay() {
    doc_.SoftDisplay();
}

// --- Model and band -----------------------------------------------------------------------

void ChannelWindow::ChInfoModel() {
    ctx_.guard("frmChMem->ChInfoModel", [&] {
        // Filled without its handler (the first entry added becomes the current one); the
        // model is then selected once.
        showingBand_ = true;
        cboModel_->clear();
        cboModel_->addItem(ctx_.ft(356));
        cboModel_->setCurrentIndex(0);
        showingBand_ = false;
        cboModel_Click();
        showingBand_ = true;
        cboFrequency_->clear();
        for (const BandEntry& b : kBandTable)
            cboFrequency_->addItem(QString::fromUtf8(b.text.data(), b.text.size()));
        cboFrequency_->addItem(ctx_.ft(373));
        cboFrequency_->setCurrentIndex(kStartBandIndex);
        showingBand_ = false;
        cboFrequency_Click();
    });
}

void ChannelWindow::cboModel_Click() {
    if (showingBand_) return;
    doc_.SelectModel(std::max(0, cboModel_->currentIndex()));
}

void ChannelWindow::cboFrequency_Click() {
    if (showingBand_) return;
    const int index = cboFrequency_->currentIndex();
    if (index < 0) return;
    if (index != kCustomBandIndex) {
        doc_.SelectBand(index);
        return;
    }
    CustomBandDialog dialog(ctx_, QString::fromStdString(doc_.customMinText()),
                            QString::fromStdString(doc_.customMaxText()), this);
    if (dialog.exec() == QDialog::Accepted)
        doc_.SelectBand(index, &dialog.result());
    else
        doc_.SelectBand(index);
}

void ChannelWindow::showModelAndBand() {
    // Set from the document: the selectors' handlers must not run.
    showingBand_ = true;
    cboModel_->setCurrentIndex(doc_.modelIndex() < cboModel_->count() ? doc_.modelIndex() : 0);
    if (cboFrequency_->count() > doc_.bandIndex()) cboFrequency_->setCurrentIndex(doc_.bandIndex());
    showingBand_ = false;
    setWindowTitle(QString::fromStdString(doc_.bandCaption()));
}

}  // namespace tarvos::ui

#include "memview/memdat_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "document/radio_document.h"
#include "memview/part_fill_dialog.h"
#include "widgets/centre_over.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr uint32_t kRed = Rgb(255, 0, 0);  // 255
constexpr uint32_t kBlack = 0;
constexpr int kRowTwips = 270;
constexpr int kLabelTwips = 620;
constexpr int kCellTwips = 420;

int RowOf(int address) {
    return address / 16 + 1;
}
int ColOf(int address) {
    return address % 16 + 1;
}
}  // namespace

MemDatWindow::MemDatWindow(WindowContext& ctx, RadioDocument& doc, int tableMaxAddr,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), doc_(doc), editor_(doc, tableMaxAddr) {
    setObjectName("frmMemDat");
    // Opens over the main window the first time, then where the user leaves it.
    CentreOnFirstShow(this);
    setWindowTitle("Memory Data");

    fraMemData_ = new QGroupBox("Memory Data", this);
    fraMemData_->setObjectName("fraMemData");
    vsfgGridMemDat_ = new GridControl(fraMemData_);
    vsfgGridMemDat_->setObjectName("vsfgGridMemDat");
    auto* frame = new QVBoxLayout(fraMemData_);
    frame->setContentsMargins(8, 8, 8, 8);
    frame->addWidget(vsfgGridMemDat_);

    cmdPartFill_ = new QPushButton("Part Fill", this);
    cmdPartFill_->setObjectName("cmdPartFill");
    cmdFillGrid_ = new QPushButton("Fill Gird", this);
    cmdFillGrid_->setObjectName("cmdFillGrid");
    cmdSetDefCol_ = new QPushButton("Set Def Color", this);
    cmdSetDefCol_->setObjectName("cmdSetDefCol");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPartFill_);
    buttons->addStretch();
    buttons->addWidget(cmdFillGrid_);
    buttons->addWidget(cmdSetDefCol_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(fraMemData_, 1);
    layout->addLayout(buttons);

    ctx_.guard("modMemDat->SetGridMemDat", [&] { SetGridMemDat(); });
    shown_.assign(static_cast<size_t>(editor_.view().rows()) * 16, Shown{});
    // Undo and Redo put the cells back with the bytes.
    observer_ = doc_.addObserver([this](DocumentChange what) {
        if (what == DocumentChange::Replaced) render();
    });

    // The grid takes typed bytes; the pointer tip is shown by this window (the item view
    // would ask its cells for one).
    vsfgGridMemDat_->setEditable(true);
    vsfgGridMemDat_->viewport()->installEventFilter(this);
    // The tip follows the pointer without a button held.
    vsfgGridMemDat_->viewport()->setMouseTracking(true);
    connect(vsfgGridMemDat_, &GridControl::afterEdit, this,
            [this](int row, int col) { vsfgGridMemDat_AfterEdit(row, col); });
    connect(vsfgGridMemDat_, &GridControl::gridMouseMove, this,
            [this] { vsfgGridMemDat_MouseMove(); });
    connect(cmdPartFill_, &QPushButton::clicked, this, [this] { cmdPartFill_Click(); });
    connect(cmdFillGrid_, &QPushButton::clicked, this, [this] { cmdFillGrid_Click(); });
    connect(cmdSetDefCol_, &QPushButton::clicked, this, [this] { cmdSetDefCol_Click(); });

    // Room for the label column, sixteen cells and the scroll bar, and about twenty rows.
    const int width = vsfgGridMemDat_->colWidthTwips(0) / 15 + 16 * TwipsToPixels(kCellTwips) +
                      vsfgGridMemDat_->verticalScrollBar()->sizeHint().width() + 44;
    resize(width, 520);
}

MemDatWindow::~MemDatWindow() {
    doc_.removeObserver(observer_);
}

void MemDatWindow::setTableMaxAddrSource(std::function<int()> source) {
    tableMaxAddrSource_ = std::move(source);
}

int MemDatWindow::tableMaxAddr() const {
    return tableMaxAddrSource_ ? tableMaxAddrSource_() : editor_.startTableMaxAddr();
}

void MemDatWindow::SetGridMemDat() {
    GridControl* g = vsfgGridMemDat_;
    g->setRows(1);
    g->setCols(1);
    g->setFormatString("Addr|0|1|2|3|4|5|6|7|8|9|A|B|C|D|E|F");
    g->setCols(17);
    // The font first, so the row heights are measured with it.
    g->setFontSize(10);
    for (int r = 1; r <= editor_.view().rows(); ++r) {
        g->addItem(QString::fromStdString(MemoryView::RowLabel(r)));
        g->setRowHeightTwips(r, kRowTwips);
    }
    for (int c = 0; c <= 16; ++c) g->setColAlignmentCenter(c);
    // The data cells in the grid's own background; the area outside them keeps its colour.
    if (g->rows() > 1) g->setCellBackColor(1, 1, g->rows() - 1, 16, g->backColor());
    // The label column as wide as given, or as its labels need in the font of this desktop.
    const int labelPixels = g->fontMetrics().horizontalAdvance("DDDDH") + 12;
    g->setColWidthTwips(0, std::max(kLabelTwips, labelPixels * 15));
    g->setRowHeightTwips(0, kRowTwips);
    for (int c = 1; c <= 16; ++c) g->setColWidthTwips(c, kCellTwips);
    if (g->rows() > 1) g->select(1, 1);
}

void MemDatWindow::render() {
    GridControl* g = vsfgGridMemDat_;
    const MemoryView& view = editor_.view();
    // The cells change silently and the grid is repainted once: a refresh that changes every
    // byte would otherwise queue a repaint of each cell on its own.
    const QSignalBlocker quiet(g->model());
    for (int a = 0; a < static_cast<int>(shown_.size()); ++a) {
        Shown& s = shown_[static_cast<size_t>(a)];
        const std::string& text = view.text(a);
        if (s.text != text) {
            g->setText(RowOf(a), ColOf(a), QString::fromStdString(text));
            s.text = text;
        }
        const bool red = view.red(a);
        if (s.red != red) {
            g->setForeColorAt(RowOf(a), ColOf(a), red ? kRed : kBlack);
            s.red = red;
        }
    }
    g->viewport()->update();
}

void MemDatWindow::TableFreDat() {
    editor_.TableFreDat(tableMaxAddr());
    renderRefresh();
}

void MemDatWindow::cmdFillGrid_Click() {
    editor_.FillGrid(tableMaxAddr());
    renderRefresh();
}

void MemDatWindow::renderRefresh() {
    render();
    // The cursor and the scroll end on the last byte that changed; moving them once, at the
    // end, keeps a refresh that changed every byte quick.
    const int last = editor_.view().cursor();
    if (last < 0) return;
    vsfgGridMemDat_->select(RowOf(last), ColOf(last));
    vsfgGridMemDat_->showRow(RowOf(last));
}

void MemDatWindow::cmdSetDefCol_Click() {
    editor_.SetDefColor();
    render();
}

void MemDatWindow::cmdPartFill_Click() {
    ctx_.guard("frmMemDat->cmdPartFill_Click", [&] {
        if (!frmPartFill_) {
            frmPartFill_ = new PartFillDialog(ctx_, editor_, editor_.startTableMaxAddr(), this);
            connect(frmPartFill_, &PartFillDialog::filled, this, [this] { render(); });
        }
        frmPartFill_->exec();
    });
}

void MemDatWindow::vsfgGridMemDat_AfterEdit(int row, int col) {
    ctx_.guard("frmMemDat->vsfgGridMemDat_AfterEdit", [&] {
        const int address = (row - 1) * 16 + (col - 1);
        editor_.AfterEdit(address, vsfgGridMemDat_->text(row, col).toStdString());
        render();
    });
}

void MemDatWindow::vsfgGridMemDat_MouseMove() {
    const bool ok = ctx_.guard("frmMemDat->vsfgGridMemDat_MouseMove", [&] {
        CellTipHint(vsfgGridMemDat_->mouseRow(), vsfgGridMemDat_->mouseCol());
    });
    if (!ok) vsfgGridMemDat_->setToolTip(QString());
}

void MemDatWindow::CellTipHint(int row, int col) {
    const bool ok = ctx_.guard("frmMemDat->CellTipHint", [&] {
        GridControl* g = vsfgGridMemDat_;
        if (row < 1 || col < 1 || row >= g->rows() || col >= g->cols()) return;
        // A cell being typed into keeps the cursor: moving it would end the edit.
        if (!g->indexWidget(g->currentIndex())) g->select(row, col);
        const std::string text = g->text(row, col).toStdString();
        if (text.empty()) return;  // the tip keeps its last text
        const int address = (row - 1) * 16 + (col - 1);
        g->setToolTip(QString::fromStdString(CellTipText(address, text, ctx_.log)));
    });
    if (!ok) vsfgGridMemDat_->setToolTip(QString());
}

bool MemDatWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == vsfgGridMemDat_->viewport() && event->type() == QEvent::ToolTip) {
        const QString tip = vsfgGridMemDat_->toolTip();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip,
                               vsfgGridMemDat_->viewport());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MemDatWindow::closeEvent(QCloseEvent* e) {
    // Until the user has confirmed leaving, the window is only hidden; it keeps its cells.
    bool hideOnly = true;
    ctx_.guard("frmMemDat->Form_QueryUnload", [&] { hideOnly = !ctx_.exitConfirmed; });
    if (hideOnly) {
        e->ignore();
        hide();
        return;
    }
    QWidget::closeEvent(e);
}

}  // namespace tarvos::ui

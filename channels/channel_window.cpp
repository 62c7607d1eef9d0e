#include "channels/channel_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "channels/auto_input_window.h"
#include "channels/channel_grid_keys.h"
#include "channels/channel_row_commands.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

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

}  // namespace tarvos::ui

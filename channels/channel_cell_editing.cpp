// The grid's cell editing wired to the channel editor: an edit begun and committed, a click,
// a double-click, and the cell editors watched for a double-click of their own.
#include <QComboBox>
#include <QPointer>
#include <QTimer>

#include "channels/channel_window.h"
#include "document/channel_editor.h"
#include "widgets/grid_control.h"

namespace tarvos::ui {

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

}  // namespace tarvos::ui

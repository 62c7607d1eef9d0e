#include "channels/channel_grid_keys.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "channels/channel_window.h"
#include "document/channel_editor.h"
#include "widgets/grid_control.h"

namespace tarvos::ui {

ChannelGridKeys::ChannelGridKeys(ChannelWindow& window) : QObject(&window), w_(window) {
    GridControl* grid = w_.grid();
    grid->setTabKeyNavigation(true);
    grid->installEventFilter(this);
    // The box takes the keys and hands them to its line; either may be sent them.
    w_.toneBox()->installEventFilter(this);
    w_.toneBox()->lineEdit()->installEventFilter(this);
    connect(grid, &GridControl::currentMovedByKey, this, [this] { paintCurrentRow(); });
    // After the grid's own handling of a closed editor (connected first).
    connect(grid->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) { editorClosed(hint); });
}

bool ChannelGridKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.grid()) return gridKey(event);
    if (watched == w_.toneBox() || watched == w_.toneBox()->lineEdit()) return toneBoxKey(event);
    return false;
}

bool ChannelGridKeys::gridKey(QEvent* event) {
    GridControl* grid = w_.grid();
    if (event->type() == QEvent::ContextMenu) {
        if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard)
            return false;
        openMenu();
        return true;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
        // The window system may have sent the Menu key's context menu event already.
        if (!w_.channelMenu()->isVisible()) openMenu();
        return true;
    }
    // Enter on a cell not being edited moves down; an editor's Enter ends the edit first
    // (editorClosed).
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier &&
        !grid->editing()) {
        moveTo(grid->row() + 1, grid->col());
        return true;
    }
    return false;
}

bool ChannelGridKeys::toneBoxKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        // The entry goes unstored; the box closes as after a double-click.
        w_.editor().DropToneBox();
        w_.render();
        w_.grid()->setFocus();
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // The tone stored as on leaving the box, then down to the next row.
        GridControl* grid = w_.grid();
        const int row = grid->row(), col = grid->col();
        w_.CommitToneEntry();
        grid->setFocus();
        moveTo(row + 1, col);
        return true;
    }
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        w_.CommitToneEntry();
        w_.grid()->setFocus();
        step(forward);
        return true;
    }
    return false;
}

void ChannelGridKeys::editorClosed(QAbstractItemDelegate::EndEditHint hint) {
    GridControl* grid = w_.grid();
    if (hint == QAbstractItemDelegate::SubmitModelCache) {
        // Enter: down from the cell edited, not to the cell the after-edit step points at.
        w_.selectPending_ = false;
        moveTo(grid->row() + 1, grid->col());
    } else if (hint == QAbstractItemDelegate::EditNextItem ||
               hint == QAbstractItemDelegate::EditPreviousItem) {
        // Tab: the grid has moved on and opened the next cell's editor where it may.
        w_.selectPending_ = false;
        paintCurrentRow();
        if (grid->editing()) w_.watchCellEditor();
    }
}

void ChannelGridKeys::openMenu() {
    GridControl* grid = w_.grid();
    if (grid->row() < 1 || grid->col() < 1) return;
    w_.OpenChannelMenu(grid->row(), grid->mapToGlobal(grid->cellGeometry().center()));
}

void ChannelGridKeys::moveTo(int row, int col) {
    GridControl* grid = w_.grid();
    if (row < 1 || row >= grid->rows() || col < 1 || col >= grid->cols()) return;
    grid->select(row, col);
    paintCurrentRow();
}

void ChannelGridKeys::paintCurrentRow() {
    const int row = w_.grid()->row();
    if (row < 1 || row == w_.editor().paintedRow() || w_.editor().locked()) return;
    w_.editor().SetPaintedRow(row);
    w_.render();
}

void ChannelGridKeys::step(bool forward) {
    GridControl* grid = w_.grid();
    const int cols = grid->cols() - 1, rows = grid->rows() - 1;
    int r = grid->row(), c = grid->col() + (forward ? 1 : -1);
    if (c > cols) {
        c = 1;
        ++r;
    } else if (c < 1) {
        c = cols;
        --r;
    }
    if (r >= 1 && r <= rows) moveTo(r, c);
}

}  // namespace tarvos::ui

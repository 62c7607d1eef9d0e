// The tone box laid over a tone cell of the grid: built, drawn from the editor, its entry stored.
#include <QComboBox>
#include <QLineEdit>

#include "channels/channel_window.h"
#include "document/channel_editor.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

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

}  // namespace tarvos::ui

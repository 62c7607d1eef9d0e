#include "functions/ui/ptt_id_pause_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/radio_document.h"
#include "functions/code_text.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

PttIdPauseDialog::PttIdPauseDialog(WindowContext& ctx, RadioDocument& document, QWidget* parent)
    : QDialog(parent), ctx_(ctx), doc_(document) {
    setObjectName("frmPttIdPauseChSet");
    setModal(true);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    for (int i = 0; i < 16; ++i) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QString("chkPttIdPauseChSet(%1)").arg(i));
        chkPttIdPauseChSet_[static_cast<size_t>(i)] = box;
        grid->addWidget(box, i / 4, i % 4);  // four rows of four channels
        connect(box, &QCheckBox::clicked, this, [this] { chkPttIdPauseChSet_Click(); });
    }
    // Two option buttons that may both be clear, so each is its own group.
    chkSelectAll_ = new QRadioButton(this);
    chkSelectAll_->setObjectName("chkSelectAll");
    chkSelectAll_->setAutoExclusive(false);
    chkSelectNone_ = new QRadioButton(this);
    chkSelectNone_->setObjectName("chkSelectNone");
    chkSelectNone_->setAutoExclusive(false);
    auto* cmdOk = new QPushButton(this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkSelectAll_);
    bottom->addWidget(chkSelectNone_);
    bottom->addStretch();
    bottom->addWidget(cmdOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    // An option button acts when it becomes selected; clicking a selected one changes nothing.
    connect(chkSelectAll_, &QRadioButton::clicked, this, [this] {
        chkSelectAll_->setChecked(true);
        chkSelectNone_->setChecked(false);
        selectAll(true);
    });
    connect(chkSelectNone_, &QRadioButton::clicked, this, [this] {
        chkSelectNone_->setChecked(true);
        chkSelectAll_->setChecked(false);
        selectAll(false);
    });
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    ctx_.guard("frmPttIdPauseChSet->Form_Load", [&] {
        setWindowTitle(ctx_.ft(387));
        for (int i = 0; i < 16; ++i)
            chkPttIdPauseChSet_[static_cast<size_t>(i)]->setText(ctx_.ft(388) + " " +
                                                                 QString::number(i + 1));
        chkSelectAll_->setText(ctx_.ft(367));
        chkSelectNone_->setText(ctx_.ft(368));
        cmdOk->setText(ctx_.ft(389));
        setFont(ctx_.uiFont);
        pauseSetBusy_ = true;
        for (int n = 1; n <= 16; ++n)
            chkPttIdPauseChSet_[static_cast<size_t>(n - 1)]->setChecked(
                PttIdPause(doc_.image(), n));
        pauseSetBusy_ = false;
    });
}

void PttIdPauseDialog::writeFlags() {
    uint16_t flags = 0;
    for (int i = 0; i < 16; ++i)
        if (chkPttIdPauseChSet_[static_cast<size_t>(i)]->isChecked())
            flags = static_cast<uint16_t>(flags | (1u << i));
    doc_.Edit(DocumentChange::Functions, [&] { SetPttIdPauseFlags(doc_.image(), flags); });
}

void PttIdPauseDialog::chkPttIdPauseChSet_Click() {
    if (pauseSetBusy_) return;
    ctx_.guard("frmPttIdPauseChSet->chkPttIdPauseChSet_Click", [&] {
        writeFlags();
        bool anyChecked = false, anyClear = false;
        for (QCheckBox* box : chkPttIdPauseChSet_)
            (box->isChecked() ? anyChecked : anyClear) = true;
        if (anyChecked) chkSelectNone_->setChecked(false);
        if (anyClear) chkSelectAll_->setChecked(false);
    });
}

void PttIdPauseDialog::selectAll(bool pause) {
    ctx_.guard(pause ? "frmPttIdPauseChSet->chkSelectAll_Click"
                     : "frmPttIdPauseChSet->chkSelectNone_Click",
               [&] {
                   pauseSetBusy_ = true;
                   struct Clear {
                       bool& busy;
                       ~Clear() { busy = false; }
                   } clear{pauseSetBusy_};
                   for (QCheckBox* box : chkPttIdPauseChSet_) box->setChecked(pause);
                   writeFlags();
               });
}

}  // namespace tarvos::ui

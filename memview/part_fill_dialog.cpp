#include "memview/part_fill_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "document/memory_editor.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

PartFillDialog::PartFillDialog(WindowContext& ctx, MemoryEditor& editor, int startTableMaxAddr,
                               QWidget* parent)
    : QDialog(parent), ctx_(ctx), editor_(editor) {
    setObjectName("frmPartFill");
    setWindowTitle("Part Fill");
    setModal(true);
    const FillRequest start = StartFillRequest(startTableMaxAddr);

    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(name);
        return w;
    };
    lblFillData_ = new QLabel("Fill Data", this);
    named(lblFillData_, "lblFillData");
    txtFillData_ = new QLineEdit(QString::fromStdString(start.value), this);
    named(txtFillData_, "txtFillData");
    cboFillData_ = new QComboBox(this);
    named(cboFillData_, "cboFillData");
    cboFillData_->addItems({"H", "D", "B"});
    cboFillData_->setCurrentIndex(0);
    lblStartAddr_ = new QLabel("Start Addr", this);
    named(lblStartAddr_, "lblStartAddr");
    txtStartAddr_ = new QLineEdit(QString::fromStdString(start.start), this);
    named(txtStartAddr_, "txtStartAddr");
    lblSaH_ = new QLabel("H", this);
    named(lblSaH_, "lblSaH");
    lblEndAddr_ = new QLabel("End Addr", this);
    named(lblEndAddr_, "lblEndAddr");
    txtEndAddr_ = new QLineEdit(QString::fromStdString(start.end), this);
    named(txtEndAddr_, "txtEndAddr");
    lblEaH_ = new QLabel("H", this);
    named(lblEaH_, "lblEaH");
    cmdFillData_ = new QPushButton("Fill", this);
    named(cmdFillData_, "cmdFillData");
    cmdFillData_->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(lblFillData_, 0, 0);
    grid->addWidget(txtFillData_, 0, 1);
    grid->addWidget(cboFillData_, 0, 2);
    grid->addWidget(lblStartAddr_, 1, 0);
    grid->addWidget(txtStartAddr_, 1, 1);
    grid->addWidget(lblSaH_, 1, 2);
    grid->addWidget(lblEndAddr_, 2, 0);
    grid->addWidget(txtEndAddr_, 2, 1);
    grid->addWidget(lblEaH_, 2, 2);
    grid->addWidget(cmdFillData_, 3, 1, 1, 2, Qt::AlignRight);
    txtFillData_->setMinimumWidth(90);
    setFixedSize(sizeHint());

    connect(cmdFillData_, &QPushButton::clicked, this, [this] { cmdFillData_Click(); });
}

std::optional<FillRequest> PartFillDialog::request() const {
    static const FillBase kBases[] = {FillBase::Hex, FillBase::Decimal, FillBase::Binary};
    const int base = cboFillData_->currentIndex();
    if (base < 0 || base > 2) return std::nullopt;
    return FillRequest{kBases[base], txtFillData_->text().toStdString(),
                       txtStartAddr_->text().toStdString(), txtEndAddr_->text().toStdString()};
}

void PartFillDialog::cmdFillData_Click() {
    const std::optional<FillRequest> r = request();
    if (!r) return;
    ctx_.guard("frmPartFill->cmdFillData_Click", [&] { editor_.PartFill(*r); });
    emit filled();
}

void PartFillDialog::closeEvent(QCloseEvent* e) {
    // Until the user has confirmed leaving, the dialog is only hidden, with its boxes as
    // they are.
    bool hideOnly = true;
    ctx_.guard("frmPartFill->Form_QueryUnload", [&] { hideOnly = !ctx_.exitConfirmed; });
    if (hideOnly) {
        e->ignore();
        hide();
        return;
    }
    QDialog::closeEvent(e);
}

}  // namespace tarvos::ui

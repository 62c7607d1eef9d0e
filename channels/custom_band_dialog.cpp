#include "channels/custom_band_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/window_context.h"

namespace tarvos::ui {

CustomBandDialog::CustomBandDialog(WindowContext& ctx, const QString& minText,
                                   const QString& maxText, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName("frmCustomFre");
    setModal(true);
    auto* lblFreMin = new QLabel(this);
    lblFreMin->setObjectName("lblFreMin");
    auto* lblFreMax = new QLabel(this);
    lblFreMax->setObjectName("lblFreMax");
    txtFreMin_ = new QLineEdit(this);
    txtFreMin_->setObjectName("txtFreMin");
    txtFreMax_ = new QLineEdit(this);
    txtFreMax_->setObjectName("txtFreMax");
    auto* ok = new QPushButton(this);
    ok->setObjectName("cmdOk");
    ok->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("cmdCancel");

    auto* grid = new QGridLayout;
    grid->addWidget(lblFreMin, 0, 0);
    grid->addWidget(txtFreMin_, 0, 1);
    grid->addWidget(lblFreMax, 1, 0);
    grid->addWidget(txtFreMax_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ctx_.guard("frmCustomFre->Form_Load", [&] { InitFace(minText, maxText); });
}

void CustomBandDialog::InitFace(const QString& minText, const QString& maxText) {
    ctx_.guard("frmCustomFre->InitFace", [&] {
        setWindowTitle(ctx_.ft(374));
        findChild<QLabel*>("lblFreMin")->setText(ctx_.ft(375));
        findChild<QLabel*>("lblFreMax")->setText(ctx_.ft(376));
        findChild<QPushButton*>("cmdOk")->setText(ctx_.ft(377));
        findChild<QPushButton*>("cmdCancel")->setText(ctx_.ft(378));
        txtFreMin_->setText(minText);
        txtFreMax_->setText(maxText);
        setFont(ctx_.uiFont);
    });
}

void CustomBandDialog::cmdOk_Click() {
    result_ = CheckCustomBand(txtFreMin_->text().toStdString(), txtFreMax_->text().toStdString());
    txtFreMin_->setText(QString::fromStdString(result_.minText));
    txtFreMax_->setText(QString::fromStdString(result_.maxText));
    accept();
}

}  // namespace tarvos::ui

#include "channels/custom_band_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "memory/band.h"
#include "shell/ui/app_context.h"

namespace tarvos::ui {

QString CustomBandDialog::mstrFreMin = "120";
QString CustomBandDialog::mstrFreMax = "520";

CustomBandDialog::CustomBandDialog(AppContext& app, QWidget* parent) : QDialog(parent), app_(app) {
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
    app_.guard("frmCustomFre->Form_Load", [&] { InitFace(); });
}

void CustomBandDialog::InitFace() {
    app_.guard("frmCustomFre->InitFace", [&] {
        setWindowTitle(app_.ft(374));
        findChild<QLabel*>("lblFreMin")->setText(app_.ft(375));
        findChild<QLabel*>("lblFreMax")->setText(app_.ft(376));
        findChild<QPushButton*>("cmdOk")->setText(app_.ft(377));
        findChild<QPushButton*>("cmdCancel")->setText(app_.ft(378));
        txtFreMin_->setText(mstrFreMin);
        txtFreMax_->setText(mstrFreMax);
        setFont(app_.uiFont);
    });
}

void CustomBandDialog::cmdOk_Click() {
    if (onAccept) onAccept();
    const CustomBand band =
        CheckCustomBand(txtFreMin_->text().toStdString(), txtFreMax_->text().toStdString());
    app_.bandLow = band.low;
    app_.bandHigh = band.high;
    mstrFreMin = QString::fromStdString(band.minText);
    mstrFreMax = QString::fromStdString(band.maxText);
    txtFreMin_->setText(mstrFreMin);
    txtFreMax_->setText(mstrFreMax);
    accept();
}

}  // namespace tarvos::ui

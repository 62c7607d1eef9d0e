#include "functions/ui/volume_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "document/radio_document.h"
#include "functions/volume.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

VolumeDialog::VolumeDialog(WindowContext& ctx, RadioDocument& document, QWidget* parent)
    : QDialog(parent), ctx_(ctx), doc_(document) {
    setObjectName("frmSetVolume");
    setModal(true);
    QStringList codes;
    for (int i = 0; i <= 255; ++i) codes << QString::number(i);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    for (int i = 1; i <= 10; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("lblVolumeLevel(%1)").arg(i));
        auto* box = new QComboBox(this);
        box->setObjectName(QString("cboVolumeDat(%1)").arg(i));
        box->addItems(codes);
        box->setMaxVisibleItems(16);
        cboVolumeDat_[static_cast<size_t>(i - 1)] = box;
        // Two columns of five levels.
        const int row = (i - 1) % 5, col = (i - 1) / 5 * 2;
        grid->addWidget(label, row, col);
        grid->addWidget(box, row, col + 1);
        connect(box, &QComboBox::activated, this, [this, i](int p) { cboVolumeDat_Click(i, p); });
    }
    chkVolMode_ = new QCheckBox(this);
    chkVolMode_->setObjectName("chkVolMode");
    chkVolumeIic_ = new QCheckBox(this);
    chkVolumeIic_->setObjectName("chkVolumeIic");
    auto* cmdDefault = new QPushButton(this);
    cmdDefault->setObjectName("cmdDefault");
    auto* cmdOk = new QPushButton(this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setDefault(true);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(chkVolumeIic_);
    boxes->addSpacing(16);
    boxes->addWidget(chkVolMode_);
    boxes->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDefault);
    buttons->addWidget(cmdOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(boxes);
    layout->addLayout(buttons);

    connect(chkVolMode_, &QCheckBox::clicked, this, [this](bool on) { chkVolMode_Click(on); });
    connect(chkVolumeIic_, &QCheckBox::clicked, this, [this](bool on) { chkVolumeIic_Click(on); });
    connect(cmdDefault, &QPushButton::clicked, this, [this] { cmdDefault_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    ctx_.guard("frmSetVolume->Form_Load", [&] {
        // A stored mode other than 0 or 1 is sequence mode.
        ctx_.volumeMode = NormalizeVolumeMode(ctx_.volumeMode);
        chkVolMode_->setChecked(ctx_.volumeMode == kVolumeModeDirect);
        InitFace();
        // Showing the image writes nothing: each list shows an entry whose code is the
        // stored one, and the box shows what 0x01AB says.
        showLevels();
        chkVolumeIic_->setChecked(VolumeUseTable(doc_.image()));
    });
}

void VolumeDialog::InitFace() {
    setWindowTitle(ctx_.ft(334));
    for (int i = 1; i <= 10; ++i)
        findChild<QLabel*>(QString("lblVolumeLevel(%1)").arg(i))
            ->setText(QString::fromStdString(VolumeLevelCaption(ctx_.faceText, i)));
    chkVolMode_->setText(ctx_.ft(454));
    chkVolumeIic_->setText(ctx_.ft(338));
    findChild<QPushButton*>("cmdDefault")->setText(ctx_.ft(337));
    findChild<QPushButton*>("cmdOk")->setText(ctx_.ft(339));
    setFont(ctx_.uiFont);
}

void VolumeDialog::showLevels() {
    const auto shown = SeqVolumeDatToSeq(doc_.image(), ctx_.volumeMode);
    for (size_t i = 0; i < shown.size(); ++i) {
        const QSignalBlocker block(cboVolumeDat_[i]);
        cboVolumeDat_[i]->setCurrentIndex(shown[i]);
    }
}

void VolumeDialog::cboVolumeDat_Click(int level, int p) {
    ctx_.guard("frmSetVolume->cboVolumeDat_Click", [&] {
        doc_.Edit(DocumentChange::Functions,
                  [&] { PickVolumeLevel(doc_.image(), ctx_.volumeMode, level, p); });
    });
}

void VolumeDialog::chkVolMode_Click(bool checked) {
    ctx_.guard("frmSetVolume->chkVolMode_Click", [&] {
        ctx_.volumeMode = checked ? kVolumeModeDirect : kVolumeModeSequence;
        ctx_.writeSetting("VolumeMode", QString::number(ctx_.volumeMode));
    });
}

void VolumeDialog::chkVolumeIic_Click(bool checked) {
    ctx_.guard("frmSetVolume->chkVolumeIic_Click", [&] {
        doc_.Edit(DocumentChange::Functions, [&] { SetVolumeUseTable(doc_.image(), checked); });
    });
}

void VolumeDialog::cmdDefault_Click() {
    ctx_.guard("frmSetVolume->cmdDefault_Click", [&] {
        doc_.Edit(DocumentChange::Functions, [&] { VolumeDefault(doc_.image(), ctx_.volumeMode); });
        showLevels();
        chkVolumeIic_->setChecked(true);
    });
}

}  // namespace tarvos::ui

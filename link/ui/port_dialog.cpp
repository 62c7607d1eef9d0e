#include "link/ui/port_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "link/port_layer.h"
#include "link/qt/port_map.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

PortDialog::PortDialog(WindowContext& ctx, link::PortLayer& ports, const link::PortMap* map,
                       QWidget* parent, link::SystemRoots roots)
    : QDialog(parent), ctx_(ctx), ports_(ports), map_(map), roots_(std::move(roots)) {
    setObjectName("frmToolCom");
    setModal(true);
    auto* fraToolCom = new QGroupBox(this);
    fraToolCom->setObjectName("fraToolCom");
    auto* grid = new QGridLayout(fraToolCom);
    grid->setHorizontalSpacing(18);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 16; ++i) {
        auto* b = new QRadioButton(QString("COM%1").arg(i + 1), fraToolCom);
        b->setObjectName(QString("COM1(%1)").arg(i));
        group->addButton(b, i + 1);
        COM1_[static_cast<size_t>(i)] = b;
        grid->addWidget(b, i % 8, i / 8);
    }
    lblToolCom_ = new QLabel(this);
    lblToolCom_->setObjectName("lblToolCom");
    lblPortHint_ = new QLabel(this);
    lblPortHint_->setObjectName("lblPortHint");
    lblPortHint_->setWordWrap(true);
    lblPortHint_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblPortHint_->setMaximumWidth(520);
    lblPortHint_->hide();
    auto* ok = new QPushButton(this);
    ok->setObjectName("cmdOk");
    ok->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("cmdCancel");
    connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblToolCom_);
    layout->addWidget(fraToolCom);
    layout->addWidget(lblPortHint_);
    layout->addLayout(buttons);

    ctx_.guard("frmToolCom->Form_Load", [&] {
        InitFace();
        EnableCOM();
        ShowPortHints();
        rememberedPort_ = ports_.ComPort();
        if (ports_.ComPort() >= 1 && ports_.ComPort() <= 16)
            button(ports_.ComPort())->setChecked(true);
    });
}

void PortDialog::InitFace() {
    setWindowTitle(ctx_.ft(60));
    findChild<QGroupBox*>("fraToolCom")->setTitle(ctx_.ft(61));
    lblToolCom_->setText(ctx_.ft(62));
    findChild<QPushButton*>("cmdOk")->setText(ctx_.ft(63));
    findChild<QPushButton*>("cmdCancel")->setText(ctx_.ft(64));
    setFont(ctx_.uiFont);
}

void PortDialog::EnableCOM() {
    for (int port = 1; port <= 16; ++port) VerdictCom(port);
}

void PortDialog::VerdictCom(int port) {
    QRadioButton* b = button(port);
    const std::string device = map_ ? map_->device(port) : std::string();
    // Each button names the device its number stands for.
    QString caption = QString("COM%1").arg(port);
    if (!device.empty()) {
        QString shown = QString::fromStdString(device);
        if (shown.startsWith("/dev/")) shown = shown.mid(5);
        caption += "  (" + shown + ")";
    }
    b->setText(caption);
    b->setToolTip(QString::fromStdString(device));
    bool usable = false;
    ctx_.guard("frmToolCom->VerdictCom", [&] {
        ports_.VerdictCom(port);
        usable = ports_.PortState(port) == link::PortStatus::Opened;
    });
    if (!usable) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
        b->setEnabled(false);
        const std::string reason = ports_.PortReason(port);
        if (!reason.empty()) b->setToolTip(QString::fromStdString(reason));
    } else {
        b->setEnabled(true);
        b->setChecked(true);
    }
}

void PortDialog::ShowPortHints() {
    // Numbers without a device are no news; a device that would not open is.
    QStringList lines;
    for (int port = 1; port <= 16; ++port) {
        if (ports_.PortState(port) != link::PortStatus::Failed) continue;
        if (!map_ || map_->device(port).empty()) continue;
        const QString reason = QString::fromStdString(ports_.PortReason(port));
        if (!reason.isEmpty() && !lines.contains(reason)) lines << reason;
    }
    const QString adapter =
        QString::fromStdString(link::PortlessAdapterHint(ctx_.language, roots_));
    if (!adapter.isEmpty() && !lines.join("\n").contains(adapter)) lines << adapter;
    lblPortHint_->setText(lines.join("\n"));
    lblPortHint_->setVisible(!lines.isEmpty());
}

void PortDialog::cmdOK_Click() {
    ctx_.guard("frmToolCom->cmdOK_Click", [&] {
        for (int port = 1; port <= 16; ++port)
            if (button(port)->isChecked()) {
                ports_.setComPort(port);
                break;
            }
        rememberedPort_ = ports_.ComPort();
        ctx_.comPort = ports_.ComPort();
        ctx_.writeSetting("COM", QString::number(ports_.ComPort()));
    });
    accept();
}

void PortDialog::cmdCancel_Click() {
    ctx_.guard("frmToolCom->cmdCancel_Click", [&] {
        ports_.setComPort(rememberedPort_);
        ctx_.comPort = rememberedPort_;
    });
    reject();
}

}  // namespace tarvos::ui

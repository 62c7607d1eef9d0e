// The model frame beside the grid: the model and band selectors, the custom band, and the
// frame's own click.
#include <QComboBox>
#include <QGroupBox>
#include <QMouseEvent>

#include "channels/channel_window.h"
#include "channels/custom_band_dialog.h"
#include "document/radio_document.h"
#include "memory/band.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

void ChannelWindow::ChInfoModel() {
    ctx_.guard("frmChMem->ChInfoModel", [&] {
        // Filled without its handler (the first entry added becomes the current one); the
        // model is then selected once.
        showingBand_ = true;
        cboModel_->clear();
        cboModel_->addItem(ctx_.ft(356));
        cboModel_->setCurrentIndex(0);
        showingBand_ = false;
        cboModel_Click();
        showingBand_ = true;
        cboFrequency_->clear();
        for (const BandEntry& b : kBandTable)
            cboFrequency_->addItem(QString::fromUtf8(b.text.data(), b.text.size()));
        cboFrequency_->addItem(ctx_.ft(373));
        cboFrequency_->setCurrentIndex(kStartBandIndex);
        showingBand_ = false;
        cboFrequency_Click();
    });
}

void ChannelWindow::cboModel_Click() {
    if (showingBand_) return;
    doc_.SelectModel(std::max(0, cboModel_->currentIndex()));
}

void ChannelWindow::cboFrequency_Click() {
    if (showingBand_) return;
    const int index = cboFrequency_->currentIndex();
    if (index < 0) return;
    if (index != kCustomBandIndex) {
        doc_.SelectBand(index);
        return;
    }
    CustomBandDialog dialog(ctx_, QString::fromStdString(doc_.customMinText()),
                            QString::fromStdString(doc_.customMaxText()), this);
    if (dialog.exec() == QDialog::Accepted)
        doc_.SelectBand(index, &dialog.result());
    else
        doc_.SelectBand(index);
}

void ChannelWindow::showModelAndBand() {
    // Set from the document: the selectors' handlers must not run.
    showingBand_ = true;
    cboModel_->setCurrentIndex(doc_.modelIndex() < cboModel_->count() ? doc_.modelIndex() : 0);
    if (cboFrequency_->count() > doc_.bandIndex()) cboFrequency_->setCurrentIndex(doc_.bandIndex());
    showingBand_ = false;
    setWindowTitle(QString::fromStdString(doc_.bandCaption()));
}

void ChannelWindow::modelFrameMouse(QEvent* event) {
    // A click on the frame itself, not on a control in it; the second click of a
    // double-click is no click of its own.
    if (event->type() == QEvent::MouseButtonDblClick) {
        frameDblClicked_ = true;
        return;
    }
    if (event->type() != QEvent::MouseButtonRelease) return;
    auto* e = static_cast<QMouseEvent*>(event);
    const bool second = frameDblClicked_;
    frameDblClicked_ = false;
    const QPoint at = e->position().toPoint();
    if (second || e->button() != Qt::LeftButton || !fraModel_->rect().contains(at) ||
        fraModel_->childAt(at))
        return;
    emit fraModelClicked();
}

}  // namespace tarvos::ui

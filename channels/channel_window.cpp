#include "channels/channel_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "channels/custom_band_dialog.h"
#include "memory/band.h"
#include "memory/data_file.h"
#include "memory/identification.h"
#include "shell/ui/app_context.h"
#include "shell/ui/app_services.h"
#include "shell/ui/grid_control.h"

namespace tarvos::ui {

namespace {
constexpr uint32_t kOutsideCells = Rgb(247, 247, 247);
}

ChannelWindow::ChannelWindow(AppContext& app, AppServices& services, QWidget* parent)
    : QWidget(parent), app_(app), services_(services) {
    setObjectName("frmChMem");
    BuildPages();
}

void ChannelWindow::BuildPages() {
    sstabSetMode_ = new QTabWidget(this);
    sstabSetMode_->setObjectName("sstabSetMode");

    // Page 0: the channel grid and the model frame.
    auto* fraSysSet0 = new QWidget;
    fraSysSet0->setObjectName("fraSysSet0");
    fraMain_ = new QGroupBox(fraSysSet0);
    fraMain_->setObjectName("fraMain");
    vsfgGridCh_ = new GridControl(fraMain_);
    vsfgGridCh_->setObjectName("vsfgGridCh");
    auto* mainLayout = new QVBoxLayout(fraMain_);
    mainLayout->setContentsMargins(8, 8, 8, 8);
    mainLayout->addWidget(vsfgGridCh_);

    fraModel_ = new QGroupBox(fraSysSet0);
    fraModel_->setObjectName("fraModel");
    lblModel_ = new QLabel(fraModel_);
    lblModel_->setObjectName("lblModel");
    cboModel_ = new QComboBox(fraModel_);
    cboModel_->setObjectName("cboModel");
    lblFrequency_ = new QLabel(fraModel_);
    lblFrequency_->setObjectName("lblFrequency");
    cboFrequency_ = new QComboBox(fraModel_);
    cboFrequency_->setObjectName("cboFrequency");
    cmdDelAllCh_ = new QPushButton(fraModel_);
    cmdDelAllCh_->setObjectName("cmdDelAllCh");
    cmdDefSet_ = new QPushButton(fraModel_);
    cmdDefSet_->setObjectName("cmdDefSet");
    cmdAutoInput_ = new QPushButton(fraModel_);
    cmdAutoInput_->setObjectName("cmdAutoInput");
    // Deleting channels and automatic input arrive with the channel commands.
    cmdDelAllCh_->setEnabled(false);
    cmdAutoInput_->setEnabled(false);
    auto* modelLayout = new QVBoxLayout(fraModel_);
    modelLayout->setContentsMargins(10, 12, 10, 10);
    modelLayout->addWidget(lblModel_);
    modelLayout->addWidget(cboModel_);
    modelLayout->addSpacing(6);
    modelLayout->addWidget(lblFrequency_);
    modelLayout->addWidget(cboFrequency_);
    modelLayout->addSpacing(14);
    modelLayout->addWidget(cmdDelAllCh_);
    modelLayout->addWidget(cmdDefSet_);
    modelLayout->addWidget(cmdAutoInput_);
    modelLayout->addStretch();
    fraModel_->setFixedWidth(200);

    auto* page0 = new QHBoxLayout(fraSysSet0);
    page0->setContentsMargins(8, 8, 8, 8);
    page0->setSpacing(10);
    page0->addWidget(fraMain_, 1);
    page0->addWidget(fraModel_);

    // Page 1: the function frame the function pages fill.
    auto* fraSysSet1 = new QWidget;
    fraSysSet1->setObjectName("fraSysSet1");
    fraOptionSet_ = new QGroupBox(fraSysSet1);
    fraOptionSet_->setObjectName("fraOptionSet");
    auto* page1 = new QVBoxLayout(fraSysSet1);
    page1->setContentsMargins(8, 8, 8, 8);
    page1->addWidget(fraOptionSet_);
    page1->addStretch();

    sstabSetMode_->addTab(fraSysSet0, QString());
    sstabSetMode_->addTab(fraSysSet1, QString());

    // The second tab control stays hidden until the code dialog reveals it.
    sstabMoreFunc_ = new QTabWidget(this);
    sstabMoreFunc_->setObjectName("sstabMoreFunc");
    for (const char* caption : {"未分类", "DTMF", "两音", "Tab 3"})
        sstabMoreFunc_->addTab(new QWidget, QString::fromUtf8(caption));
    sstabMoreFunc_->hide();

    cmdMoreFunc_ = new QPushButton(">", this);
    cmdMoreFunc_->setObjectName("cmdMoreFunc");
    cmdMoreFunc_->setFixedWidth(28);
    cmdMoreFunc_->setFlat(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(sstabSetMode_, 1);
    layout->addWidget(sstabMoreFunc_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdMoreFunc_);
    layout->addLayout(bottom);

    connect(cboModel_, &QComboBox::currentIndexChanged, this, [this] { cboModel_Click(); });
    connect(cboFrequency_, &QComboBox::activated, this, [this] { cboFrequency_Click(); });
    connect(cmdDefSet_, &QPushButton::clicked, this, [this] { emit restoreDefaultsRequested(); });
}

void ChannelWindow::closeEvent(QCloseEvent* e) {
    // The channel window stays until the user has confirmed leaving the application.
    if (app_.exitConfirmed)
        e->accept();
    else
        e->ignore();
}

void ChannelWindow::InitChMem() {
    app_.guard("frmChMem->InitChMem", [&] {
        ChInfoInitFace();
        app_.toneList = ToneList(app_.language);
        app_.layout = ReadChInfo(app_.settings, app_.language, app_.log);
        SetChGrid();
        InitChTable();
        normalBack_ = vsfgGridCh_->backColor();
        normalSel_ = vsfgGridCh_->backColorSel();
        ChInfoModel();
    });
}

void ChannelWindow::ChInfoInitFace() {
    app_.guard("frmChMem->ChInfoInitFace", [&] {
        setWindowTitle(app_.ft(382));
        fraMain_->setTitle(app_.ft(382));
        vsfgGridCh_->setBackColorBkg(kOutsideCells);
        sstabSetMode_->setTabText(0, app_.ft(200));
        sstabSetMode_->setTabText(1, app_.ft(450));
        fraModel_->setTitle(app_.ft(200));
        fraOptionSet_->setTitle(app_.ft(453));
        lblModel_->setText(app_.ft(371));
        lblFrequency_->setText(app_.ft(372));
        cmdDelAllCh_->setText(app_.ft(112));
        cmdDefSet_->setText(app_.ft(400));
        cmdAutoInput_->setText(app_.ft(445));
    });
}

void ChannelWindow::SetChGrid() {
    app_.guard("modChMem->SetChGrid", [&] {
        const ChannelLayout& L = app_.layout;
        GridControl& g = *vsfgGridCh_;
        g.setRows(1);
        g.setCols(1);
        g.setFormatString(QString::fromStdString(L.header));
        g.setCols(L.columnCount + 1);
        g.setRowHeightTwips(0, L.rowHeight);
        for (int r = 1; r <= L.channelCount; ++r) {
            g.addItem(QString::number(r));
            g.setRowHeightTwips(r, L.rowHeight);
        }
        for (int c = 0; c <= L.columnCount; ++c) {
            g.setColAlignmentCenter(c);
            g.setColWidthTwips(c, L.widths[static_cast<size_t>(c)]);
        }
        for (int c = 1; c <= L.columnCount; ++c) {
            const std::string key = L.key(c);
            if (key == "RxFre" || key == "TxFre") {
                g.setColDataType(c, GridControl::ValueType::Decimal);
                g.setColEditMask(c, "###.#####");
            } else if (key == "OFFSET") {
                g.setColDataType(c, GridControl::ValueType::Decimal);
                g.setColEditMask(c, "#0.00000");
            } else if (key == "CHNAME") {
                g.setColEditMask(c, "00000");
            }
        }
        if (L.channelCount >= 1 && L.columnCount >= 1) g.select(1, 1);
        g.setFontSize(10);
    });
}

void ChannelWindow::InitChTable() {
    for (int ch = 1; ch <= app_.layout.channelCount; ++ch) DelOneChannel(ch);
    homeCell();
}

// After a redraw the grid shows its first cell, not the last one drawn.
void ChannelWindow::homeCell() {
    if (app_.layout.channelCount < 1 || app_.layout.columnCount < 1) return;
    vsfgGridCh_->select(1, 1);
    vsfgGridCh_->scrollToTop();
    vsfgGridCh_->horizontalScrollBar()->setValue(0);
}

void ChannelWindow::DelOneChannel(int ch) {
    app_.guard("modChMem->DelOneChannel", [&] {
        app_.codec.DelOneChannel(ch);
        for (int c = 1; c <= app_.layout.columnCount; ++c) {
            vsfgGridCh_->select(ch, c);
            vsfgGridCh_->setText(ch, c, QString());
            vsfgGridCh_->setCellForeColor(app_.defColor);
        }
    });
}

QString ChannelWindow::FrequencyText(int32_t tenHz) {
    QString s = QString::number(tenHz / 100000.0, 'f', 5);
    if (s.contains('.')) {
        while (s.endsWith('0')) s.chop(1);
        if (s.endsWith('.')) s.chop(1);
    }
    return s;
}

void ChannelWindow::ShowChTblGrid() {
    app_.guard("modChMem->ShowChTblGrid", [&] {
        app_.codec.IicDatToChInfo();
        for (int ch = 1; ch <= app_.layout.channelCount; ++ch) {
            if (app_.chInfo.empty(ch)) {
                for (int c = 1; c <= app_.layout.columnCount; ++c)
                    vsfgGridCh_->setText(ch, c, QString());
                continue;
            }
            ChParaShow(ch);
            RxFreShow(ch);
            TxFreShow(ch);
            CtdcsDecShow(ch);
            CtdcsEncShow(ch);
        }
        homeCell();
    });
}

void ChannelWindow::RxFreShow(int ch) {
    app_.guard("modChMem->RxFreShow", [&] {
        if (app_.layout.columnCount < 1) return;
        const int32_t rx = app_.chInfo(ch, 1);
        vsfgGridCh_->setText(ch, 1, FrequencyText(rx));
        vsfgGridCh_->select(ch, 1);
        const bool outside = rx < app_.bandLow || rx > app_.bandHigh;
        vsfgGridCh_->setCellForeColor(outside ? app_.overColor : app_.defColor);
    });
}

void ChannelWindow::TxFreShow(int ch) {
    app_.guard("modChMem->TxFreShow", [&] {
        if (app_.layout.columnCount < 2) return;
        const int32_t tx = app_.chInfo(ch, 2);
        vsfgGridCh_->select(ch, 2);
        if (tx == -1) {
            vsfgGridCh_->setText(ch, 2, QString());
            vsfgGridCh_->setCellForeColor(app_.defColor);
            return;
        }
        vsfgGridCh_->setText(ch, 2, FrequencyText(tx));
        const bool outside = tx < app_.bandLow || tx > app_.bandHigh;
        vsfgGridCh_->setCellForeColor(outside ? app_.overColor : app_.defColor);
    });
}

void ChannelWindow::CtdcsDecShow(int ch) {
    app_.guard("modChMem->CtdcsDecShow", [&] {
        if (app_.layout.columnCount < 3) return;
        vsfgGridCh_->setText(ch, 3, QString::fromStdString(app_.toneText.decode(ch)));
    });
}

void ChannelWindow::CtdcsEncShow(int ch) {
    app_.guard("modChMem->CtdcsEncShow", [&] {
        if (app_.layout.columnCount < 4) return;
        const bool noTx = app_.chInfo(ch, 2) == -1;
        vsfgGridCh_->setText(ch, 4,
                             noTx ? QString() : QString::fromStdString(app_.toneText.encode(ch)));
    });
}

void ChannelWindow::ChParaShow(int ch) {
    app_.guard("modChMem->ChParaShow", [&] {
        for (int c = 5; c <= app_.layout.columnCount; ++c) {
            if (c == 20) continue;  // reserved for a channel name
            const int slot = app_.chInfo(ch, c) + 3;
            if (slot < 3 || slot >= kItemSlots) Raise(err::IndexOutOfRange, "no display slot");
            vsfgGridCh_->setText(ch, c, QString::fromStdString(app_.layout.item(c, slot)));
        }
    });
}

void ChannelWindow::SoftDisplay() {
    app_.guard("frmChMem->SoftDisplay", [&] {
        IicDatToModel();
        IicDatToBand();
        ShowChTblGrid();
        // The identification block is no function field, so it can go in first; the
        // function model's own redisplay then loads every page and checks the VOX values.
        EnsureIdentificationBlock(app_.iicDat);
        services_.checkVoxComparison();
    });
}

void ChannelWindow::NewFileSol() {
    app_.guard("mdifrmMain->NewFileSol", [&] {
        NewFileImage((app_.appFolder + "/" + kTemplateFileName).toStdString(), app_.iicDat,
                     app_.tempArray, app_.log);
        ShowChTblGrid();
        services_.reloadFunctionPages();
    });
}

// --- Model and band -----------------------------------------------------------------------

void ChannelWindow::ChInfoModel() {
    app_.guard("frmChMem->ChInfoModel", [&] {
        cboModel_->clear();
        cboModel_->addItem(app_.ft(356));
        cboModel_->setCurrentIndex(0);
        cboModel_Click();
        cboFrequency_->clear();
        for (const BandEntry& b : kBandTable)
            cboFrequency_->addItem(QString::fromUtf8(b.text.data(), b.text.size()));
        cboFrequency_->addItem(app_.ft(373));
        cboFrequency_->setCurrentIndex(kStartBandIndex);
        cboFrequency_Click();
    });
}

void ChannelWindow::cboModel_Click() {
    app_.guard("frmChMem->cboModel_Click", [&] {
        const int index = std::max(0, cboModel_->currentIndex());
        Set(app_.iicDat, kModelIndex, static_cast<unsigned>(index));
    });
}

void ChannelWindow::setBandCaption(int index) {
    setWindowTitle(QString::fromStdString(
        BandCaption(index, app_.bandLow, app_.bandHigh, app_.ft(373).toStdString())));
}

void ChannelWindow::cboFrequency_Click() {
    if (settingBandFromImage_) return;
    app_.guard("frmChMem->cboFrequency_Click", [&] {
        const int index = cboFrequency_->currentIndex();
        if (index < 0) return;
        if (index == kCustomBandIndex) {
            CustomBandDialog dialog(app_, this);
            // Accepting starts a new file; the channel set itself is renewed below, once the
            // new limits are in the image.
            dialog.onAccept = [this] {
                app_.currentFilePath = app_.untitledPath;
                emit filePathChanged();
            };
            dialog.exec();
        } else {
            app_.bandLow = kBandTable[static_cast<size_t>(index)].low;
            app_.bandHigh = kBandTable[static_cast<size_t>(index)].high;
        }
        app_.absLow = kAbsLow;
        app_.absHigh = kAbsHigh;
        WriteBandLimits(app_.iicDat, app_.bandLow, app_.bandHigh);
        setBandCaption(index);
        NewFileSol();
    });
}

void ChannelWindow::IicDatToModel() {
    app_.guard("frmChMem->IicDatToModel", [&] {
        const int model = static_cast<int>(Get(app_.iicDat, kModelIndex));
        cboModel_->setCurrentIndex(model < cboModel_->count() ? model : 0);
    });
}

void ChannelWindow::IicDatToBand() {
    const Band band = tarvos::IicDatToBand(app_.iicDat);
    settingBandFromImage_ = true;
    cboFrequency_->setCurrentIndex(band.index);
    settingBandFromImage_ = false;
    app_.bandLow = band.low;
    app_.bandHigh = band.high;
    app_.absLow = kAbsLow;
    app_.absHigh = kAbsHigh;
    setBandCaption(band.index);
}

}  // namespace tarvos::ui

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
#include "document/radio_document.h"
#include "memory/band.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr uint32_t kOutsideCells = Rgb(247, 247, 247);
}

ChannelWindow::ChannelWindow(WindowContext& ctx, RadioDocument& document, QWidget* parent)
    : QWidget(parent), ctx_(ctx), doc_(document) {
    setObjectName("frmChMem");
    BuildPages();
    observer_ = doc_.addObserver([this](DocumentChange what) { documentChanged(what); });
}

ChannelWindow::~ChannelWindow() {
    doc_.removeObserver(observer_);
}

void ChannelWindow::documentChanged(DocumentChange what) {
    if (what == DocumentChange::Replaced) {
        showModelAndBand();
        ShowChTblGrid();
    } else if (what == DocumentChange::Channels) {
        ShowChTblGrid();
    }
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
    // The read/write code controls of the function pages sit here.
    codeArea_ = new QWidget(fraModel_);
    codeArea_->setObjectName("fraRdWrCodeArea");
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
    modelLayout->addSpacing(6);
    modelLayout->addWidget(codeArea_);
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
    fraSysSet0_ = fraSysSet0;
    fraSysSet1_ = fraSysSet1;

    // The second tab control stays hidden until the code dialog reveals it.
    sstabMoreFunc_ = new QTabWidget(this);
    sstabMoreFunc_->setObjectName("sstabMoreFunc");
    for (const char* caption : {"未分类", "DTMF", "两音", "Tab 3"})
        sstabMoreFunc_->addTab(new QWidget, QString::fromUtf8(caption));
    // "Tab 3" holds the third function frame, which the interface lock disables with the others.
    fraSysSet2_ = new QWidget(sstabMoreFunc_->widget(3));
    fraSysSet2_->setObjectName("fraSysSet2");
    auto* tab3 = new QVBoxLayout(sstabMoreFunc_->widget(3));
    tab3->setContentsMargins(0, 0, 0, 0);
    tab3->addWidget(fraSysSet2_);
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

QWidget* ChannelWindow::moreFuncPage(int index) const {
    return sstabMoreFunc_->widget(index);
}

QWidget* ChannelWindow::sysSetFrame(int index) const {
    return index == 0 ? fraSysSet0_ : index == 1 ? fraSysSet1_ : fraSysSet2_;
}

void ChannelWindow::closeEvent(QCloseEvent* e) {
    // The channel window stays until the user has confirmed leaving the application.
    if (ctx_.exitConfirmed)
        e->accept();
    else
        e->ignore();
}

void ChannelWindow::InitChMem() {
    ctx_.guard("frmChMem->InitChMem", [&] {
        ChInfoInitFace();
        // The tone list is the document's, built for the language in force.
        doc_.SetLayout(ReadChInfo(ctx_.settings, ctx_.language, ctx_.log));
        SetChGrid();
        InitChTable();
        normalBack_ = vsfgGridCh_->backColor();
        normalSel_ = vsfgGridCh_->backColorSel();
        ChInfoModel();
    });
}

void ChannelWindow::ChInfoInitFace() {
    ctx_.guard("frmChMem->ChInfoInitFace", [&] {
        setWindowTitle(ctx_.ft(382));
        fraMain_->setTitle(ctx_.ft(382));
        vsfgGridCh_->setBackColorBkg(kOutsideCells);
        sstabSetMode_->setTabText(0, ctx_.ft(200));
        sstabSetMode_->setTabText(1, ctx_.ft(450));
        fraModel_->setTitle(ctx_.ft(200));
        fraOptionSet_->setTitle(ctx_.ft(453));
        lblModel_->setText(ctx_.ft(371));
        lblFrequency_->setText(ctx_.ft(372));
        cmdDelAllCh_->setText(ctx_.ft(112));
        cmdDefSet_->setText(ctx_.ft(400));
        cmdAutoInput_->setText(ctx_.ft(445));
    });
}

void ChannelWindow::SetChGrid() {
    ctx_.guard("modChMem->SetChGrid", [&] {
        const ChannelLayout& L = doc_.layout();
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
    doc_.InitChTable();
    for (int ch = 1; ch <= doc_.layout().channelCount; ++ch) clearRow(ch);
    homeCell();
}

// After a redraw the grid shows its first cell, not the last one drawn.
void ChannelWindow::homeCell() {
    if (doc_.layout().channelCount < 1 || doc_.layout().columnCount < 1) return;
    vsfgGridCh_->select(1, 1);
    vsfgGridCh_->scrollToTop();
    vsfgGridCh_->horizontalScrollBar()->setValue(0);
}

// An empty row: every cell empty, in the normal text colour.
void ChannelWindow::clearRow(int ch) {
    ctx_.guard("modChMem->DelOneChannel", [&] {
        for (int c = 1; c <= doc_.layout().columnCount; ++c) {
            vsfgGridCh_->select(ch, c);
            vsfgGridCh_->setText(ch, c, QString());
            vsfgGridCh_->setCellForeColor(ctx_.defColor);
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
    ctx_.guard("modChMem->ShowChTblGrid", [&] {
        for (int ch = 1; ch <= doc_.layout().channelCount; ++ch) {
            if (doc_.chInfo().empty(ch)) {
                for (int c = 1; c <= doc_.layout().columnCount; ++c)
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
    ctx_.guard("modChMem->RxFreShow", [&] {
        if (doc_.layout().columnCount < 1) return;
        const int32_t rx = doc_.chInfo()(ch, 1);
        vsfgGridCh_->setText(ch, 1, FrequencyText(rx));
        vsfgGridCh_->select(ch, 1);
        const bool outside = rx < doc_.bandLow() || rx > doc_.bandHigh();
        vsfgGridCh_->setCellForeColor(outside ? ctx_.overColor : ctx_.defColor);
    });
}

void ChannelWindow::TxFreShow(int ch) {
    ctx_.guard("modChMem->TxFreShow", [&] {
        if (doc_.layout().columnCount < 2) return;
        const int32_t tx = doc_.chInfo()(ch, 2);
        vsfgGridCh_->select(ch, 2);
        if (tx == -1) {
            vsfgGridCh_->setText(ch, 2, QString());
            vsfgGridCh_->setCellForeColor(ctx_.defColor);
            return;
        }
        vsfgGridCh_->setText(ch, 2, FrequencyText(tx));
        const bool outside = tx < doc_.bandLow() || tx > doc_.bandHigh();
        vsfgGridCh_->setCellForeColor(outside ? ctx_.overColor : ctx_.defColor);
    });
}

void ChannelWindow::CtdcsDecShow(int ch) {
    ctx_.guard("modChMem->CtdcsDecShow", [&] {
        if (doc_.layout().columnCount < 3) return;
        vsfgGridCh_->setText(ch, 3, QString::fromStdString(doc_.toneText().decode(ch)));
    });
}

void ChannelWindow::CtdcsEncShow(int ch) {
    ctx_.guard("modChMem->CtdcsEncShow", [&] {
        if (doc_.layout().columnCount < 4) return;
        const bool noTx = doc_.chInfo()(ch, 2) == -1;
        vsfgGridCh_->setText(ch, 4,
                             noTx ? QString() : QString::fromStdString(doc_.toneText().encode(ch)));
    });
}

void ChannelWindow::ChParaShow(int ch) {
    ctx_.guard("modChMem->ChParaShow", [&] {
        for (int c = 5; c <= doc_.layout().columnCount; ++c) {
            if (c == 20) continue;  // reserved for a channel name
            const int slot = doc_.chInfo()(ch, c) + 3;
            if (slot < 3 || slot >= kItemSlots) Raise(err::IndexOutOfRange, "no display slot");
            vsfgGridCh_->setText(ch, c, QString::fromStdString(doc_.layout().item(c, slot)));
        }
    });
}

void ChannelWindow::SoftDisplay() {
    doc_.SoftDisplay();
}

// --- Model and band -----------------------------------------------------------------------

void ChannelWindow::ChInfoModel() {
    ctx_.guard("frmChMem->ChInfoModel", [&] {
        cboModel_->clear();
        cboModel_->addItem(ctx_.ft(356));
        cboModel_->setCurrentIndex(0);
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

}  // namespace tarvos::ui

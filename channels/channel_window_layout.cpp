// The channel window's pages and controls, their texts, and the grid's rows and columns.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "channels/channel_splitter.h"
#include "channels/channel_window.h"
#include "document/radio_document.h"
#include "widgets/caption_widths.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr uint32_t kOutsideCells = Rgb(247, 247, 247);
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
    // The hidden gestures of the memory data view.
    lblModel_->installEventFilter(this);
    fraModel_->installEventFilter(this);

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
    // The captions are set after the tabs are in: the first tab added becomes the current one,
    // which measures its caption at once, and measuring Chinese text loads a large font that a
    // start in another language never needs while this control stays hidden.
    for (int i = 0; i < 4; ++i) sstabMoreFunc_->addTab(new QWidget, QString());
    int tab = 0;
    for (const char* caption : {"未分类", "DTMF", "两音", "Tab 3"})
        sstabMoreFunc_->setTabText(tab++, QString::fromUtf8(caption));
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
    splitter_ = new ChannelSplitter(ctx_, sstabSetMode_, sstabMoreFunc_, vsfgGridCh_, this);
    layout->addWidget(splitter_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdMoreFunc_);
    layout->addLayout(bottom);

    connect(cboModel_, &QComboBox::currentIndexChanged, this, [this] { cboModel_Click(); });
    connect(cboFrequency_, &QComboBox::activated, this, [this] { cboFrequency_Click(); });
    connect(cmdDefSet_, &QPushButton::clicked, this, [this] { emit restoreDefaultsRequested(); });
    connect(cmdDelAllCh_, &QPushButton::clicked, this, [this] { mnuDelAll_Click(); });
    connect(cmdAutoInput_, &QPushButton::clicked, this, [this] { cmdAutoInput_Click(); });

    // The grid is edited as the channel rules say: a click starts editing, typing does, a
    // double-click copies or cycles instead.
    vsfgGridCh_->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    vsfgGridCh_->setEditable(true);
    connect(vsfgGridCh_, &GridControl::beforeEdit, this,
            [this](int r, int c, bool* cancel) { vsfgGridCh_BeforeEdit(r, c, cancel); });
    connect(vsfgGridCh_, &GridControl::afterEdit, this,
            [this](int r, int c) { vsfgGridCh_AfterEdit(r, c); });
    connect(vsfgGridCh_, &GridControl::gridClicked, this, [this] { vsfgGridCh_Click(); });
    connect(vsfgGridCh_, &GridControl::gridDoubleClicked, this, [this] { vsfgGridCh_DblClick(); });
    connect(vsfgGridCh_, &GridControl::gridMouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
                vsfgGridCh_MouseDown(b, x, y);
            });
}

QWidget* ChannelWindow::moreFuncPage(int index) const {
    return sstabMoreFunc_->widget(index);
}

QWidget* ChannelWindow::sysSetFrame(int index) const {
    return index == 0 ? fraSysSet0_ : index == 1 ? fraSysSet1_ : fraSysSet2_;
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
        mnuPopMenuOne_->findChild<QAction*>("mnuOpenCh")->setText(" " + ctx_.ft(114));
        mnuPopMenuOne_->findChild<QAction*>("mnuSaveDef")->setText(ctx_.ft(113));
        mnuDelOne_->setText(" " + ctx_.ft(110));
        mnuDelAll_->setText(ctx_.ft(112));
        mnuPopChLock_->setText(ctx_.ft(47));
    });
}

void ChannelWindow::SetChGrid() {
    ctx_.guard("modChMem->SetChGrid", [&] {
        const ChannelLayout& L = doc_.layout();
        GridControl& g = *vsfgGridCh_;
        // The font first: set on a filled grid it lays every row and header out again.
        g.setFontSize(10);
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
        WidenColumnsToCaptions(g);
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
    });
}

}  // namespace tarvos::ui

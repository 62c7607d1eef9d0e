#include "channels/auto_input_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>

#include "document/auto_input.h"
#include "document/radio_document.h"
#include "widgets/centre_over.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {

// Captions by control, in Simplified Chinese, Traditional Chinese and English.
struct Caption {
    const char* name;
    const char* text[3];
};

const Caption kCaptions[] = {
    {"lblAutoInput(5)", {"开始信道", "開始通道", "Start CH."}},
    {"lblAutoInput(6)", {"结束信道", "結束通道", "End CH."}},
    {"fraAutoInput(1)", {"接收频率", "接收頻率", "Rx Freq."}},
    {"lblAutoInput(7)", {"初始频率", "初始頻率", "First Freq."}},
    {"lblAutoInput(8)", {"频率步进", "頻率步進", "Step"}},
    {"chkAutoInput(0)", {"发射等于接收", "發射等於接收", "TX EQU RX"}},
    {"fraAutoInput(2)", {"发射频率", "發射頻率", "Tx Freq."}},
    {"lblAutoInput(9)", {"初始频率", "初始頻率", "First Freq."}},
    {"lblAutoInput(10)", {"频率步进", "頻率步進", "Step"}},
    {"fraAutoInput(3)", {"接收/发射亚音", "接收/發射亞音", "QT/DQT DEC/Enc"}},
    {"optAutoInput(0)", {"接收亚音", "接收亞音", "QT/DQT Dec"}},
    {"optAutoInput(1)", {"发射亚音", "發射亞音", "QT/DQT Enc"}},
    {"optAutoInput(2)", {"接收和发射亚音", "接收和發射亞音", "QT/DQT Dec/Enc"}},
    {"lblAutoInput(11)", {"初始亚音", "初始亞音", "First QT/DQT"}},
    {"lblAutoInput(12)", {"亚音步进", "亞音步進", "Step"}},
    {"chkAutoInput(1)", {"随机选择", "隨機選擇", "Random"}},
    {"fraAutoInput(4)", {"其它参数", "其他參數", "Others"}},
    {"fraAutoInput(5)", {"功率", "功率", "Power"}},
    {"optAutoInput(3)", {"高功", "高功", "High"}},
    {"optAutoInput(4)", {"低功", "低功", "Low"}},
    {"fraAutoInput(6)", {"宽/窄带", "寬/窄帶", "W/N"}},
    {"optAutoInput(5)", {"宽带", "寬頻", "Wide"}},
    {"optAutoInput(6)", {"窄带", "窄帶", "Narrow"}},
    {"fraAutoInput(7)", {"扫描", "掃描", "Scan"}},
    {"optAutoInput(7)", {"有", "有", "On"}},
    {"optAutoInput(8)", {"无", "無", "Off"}},
    {"fraAutoInput(8)", {"繁忙锁定", "繁忙鎖定", "BCL"}},
    {"optAutoInput(9)", {"QT/DQT", "QT/DQT", "QT/DQT"}},
    {"optAutoInput(10)", {"载波", "載波", "Carrier"}},
    {"optAutoInput(11)", {"关", "關", "Off"}},
    {"fraAutoInput(9)", {"声控", "聲控", "VOX"}},
    {"optAutoInput(12)", {"否", "否", "Off"}},
    {"optAutoInput(13)", {"是", "是", "On"}},
    {"fraAutoInput(11)", {"PTT ID类型", "PTT ID類型", "PTT ID"}},
    {"optAutoInput(16)", {"关闭", "關閉", "Off"}},
    {"optAutoInput(17)", {"发射开始", "發射開始", "BOT"}},
    {"optAutoInput(18)", {"发射结束", "發射結束", "EOT"}},
    {"optAutoInput(19)", {"两者", "兩者", "BOTH"}},
    {"cmdAutoInput(18)", {"全部设置", "全部設置", "Set All"}},
};
const char* const kSet[3] = {"设置", "設置", "Set"};
const char* const kBusy[3] = {"正在处理,请稍侯...", "正在處理,請稍侯...", "Please Wait..."};

QString Name(const char* control, int index) {
    return QString("%1(%2)").arg(control).arg(index);
}

}  // namespace

AutoInputWindow::AutoInputWindow(WindowContext& ctx, RadioDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), doc_(document) {
    setObjectName("frmAutoInput");
    // Opens over the main window the first time, then where the user leaves it.
    CentreOnFirstShow(this);
    const auto seed =
        static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    model_ = std::make_unique<AutoInput>(doc_.channelEditor(), seed);
    delay_ = [](int ms) {
        // The interface keeps answering while Set All waits.
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    Build();
    ctx_.guard("frmAutoInput->Form_Load", [&] { Form_Load(); });
}

AutoInputWindow::~AutoInputWindow() = default;

void AutoInputWindow::Build() {
    auto label = [this](int index) {
        auto* l = new QLabel(this);
        l->setObjectName(Name("lblAutoInput", index));
        return l;
    };
    auto frame = [this](int index) {
        auto* f = new QGroupBox(this);
        f->setObjectName(Name("fraAutoInput", index));
        return f;
    };
    auto setButton = [this](int index) {
        auto* b = new QPushButton(this);
        b->setObjectName(Name("cmdAutoInput", index));
        connect(b, &QPushButton::clicked, this, [this, index] { cmdAutoInput_Click(index); });
        return b;
    };
    auto option = [this](QButtonGroup* group, int index, int value) {
        auto* o = new QRadioButton(this);
        o->setObjectName(Name("optAutoInput", index));
        group->addButton(o, value);
        return o;
    };
    auto box = [this](int index) {
        auto* t = new QLineEdit(this);
        t->setObjectName(Name("txtAutoInput", index));
        txt_[index] = t;
        connect(t, &QLineEdit::textEdited, this, [this, index](const QString& text) {
            AutoInputControls& k = model_->controls;
            std::string* field = index == 0   ? &k.rxFirst
                                 : index == 1 ? &k.rxStep
                                 : index == 2 ? &k.txFirst
                                              : &k.txStep;
            *field = text.toStdString();
        });
        // Leaving the box (or Enter) normalises it.
        connect(t, &QLineEdit::editingFinished, this,
                [this, index] { txtAutoInput_LostFocus(index); });
        return t;
    };
    auto list = [this](int index, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(Name("cboAutoInput", index));
        c->addItems(items);
        return c;
    };

    QStringList channels;
    for (int i = 1; i <= 16; ++i) channels << QString::number(i);
    QStringList steps;
    for (int i = 0; i <= 25; ++i) steps << QString::number(i);
    QStringList tones;
    for (const std::string& t : doc_.toneList().names()) tones << QString::fromStdString(t);

    // Range.
    cboStart_ = list(5, channels);
    cboEnd_ = list(6, channels);
    auto* range = new QHBoxLayout;
    range->addWidget(label(5));
    range->addWidget(cboStart_);
    range->addSpacing(16);
    range->addWidget(label(6));
    range->addWidget(cboEnd_);
    range->addStretch();

    // Receive and transmit frequencies.
    QGroupBox* fraRx = frame(1);
    auto* rx = new QGridLayout(fraRx);
    rx->addWidget(label(7), 0, 0);
    rx->addWidget(box(0), 0, 1);
    rx->addWidget(label(8), 1, 0);
    rx->addWidget(box(1), 1, 1);
    chkTxEqRx_ = new QCheckBox(this);
    chkTxEqRx_->setObjectName("chkAutoInput(0)");
    rx->addWidget(chkTxEqRx_, 2, 0);
    rx->addWidget(setButton(0), 2, 1, Qt::AlignRight);

    fraTransmit_ = frame(2);
    auto* tx = new QGridLayout(fraTransmit_);
    tx->addWidget(label(9), 0, 0);
    tx->addWidget(box(2), 0, 1);
    tx->addWidget(label(10), 1, 0);
    tx->addWidget(box(3), 1, 1);
    tx->addWidget(setButton(1), 2, 1, Qt::AlignRight);

    // Tones.
    QGroupBox* fraTone = frame(3);
    target_ = new QButtonGroup(this);
    auto* tone = new QGridLayout(fraTone);
    tone->addWidget(option(target_, 0, static_cast<int>(ToneTarget::Decode)), 0, 0, 1, 2);
    tone->addWidget(option(target_, 1, static_cast<int>(ToneTarget::Encode)), 1, 0, 1, 2);
    tone->addWidget(option(target_, 2, static_cast<int>(ToneTarget::Both)), 2, 0, 1, 2);
    cboToneFirst_ = list(7, tones);
    cboToneFirst_->setMaxVisibleItems(16);
    cboToneStep_ = list(11, steps);
    tone->addWidget(label(11), 3, 0);
    tone->addWidget(cboToneFirst_, 3, 1);
    tone->addWidget(label(12), 4, 0);
    tone->addWidget(cboToneStep_, 4, 1);
    chkRandom_ = new QCheckBox(this);
    chkRandom_->setObjectName("chkAutoInput(1)");
    tone->addWidget(chkRandom_, 5, 0);
    tone->addWidget(setButton(2), 5, 1, Qt::AlignRight);

    // The other settings, one frame per group with its Set button.
    QGroupBox* fraOthers = frame(4);
    auto* others = new QGridLayout(fraOthers);
    struct Group {
        int frame;
        QButtonGroup** group;
        std::vector<std::pair<int, int>> options;  // control index, value
        int button;
    };
    const Group groups[] = {
        {5, &power_, {{3, 1}, {4, 0}}, 3}, {6, &bandwidth_, {{5, 1}, {6, 0}}, 4},
        {7, &scan_, {{7, 1}, {8, 0}}, 5},  {8, &busyLock_, {{9, 2}, {10, 1}, {11, 0}}, 6},
        {9, &vox_, {{12, 0}, {13, 1}}, 7}, {11, &pttId_, {{16, 0}, {17, 1}, {18, 2}, {19, 3}}, 9},
    };
    int slot = 0;
    for (const Group& g : groups) {
        QGroupBox* f = frame(g.frame);
        *g.group = new QButtonGroup(this);
        auto* layout = new QVBoxLayout(f);
        for (auto [index, value] : g.options) layout->addWidget(option(*g.group, index, value));
        layout->addStretch();
        layout->addWidget(setButton(g.button), 0, Qt::AlignRight);
        others->addWidget(f, slot / 2, slot % 2);
        ++slot;
    }
    // A frame with two options and a button that have no group: kept, never shown.
    QGroupBox* unused = frame(10);
    auto* unusedGroup = new QButtonGroup(this);
    auto* unusedLayout = new QVBoxLayout(unused);
    unusedLayout->addWidget(option(unusedGroup, 14, 0));
    unusedLayout->addWidget(option(unusedGroup, 15, 1));
    unusedLayout->addWidget(setButton(8));
    unused->hide();

    lblBusy_ = label(13);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblBusy_, 1);
    bottom->addWidget(setButton(18));

    auto* left = new QVBoxLayout;
    left->addWidget(fraRx);
    left->addWidget(fraTransmit_);
    left->addWidget(fraTone);
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(fraOthers, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addLayout(columns);
    layout->addLayout(bottom);

    connect(cboStart_, &QComboBox::activated, this,
            [this](int i) { model_->controls.start = i + 1; });
    connect(cboEnd_, &QComboBox::activated, this, [this](int i) { model_->controls.end = i + 1; });
    connect(cboToneFirst_, &QComboBox::activated, this,
            [this](int i) { model_->controls.toneFirst = i; });
    connect(cboToneStep_, &QComboBox::activated, this,
            [this](int i) { model_->controls.toneStep = i; });
    connect(chkTxEqRx_, &QCheckBox::clicked, this, [this] { chkAutoInput_Click(0); });
    connect(chkRandom_, &QCheckBox::clicked, this, [this] { chkAutoInput_Click(1); });
    connect(target_, &QButtonGroup::idClicked, this,
            [this](int id) { model_->controls.target = static_cast<ToneTarget>(id); });
    const std::pair<QButtonGroup*, int AutoInputControls::*> values[] = {
        {power_, &AutoInputControls::power}, {bandwidth_, &AutoInputControls::bandwidth},
        {scan_, &AutoInputControls::scan},   {busyLock_, &AutoInputControls::busyLock},
        {vox_, &AutoInputControls::vox},     {pttId_, &AutoInputControls::pttId}};
    for (auto [group, field] : values)
        connect(group, &QButtonGroup::idClicked, this,
                [this, field](int id) { model_->controls.*field = id; });
}

void AutoInputWindow::Form_Load() {
    const int lang = std::clamp(ctx_.language, 1, 3) - 1;
    setWindowTitle(ctx_.ft(445));
    for (const Caption& c : kCaptions) {
        QWidget* w = findChild<QWidget*>(c.name);
        const QString text = QString::fromUtf8(c.text[lang]);
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(text);
        else if (auto* f = qobject_cast<QGroupBox*>(w))
            f->setTitle(text);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(text);
    }
    for (int i = 0; i <= 9; ++i)
        findChild<QPushButton*>(Name("cmdAutoInput", i))->setText(QString::fromUtf8(kSet[lang]));
    lblBusy_->clear();
    setFont(ctx_.uiFont);
    showControls();
}

void AutoInputWindow::showControls() {
    const AutoInputControls& k = model_->controls;
    showing_ = true;
    cboStart_->setCurrentIndex(k.start - 1);
    cboEnd_->setCurrentIndex(k.end - 1);
    const std::string* texts[4] = {&k.rxFirst, &k.rxStep, &k.txFirst, &k.txStep};
    for (int i = 0; i < 4; ++i)
        if (txt_[i]->text().toStdString() != *texts[i])
            txt_[i]->setText(QString::fromStdString(*texts[i]));
    chkTxEqRx_->setChecked(k.txEqRx);
    fraTransmit_->setEnabled(!k.txEqRx);
    target_->button(static_cast<int>(k.target))->setChecked(true);
    cboToneFirst_->setCurrentIndex(k.toneFirst);
    cboToneStep_->setCurrentIndex(k.toneStep);
    chkRandom_->setChecked(k.random);
    cboToneFirst_->setEnabled(!k.random);
    cboToneStep_->setEnabled(!k.random);
    power_->button(k.power)->setChecked(true);
    bandwidth_->button(k.bandwidth)->setChecked(true);
    scan_->button(k.scan)->setChecked(true);
    busyLock_->button(k.busyLock)->setChecked(true);
    vox_->button(k.vox)->setChecked(true);
    pttId_->button(k.pttId)->setChecked(true);
    showing_ = false;
}

void AutoInputWindow::txtAutoInput_LostFocus(int index) {
    if (showing_) return;
    ctx_.guard("frmAutoInput->txtAutoInput_LostFocus", [&] {
        model_->LeaveBox(index);
        showControls();
    });
}

void AutoInputWindow::chkAutoInput_Click(int index) {
    ctx_.guard("frmAutoInput->chkAutoInput_Click", [&] {
        if (index == 0) model_->SetTxEqRx(chkTxEqRx_->isChecked());
        if (index == 1) model_->SetRandom(chkRandom_->isChecked());
        showControls();
    });
}

void AutoInputWindow::cmdAutoInput_Click(int index) {
    if (busy_) return;
    ctx_.guard("frmAutoInput->cmdAutoInput_Click", [&] {
        if (index == kSetAllButton) {
            const int lang = std::clamp(ctx_.language, 1, 3) - 1;
            busy_ = true;
            lblBusy_->setText(QString::fromUtf8(kBusy[lang]));
            delay_(200);
            model_->SetAll();
            lblBusy_->clear();
            busy_ = false;
        } else {
            model_->Set(index);
        }
        showControls();
    });
    busy_ = false;
}

void AutoInputWindow::closeEvent(QCloseEvent* e) {
    // Until the user has confirmed leaving, closing only hides the window.
    if (ctx_.exitConfirmed) {
        e->accept();
        return;
    }
    e->ignore();
    hide();
}

void AutoInputWindow::showEvent(QShowEvent* e) {
    ctx_.mainCloseBlocked = true;
    QWidget::showEvent(e);
}

void AutoInputWindow::hideEvent(QHideEvent* e) {
    if (!e->spontaneous()) ctx_.mainCloseBlocked = false;
    QWidget::hideEvent(e);
}

}  // namespace tarvos::ui

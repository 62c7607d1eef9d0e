#include "functions/ui/input_code_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvos::ui {

namespace {
// The dialog's own texts; they are not in the interface text table.
struct Captions {
    const char* window;
    const char* label;
    const char* ok;
};
constexpr Captions kCaptions[3] = {
    {"请输入密码", "密码：", "确定"},
    {"請輸入密碼", "密碼：", "確定"},
    {"Please Input Code", "Code:", "OK"},
};
}  // namespace

InputCodeDialog::InputCodeDialog(int language, std::unique_ptr<DialogTimer> tmrAutoExit,
                                 QWidget* parent)
    : QDialog(parent), tmrAutoExit_(std::move(tmrAutoExit)) {
    setObjectName("frmInputCode");
    setModal(true);
    const Captions& c = kCaptions[(language >= 1 && language <= 3 ? language : 3) - 1];
    setWindowTitle(QString::fromUtf8(c.window));
    auto* lblInputCode = new QLabel(QString::fromUtf8(c.label), this);
    lblInputCode->setObjectName("lblInputCode");
    txtInputCode_ = new QLineEdit(this);
    txtInputCode_->setObjectName("txtInputCode");
    txtInputCode_->setMinimumWidth(140);
    auto* cmdOk = new QPushButton(QString::fromUtf8(c.ok), this);
    cmdOk->setObjectName("cmdOk");
    cmdOk->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(lblInputCode);
    row->addWidget(txtInputCode_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    connect(txtInputCode_, &QLineEdit::textChanged, this,
            [this](const QString& text) { txtInputCode_Change(text); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { tmrAutoExit_Timer(); });
    tmrAutoExit_->setOnTimeout([this] { tmrAutoExit_Timer(); });
    // Opening: nothing entered yet, and the dialog goes by itself if nothing comes.
    enteredCode_.clear();
    tmrAutoExit_->start(kOpenIntervalMs);
}

InputCodeDialog::~InputCodeDialog() {
    tmrAutoExit_->setOnTimeout(nullptr);
}

void InputCodeDialog::txtInputCode_Change(const QString& text) {
    enteredCode_ = text.toUpper();
    tmrAutoExit_->start(kTypingIntervalMs);
}

void InputCodeDialog::tmrAutoExit_Timer() {
    tmrAutoExit_->stop();
    accept();
}

}  // namespace tarvos::ui

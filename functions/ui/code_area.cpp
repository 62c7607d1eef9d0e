#include "functions/ui/code_area.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "document/radio_document.h"
#include "functions/function_model.h"
#include "functions/ui/typed_text.h"
#include "memory/radio_text.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr uint32_t kCodeStoredBack = Rgb(160, 32, 32);
constexpr uint32_t kNoCodeBack = Rgb(192, 192, 192);
}  // namespace

CodeArea::CodeArea(WindowContext& ctx, RadioDocument& document, QWidget* area)
    : ctx_(ctx), doc_(document) {
    lblRdWrCode_ = new QLabel(area);
    lblRdWrCode_->setObjectName("lblRdWrCode");
    txtRdWrCode_ = new QLineEdit(area);
    txtRdWrCode_->setObjectName("txtRdWrCode");
    txtRdWrCode_->setMaxLength(kRdWrCodeChars);
    txtRdWrCode_->setAutoFillBackground(true);
    for (int k = 0; k < 2; ++k) {
        auto* hint = new QLabel(area);
        hint->setObjectName(QString("lblRdWrCodeHint(%1)").arg(k));
        hint->setWordWrap(true);
        lblRdWrCodeHint_[static_cast<size_t>(k)] = hint;
    }
    chkNewRdWrCode_ = new QCheckBox(area);
    chkNewRdWrCode_->setObjectName("chkNewRdWrCode");
    lblNewRdWrCode_ = new QLabel(area);
    lblNewRdWrCode_->setObjectName("lblNewRdWrCode");
    txtNewRdWrCode_ = new QLineEdit(area);
    txtNewRdWrCode_->setObjectName("txtNewRdWrCode");
    txtNewRdWrCode_->setMaxLength(kRdWrCodeChars);

    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(lblRdWrCode_);
    layout->addWidget(txtRdWrCode_);
    layout->addWidget(lblRdWrCodeHint_[0]);
    layout->addSpacing(4);
    layout->addWidget(chkNewRdWrCode_);
    layout->addWidget(lblNewRdWrCode_);
    layout->addWidget(txtNewRdWrCode_);
    layout->addWidget(lblRdWrCodeHint_[1]);

    connect(txtRdWrCode_, &QLineEdit::textEdited, this,
            [this](const QString& text) { txtRdWrCode_Change(text); });
    connect(txtNewRdWrCode_, &QLineEdit::textEdited, this,
            [this](const QString& text) { txtNewRdWrCode_Change(text); });
    connect(txtNewRdWrCode_, &QLineEdit::editingFinished, this, [this] { Show(); });
    connect(chkNewRdWrCode_, &QCheckBox::clicked, this,
            [this](bool on) { chkNewRdWrCode_Click(on); });
}

FunctionModel& CodeArea::model() const {
    return doc_.functions();
}

void CodeArea::InitFace() {
    lblRdWrCode_->setText(ctx_.ft(362));
    lblRdWrCodeHint_[0]->setText(ctx_.ft(363));
    lblRdWrCodeHint_[1]->setText(ctx_.ft(363));
    chkNewRdWrCode_->setText(ctx_.ft(364));
    lblNewRdWrCode_->setText(ctx_.ft(365));
}

void CodeArea::Show() {
    const FunctionModel& m = model();
    const QSignalBlocker b1(txtRdWrCode_), b2(txtNewRdWrCode_), b3(chkNewRdWrCode_);
    const QString typed = QString::fromStdString(m.rdWrCodeText());
    if (txtRdWrCode_->text() != typed) txtRdWrCode_->setText(typed);
    QPalette pal = txtRdWrCode_->palette();
    pal.setColor(QPalette::Base, ColorFromBgr(m.rdWrCodeStored() ? kCodeStoredBack : kNoCodeBack));
    pal.setColor(QPalette::Text, m.rdWrCodeStored() ? Qt::white : Qt::black);
    txtRdWrCode_->setPalette(pal);

    const bool codeShown = m.rdWrCodeVisible();
    for (QWidget* w :
         {static_cast<QWidget*>(lblRdWrCode_), static_cast<QWidget*>(txtRdWrCode_),
          static_cast<QWidget*>(lblRdWrCodeHint_[0]), static_cast<QWidget*>(chkNewRdWrCode_)})
        w->setVisible(codeShown);
    if (chkNewRdWrCode_->isChecked() != m.newRdWrCodeChecked())
        chkNewRdWrCode_->setChecked(m.newRdWrCodeChecked());
    const bool newShown = codeShown && m.newRdWrCodeVisible();
    for (QWidget* w :
         {static_cast<QWidget*>(lblNewRdWrCode_), static_cast<QWidget*>(txtNewRdWrCode_),
          static_cast<QWidget*>(lblRdWrCodeHint_[1])})
        w->setVisible(newShown);
    const QString newText = QString::fromStdString(m.newRdWrCodeText());
    ShowTyped(txtNewRdWrCode_, newText, typingNewCode_);
}

void CodeArea::txtRdWrCode_Change(const QString& text) {
    doc_.Edit(DocumentChange::Functions,
              [&] { model().SetRdWrCodeText(doc_.image(), text.toStdString()); });
}

void CodeArea::txtNewRdWrCode_Change(const QString& text) {
    // The new code lives outside the image: nothing to save, only the page to redraw.
    ctx_.guard("frmChMem->txtNewRdWrCode_Change",
               [&] { model().SetNewRdWrCodeText(text.toStdString()); });
    typingNewCode_ = true;
    Show();
    typingNewCode_ = false;
}

void CodeArea::chkNewRdWrCode_Click(bool checked) {
    model().SetNewRdWrCodeChecked(checked);
    Show();
}

}  // namespace tarvos::ui

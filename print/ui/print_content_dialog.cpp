#include "print/ui/print_content_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
// The two buttons the print dialog gained have no FaceText entries: Simplified,
// Traditional, English.
const char* const kPreviewCaption[3] = {"打印预览", "列印預覽", "Preview"};
const char* const kExportPdfCaption[3] = {"导出PDF…", "匯出PDF…", "Export PDF…"};

constexpr const char* kContentKey = "PrintContent";
constexpr const char* kAllItems = "cover,settings,channels";
}  // namespace

PrintContentDialog::PrintContentDialog(WindowContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName("frmPrint");
    setWindowTitle(ctx_.ft(142));
    setFont(ctx_.uiFont);
    const int l = NormalizeLanguage(ctx_.language) - 1;

    auto* frame = new QGroupBox(ctx_.ft(143), this);
    frame->setObjectName("fraItem");
    auto* list = new QVBoxLayout(frame);
    const char* names[3] = {"chkCover", "chkRadioSettings", "chkChannelInfo"};
    const int captions[3] = {144, 145, 146};
    const PrintContent remembered =
        ParsePrintContent(ctx_.setting(kContentKey, kAllItems, 64).toStdString())
            .value_or(PrintContent{});
    const bool ticks[3] = {remembered.cover, remembered.settings, remembered.channels};
    for (int k = 0; k < 3; ++k) {
        auto* box = new QCheckBox(ctx_.ft(captions[k]), frame);
        box->setObjectName(names[k]);
        box->setChecked(ticks[k]);
        connect(box, &QCheckBox::toggled, this, [this] { ticked(); });
        list->addWidget(box);
        items_[static_cast<size_t>(k)] = box;
    }

    struct ButtonRow {
        const char* name;
        QString caption;
        Choice choice;
    };
    const ButtonRow buttons[4] = {
        {"cmdPrint", ctx_.ft(147), Choice::Print},
        {"cmdPreview", QString::fromUtf8(kPreviewCaption[l]), Choice::Preview},
        {"cmdExportPdf", QString::fromUtf8(kExportPdfCaption[l]), Choice::ExportPdf},
        {"cmdCancel", ctx_.ft(148), Choice::Cancel}};
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const ButtonRow& r : buttons) {
        auto* b = new QPushButton(r.caption, this);
        b->setObjectName(r.name);
        b->setAutoDefault(false);
        const Choice choice = r.choice;
        connect(b, &QPushButton::clicked, this, [this, choice] { choose(choice); });
        row->addWidget(b);
        buttons_[static_cast<size_t>(choice)] = b;
    }
    button(Choice::Print)->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(row);
    ticked();
}

PrintContent PrintContentDialog::content() const {
    return {items_[0]->isChecked(), items_[1]->isChecked(), items_[2]->isChecked()};
}

QPushButton* PrintContentDialog::button(Choice c) const {
    return buttons_[static_cast<size_t>(c)];
}

void PrintContentDialog::choose(Choice c) {
    choice_ = c;
    if (c == Choice::Cancel)
        reject();
    else
        accept();
}

void PrintContentDialog::ticked() {
    const PrintContent c = content();
    for (Choice out : {Choice::Print, Choice::Preview, Choice::ExportPdf})
        button(out)->setEnabled(c.any());
    // Only a change is written: building the dialog reads the setting and writes nothing.
    const QString text = QString::fromStdString(PrintContentText(c));
    if (text != ctx_.setting(kContentKey, kAllItems, 64)) ctx_.writeSetting(kContentKey, text);
}

}  // namespace tarvos::ui

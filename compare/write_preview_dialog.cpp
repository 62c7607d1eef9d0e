#include "compare/write_preview_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "compare/compare_texts.h"
#include "compare/difference_list.h"
#include "document/image_compare.h"
#include "document/radio_document.h"
#include "document/write_preview.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

using compare_text::Tr;

WritePreviewDialog::WritePreviewDialog(WindowContext& ctx, const RadioDocument& doc,
                                       const ByteImage& radio, const ByteImage& written, int start,
                                       int end, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmWritePreview");
    setFont(ctx.uiFont);
    const int l = ctx.language;
    setWindowTitle(Tr(compare_text::kPreviewTitle, l));

    const ByteImage before = RadioBeforeWrite(written, radio, start, end);
    const std::vector<Difference> diffs = CompareImages(doc, before, written);
    const QString range = QString::fromStdString(
        ByteRangeText(std::max(start, 0), std::min(end, kRadioMemorySize - 1)));
    lblSummary_ = new QLabel(
        Tr(diffs.empty() ? compare_text::kWriteChangesNothing : compare_text::kWriteChanges, l)
            .arg(range),
        this);
    lblSummary_->setObjectName("lblSummary");
    lblSummary_->setWordWrap(true);
    list_ = new DifferenceList(this);
    list_->ShowDifferences(diffs, DifferenceWords(doc.language(), doc.layout()),
                           {Tr(compare_text::kWhere, l), Tr(compare_text::kRadioNow, l),
                            Tr(compare_text::kAfterWrite, l)});
    list_->setVisible(!diffs.empty());

    auto* buttons = new QDialogButtonBox(this);
    cmdWrite_ = buttons->addButton(ctx.ft(101), QDialogButtonBox::AcceptRole);
    cmdWrite_->setObjectName("cmdWrite");
    cmdCancel_ = buttons->addButton(ctx.ft(378), QDialogButtonBox::RejectRole);
    cmdCancel_->setObjectName("cmdCancel");
    cmdCancel_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(diffs.empty() ? QSize(480, 120) : QSize(760, 480));
}

QString WritePreviewDialog::summary() const {
    return lblSummary_->text();
}

}  // namespace tarvos::ui

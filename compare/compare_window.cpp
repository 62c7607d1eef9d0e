#include "compare/compare_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "compare/compare_texts.h"
#include "compare/difference_list.h"
#include "document/radio_document.h"
#include "document/write_preview.h"
#include "memory/data_file.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

using compare_text::Tr;

namespace {
constexpr const char* kFileFilter = "Data File(*.dat)|*.dat";

// The grid column a channel field shows in.
int ColumnOf(const std::string& field) {
    if (field == "rx") return 1;
    if (field == "tx") return 2;
    if (field == "decode") return 3;
    if (field == "encode") return 4;
    return std::atoi(field.c_str());
}
}  // namespace

QString DifferenceCountText(int language, int n) {
    if (n == 0) return Tr(compare_text::kNoDifference, language);
    if (n == 1) return Tr(compare_text::kOneDifference, language);
    return Tr(compare_text::kDifferences, language).arg(n);
}

CompareWindow::CompareWindow(WindowContext& ctx, const RadioDocument& doc, const ByteImage& other,
                             Other kind, const QString& otherName, QWidget* parent)
    : QDialog(parent), ctx_(ctx), columnCount_(doc.layout().columnCount) {
    setObjectName("frmCompare");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ctx.uiFont);
    const int l = ctx.language;
    const char* const* title =
        kind == Other::File ? compare_text::kCompareWithFile : compare_text::kCompareWithRadio;
    QString caption = Tr(title, l);
    if (caption.endsWith(QChar(0x2026))) caption.chop(1);
    setWindowTitle(caption + " - " + otherName);

    const std::vector<Difference> diffs = CompareImages(doc, ImageWithChannels(doc), other);
    lblSummary_ = new QLabel(DifferenceCountText(l, static_cast<int>(diffs.size())), this);
    lblSummary_->setObjectName("lblSummary");
    lblBackup_ = new QLabel(this);
    lblBackup_->setObjectName("lblBackup");
    lblBackup_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblBackup_->hide();
    list_ = new DifferenceList(this);
    const DifferenceWords words(doc.language(), doc.layout());
    list_->ShowDifferences(
        diffs, words,
        {Tr(compare_text::kWhere, l), Tr(compare_text::kThisDocument, l),
         Tr(kind == Other::File ? compare_text::kOtherFile : compare_text::kTheRadio, l)});
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { rowDoubleClicked(item); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(ctx.ft(377), QDialogButtonBox::AcceptRole);
    ok->setObjectName("cmdOk");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary_);
    layout->addWidget(list_, 1);
    layout->addWidget(lblBackup_);
    layout->addWidget(buttons);
    resize(760, 480);
}

QString CompareWindow::summary() const {
    return lblSummary_->text();
}

void CompareWindow::setBackup(const QString& path) {
    lblBackup_->setText(Tr(compare_text::kBackup, ctx_.language) + path);
    lblBackup_->setVisible(!path.isEmpty());
}

void CompareWindow::rowDoubleClicked(QTreeWidgetItem* item) {
    const Difference* d = list_->differenceAt(item);
    if (!d) return;
    if (d->kind == DumpKind::Channel) {
        const int column = ColumnOf(d->field);
        emit revealChannel(d->index, column <= columnCount_ ? column : 0);
    } else if (d->kind == DumpKind::Setting) {
        emit revealSetting(QString::fromStdString(d->field));
    } else if (d->kind == DumpKind::TwoTone) {
        emit revealSetting(QString("vsfgGridTwoTone(%1)").arg((d->index - 1) / 8));
    }
}

CompareWindow* CompareWithFile(WindowContext& ctx, const RadioDocument& doc,
                               const QString& startFolder, QWidget* parent) {
    const QString path = ctx.host->openFileName(parent, startFolder, kFileFilter);
    if (path.isEmpty()) return nullptr;
    ByteImage other(doc.image().DatNum());
    if (!OpenDatFile(path.toStdString(), other, ctx.log)) {
        ctx.host->tell(parent, ctx.ft(70), ctx.ft(83), DesktopHost::Icon::Critical);
        return nullptr;
    }
    auto* window = new CompareWindow(ctx, doc, other, CompareWindow::Other::File, path, parent);
    window->show();
    return window;
}

}  // namespace tarvos::ui

// The controls of the binding table built into their frames, the page's buttons, and the
// texts the table does not carry.

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "functions/function_model.h"
#include "functions/ui/code_area.h"
#include "functions/ui/function_pages.h"
#include "functions/ui/two_tone_grid.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

QLabel* FunctionPages::captionLabel(FrameForm& form, const std::string& name,
                                    const QString& caption, bool* created) {
    if (auto* existing = form.frame()->findChild<QLabel*>(Q(name))) {
        *created = false;
        return existing;
    }
    *created = true;
    auto* label = new QLabel(caption, form.frame());
    label->setObjectName(Q(name));
    return label;
}

void FunctionPages::BuildControls() {
    const auto& table = model().bindings();
    controls_.assign(table.size(), nullptr);
    shownEntries_.assign(table.size(), {});
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const Binding& b = table[static_cast<size_t>(i)];
        auto it = forms_.find(b.frame);
        if (it == forms_.end()) continue;  // a container the window did not give
        FrameForm& form = *it->second;
        QWidget* parent = form.frame();
        const QString caption = b.caption >= 0 ? ctx_.ft(b.caption) : Q(b.fixedCaption);
        QWidget* w = nullptr;
        bool newLabel = false;
        switch (b.kind) {
            case ControlKind::List:
                if (b.name.rfind("list", 0) == 0) {
                    auto* box = new QListWidget(parent);
                    box->setSelectionMode(QAbstractItemView::SingleSelection);
                    box->setMinimumWidth(190);
                    box->setFixedHeight(150);
                    form.addListBox(captionLabel(form, b.captionLabel, caption, &newLabel), box);
                    connect(box, &QListWidget::currentRowChanged, this, [this, i](int row) {
                        if (!showing_ && row >= 0) userPick(i, row);
                    });
                    w = box;
                } else {
                    auto* box = new QComboBox(parent);
                    box->setMaxVisibleItems(20);
                    box->setFocusPolicy(Qt::StrongFocus);
                    box->installEventFilter(this);
                    QLabel* label = captionLabel(form, b.captionLabel, caption, &newLabel);
                    if (b.voxIndex) {
                        // The caption sits above the ten lists, each with its level label.
                        if (newLabel) form.addHead(label);
                        auto* level = new QLabel(parent);
                        level->setObjectName(QString("lblVoxCmpLevel(%1)").arg(b.voxIndex - 1));
                        form.addPair(level, box);
                    } else if (newLabel) {
                        form.addPair(label, box);
                    } else {
                        form.extend(label, box);  // the six identity digits share a label
                    }
                    connect(box, &QComboBox::activated, this, [this, i](int p) { userPick(i, p); });
                    w = box;
                }
                break;
            case ControlKind::Check: {
                auto* box = new QCheckBox(caption, parent);
                form.addCheck(box);
                connect(box, &QCheckBox::clicked, this, [this, i](bool on) { userCheck(i, on); });
                w = box;
                break;
            }
            case ControlKind::Text: {
                auto* box = new QLineEdit(parent);
                box->setMaxLength(b.maxLength);
                if (!b.tooltip.empty()) box->setToolTip(Q(b.tooltip));
                // Wide enough for the longest text the box takes. A Chinese character is a
                // square of about the line height: measuring one would load a large font that
                // a start in English never needs.
                const QFontMetrics fm = box->fontMetrics();
                const int charWidth = b.textRule == TextRule::Message
                                          ? fm.height()
                                          : fm.horizontalAdvance(QChar('0'));
                box->setMinimumWidth(charWidth * (b.maxLength + 1) + 12);
                form.addPair(captionLabel(form, b.captionLabel, caption, &newLabel), box);
                connect(box, &QLineEdit::textEdited, this,
                        [this, i](const QString& text) { userText(i, text); });
                // Leaving the box shows it exactly as stored.
                connect(box, &QLineEdit::editingFinished, this, [this, i] { showControl(i); });
                w = box;
                break;
            }
            case ControlKind::Grid: {
                auto* grid = new GridControl(parent);
                InitTwoToneGrid(*grid, b.grid, ctx_.language);
                form.row("grids")->addWidget(grid);
                const int g = b.grid;
                connect(grid, &GridControl::afterEdit, this,
                        [this, g](int row, int col) { userCell(g, row, col); });
                w = grid;
                break;
            }
        }
        w->setObjectName(Q(b.name));
        controls_[static_cast<size_t>(i)] = w;
        byName_[b.name] = w;
    }

    // The buttons of the pages.
    auto button = [this](const char* name, const char* frame, auto handler) -> QPushButton* {
        auto it = forms_.find(frame);
        if (it == forms_.end()) return nullptr;
        auto* b = new QPushButton(it->second->frame());
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    if (QPushButton* b =
            button("cmdTwoWayVolSet", "fraMoreFunc", [this] { cmdTwoWayVolSet_Click(); })) {
        b->setText(">>");
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(">>") + 20);
        forms_["fraMoreFunc"]->extend(
            forms_["fraMoreFunc"]->frame()->findChild<QLabel*>("lblTwoWayVolumeLevel"), b);
    }
    if (QPushButton* b =
            button("cmdPttIdPauseChSet", "fraMoreFunc", [this] { cmdPttIdPauseChSet_Click(); })) {
        QHBoxLayout* row = forms_["fraMoreFunc"]->row("buttons");
        row->addWidget(b);
        row->addStretch();
    }
    if (QPushButton* b =
            button("cmdVoxCmpDefault", "fraVox", [this] { cmdVoxCmpDefault_Click(); })) {
        QHBoxLayout* row = forms_["fraVox"]->row("buttons");
        row->addWidget(b);
        row->addStretch();
    }
    if (auto it = forms_.find("fraAutoDialList"); it != forms_.end()) {
        auto* hint = new QLabel("0--9, A--D, *, #", it->second->frame());
        hint->setObjectName("lblAutoMemHint");
        it->second->row("hint")->addWidget(hint);
    }
    if (auto it = forms_.find("fraTwoTone"); it != forms_.end())
        it->second->row("grids")->addStretch();
}

// InitFace: the captions of the frames and the few texts the binding table does not carry;
// the controls got theirs from their rows when they were made.
void FunctionPages::InitFace() {
    TitlePageFrames(forms_, ctx_.faceText);
    if (auto it = forms_.find("fraVox"); it != forms_.end()) {
        for (int k = 0; k <= 9; ++k)
            if (auto* l =
                    it->second->frame()->findChild<QLabel*>(QString("lblVoxCmpLevel(%1)").arg(k)))
                l->setText(Q(VoxLevelCaption(ctx_.faceText, k)));
        if (auto* b = it->second->frame()->findChild<QPushButton*>("cmdVoxCmpDefault"))
            b->setText(ctx_.ft(403));
    }
    if (auto it = forms_.find("fraMoreFunc"); it != forms_.end())
        if (auto* b = it->second->frame()->findChild<QPushButton*>("cmdPttIdPauseChSet"))
            b->setText(ctx_.ft(387));
    if (codeArea_) codeArea_->InitFace();
}

}  // namespace tarvos::ui

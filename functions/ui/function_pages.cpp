#include "functions/ui/function_pages.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "document/radio_document.h"
#include "functions/function_model.h"
#include "functions/ui/code_area.h"
#include "functions/ui/input_code_dialog.h"
#include "functions/ui/ptt_id_pause_dialog.h"
#include "functions/ui/two_tone_grid.h"
#include "functions/ui/typed_text.h"
#include "functions/ui/volume_dialog.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// "cboRadioId(3)" -> "cboRadioId": the handler names of control arrays carry no index.
std::string BaseName(const std::string& name) {
    return name.substr(0, name.find('('));
}
}  // namespace

FunctionPages::FunctionPages(WindowContext& ctx, RadioDocument& document,
                             const FunctionPageContainers& where, QObject* parent)
    : QObject(parent), ctx_(ctx), doc_(document), where_(where), timerFactory_([] {
          return MakeQtDialogTimer();
      }) {
    setObjectName("FunctionPages");
    ctx_.guard("frmChMem->Form_Load", [&] {
        forms_ = BuildPageFrames(where_);
        BuildControls();
        if (where_.codeArea) codeArea_ = std::make_unique<CodeArea>(ctx_, doc_, where_.codeArea);
        InitFace();
    });
    if (where_.moreFuncButton)
        connect(where_.moreFuncButton, &QAbstractButton::clicked, this,
                [this] { cmdMoreFunc_Click(); });
    observer_ = doc_.addObserver([this](DocumentChange what) { documentChanged(what); });
    // The document may already hold a loaded image.
    ShowAll();
}

FunctionPages::~FunctionPages() {
    doc_.removeObserver(observer_);
}

QString FunctionPages::AccessCode() {
    return QString::fromUtf8("塔沃斯");
}

FunctionModel& FunctionPages::model() const {
    return doc_.functions();
}

QWidget* FunctionPages::control(std::string_view name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

bool FunctionPages::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && !box->hasFocus()) {
            // Not taken here: the wheel goes on to the page around the list.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FunctionPages::documentChanged(DocumentChange what) {
    if (what == DocumentChange::Replaced || what == DocumentChange::Functions) ShowAll();
}

// --- Showing the model -------------------------------------------------------------------

void FunctionPages::ShowAll() {
    ctx_.guard("frmChMem->InitOpt:", [&] {
        for (int i = 0; i < static_cast<int>(controls_.size()); ++i) showControl(i);
        if (codeArea_) codeArea_->Show();
    });
}

void FunctionPages::showControl(int index) {
    QWidget* w = controls_[static_cast<size_t>(index)];
    if (!w) return;
    const FunctionModel& m = model();
    const Binding& b = m.bindings()[static_cast<size_t>(index)];
    const ControlState& s = m.state(index);
    showing_ = true;
    const QSignalBlocker block(w);
    switch (b.kind) {
        case ControlKind::List: {
            // The entries are put in again only when the model's differ from those shown.
            auto& shown = shownEntries_[static_cast<size_t>(index)];
            const bool refill = shown != s.entries;
            if (refill) shown = s.entries;
            if (auto* box = qobject_cast<QComboBox*>(w)) {
                if (refill) lists_.fill(box, s.entries);
                if (box->currentIndex() != s.selected) box->setCurrentIndex(s.selected);
                if (b.voxIndex) box->setToolTip(Q(s.tooltip));
            } else if (auto* list = qobject_cast<QListWidget*>(w)) {
                if (refill) ListEntries::fill(list, s.entries);
                // One entry selected, the one the model shows.
                if (list->currentRow() != s.selected) list->setCurrentRow(s.selected);
            }
            break;
        }
        case ControlKind::Check: {
            auto* box = static_cast<QCheckBox*>(w);
            if (box->isChecked() != s.checked) box->setChecked(s.checked);
            if (b.name == "chkJumpFreFunc") box->setVisible(m.jumpFreFuncVisible());
            break;
        }
        case ControlKind::Text:
            ShowTyped(static_cast<QLineEdit*>(w), Q(s.text), index == typingIndex_);
            break;
        case ControlKind::Grid:
            ShowTwoToneGrid(*static_cast<GridControl*>(w), b.grid, m.twoTone());
            break;
    }
    w->setEnabled(m.enabled(index));
    showing_ = false;
}

// --- What the user does ------------------------------------------------------------------

void FunctionPages::userPick(int index, int p) {
    const std::string& name = model().bindings()[static_cast<size_t>(index)].name;
    ctx_.guard("frmChMem->" + BaseName(name) + "_Click", [&] {
        doc_.Edit(DocumentChange::Functions, [&] { model().Pick(doc_.image(), index, p); });
    });
}

void FunctionPages::userCheck(int index, bool checked) {
    const std::string& name = model().bindings()[static_cast<size_t>(index)].name;
    ctx_.guard("frmChMem->" + BaseName(name) + "_Click", [&] {
        doc_.Edit(DocumentChange::Functions,
                  [&] { model().SetChecked(doc_.image(), index, checked); });
    });
}

void FunctionPages::userText(int index, const QString& text) {
    const std::string& name = model().bindings()[static_cast<size_t>(index)].name;
    typingIndex_ = index;
    ctx_.guard("frmChMem->" + BaseName(name) + "_Change", [&] {
        doc_.Edit(DocumentChange::Functions,
                  [&] { model().SetText(doc_.image(), index, text.toStdString()); });
    });
    typingIndex_ = -1;
}

void FunctionPages::userCell(int g, int row, int col) {
    auto* grid = static_cast<GridControl*>(control("vsfgGridTwoTone(" + std::to_string(g) + ")"));
    if (!grid || row < 1 || row > 8 || col < 1 || col > 5) return;
    ctx_.guard("frmChMem->vsfgGridTwoTone_AfterEdit", [&] {
        const std::string text = grid->text(row, col).toStdString();
        doc_.Edit(DocumentChange::Functions, [&] {
            model().SetTwoToneCell(doc_.image(), 8 * g + row, static_cast<TwoToneColumn>(col),
                                   text);
        });
    });
}

// --- The buttons -------------------------------------------------------------------------

void FunctionPages::cmdTwoWayVolSet_Click() {
    ctx_.guard("frmChMem->cmdTwoWayVolSet_Click", [&] {
        QWidget* owner = controls_.empty() ? nullptr : control("cboTwoWayVolumeLevel");
        VolumeDialog dialog(ctx_, doc_, owner ? owner->window() : nullptr);
        dialog.exec();
    });
}

void FunctionPages::cmdPttIdPauseChSet_Click() {
    ctx_.guard("frmChMem->cmdPttIdPauseChSet_Click", [&] {
        QWidget* owner = control("cboPttIdPauseTime");
        PttIdPauseDialog dialog(ctx_, doc_, owner ? owner->window() : nullptr);
        dialog.exec();
    });
}

void FunctionPages::cmdVoxCmpDefault_Click() {
    ctx_.guard("frmChMem->cmdVoxCmpDefault_Click", [&] {
        doc_.Edit(DocumentChange::Functions, [&] { model().VoxCmpDefault(doc_.image()); });
    });
}

void FunctionPages::cmdMoreFunc_Click() {
    ctx_.guard("frmChMem->cmdMoreFunc_Click", [&] {
        QWidget* owner = where_.moreFuncButton ? where_.moreFuncButton->window() : nullptr;
        InputCodeDialog dialog(ctx_.language, timerFactory_(), owner);
        dialog.exec();
        // Only the right code does anything, and it says nothing either way.
        if (dialog.enteredCode() == AccessCode() && where_.moreFunc)
            where_.moreFunc->setVisible(where_.moreFunc->isHidden());
    });
}

}  // namespace tarvos::ui

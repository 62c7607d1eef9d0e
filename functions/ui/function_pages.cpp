#include "functions/ui/function_pages.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QVBoxLayout>

#include "document/radio_document.h"
#include "functions/function_frames.h"
#include "functions/function_model.h"
#include "functions/two_tone.h"
#include "functions/ui/input_code_dialog.h"
#include "functions/ui/ptt_id_pause_dialog.h"
#include "functions/ui/volume_dialog.h"
#include "widgets/grid_control.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QStringList Texts(const std::vector<std::string>& entries) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const auto& e : entries) texts << Q(e);
    return texts;
}

// "cboRadioId(3)" -> "cboRadioId": the handler names of control arrays carry no index.
std::string BaseName(const std::string& name) {
    return name.substr(0, name.find('('));
}

constexpr uint32_t kCodeStoredBack = Rgb(160, 32, 32);
constexpr uint32_t kNoCodeBack = Rgb(192, 192, 192);

// The two-tone grids' column widths (twips); the interval column takes the width of the
// duration columns.
constexpr int kTwoToneWidths[6] = {500, 1300, 1050, 1300, 1050, 1050};
constexpr int kTwoToneRowHeight = 260;

// A text box shows the text as stored. While the user types into it, blanks at the end that
// the stored form drops stay in the box, so that words can be separated; leaving the box
// shows it as stored.
void ShowTyped(QLineEdit* box, const QString& stored, bool typedNow) {
    if (box->text() == stored) return;
    const bool typing = typedNow || box->hasFocus();
    if (typing && QString(box->text()).remove(QRegularExpression(" +$")) == stored) return;
    box->setText(stored);
}

QString Joined(const std::vector<std::string>& list) {
    QStringList l;
    for (const auto& s : list) l << Q(s);
    return l.join('|');
}
}  // namespace

// The controls of one frame, laid out in the order they are added: list boxes with their
// labels above them, then caption/field pairs in a few columns, then check boxes in a few
// columns, then rows across the frame (sub-frames, grids, buttons).
class FrameForm {
  public:
    FrameForm(QWidget* frame, int pairColumns, int checkColumns, int listBoxColumns = 2)
        : frame_(frame),
          pairColumns_(pairColumns),
          checkColumns_(checkColumns),
          listBoxColumns_(listBoxColumns) {
        auto* outer = new QVBoxLayout(frame);
        outer->setContentsMargins(10, 8, 10, 8);
        outer->setSpacing(6);
        head_ = new QVBoxLayout;
        listBoxes_ = new QGridLayout;
        listBoxes_->setHorizontalSpacing(10);
        pairs_ = new QGridLayout;
        pairs_->setHorizontalSpacing(8);
        pairs_->setVerticalSpacing(4);
        checks_ = new QGridLayout;
        checks_->setHorizontalSpacing(16);
        checks_->setVerticalSpacing(2);
        wide_ = new QVBoxLayout;
        // The columns keep to the left; what is left over goes to a last, empty column.
        listBoxes_->setColumnStretch(listBoxColumns_, 1);
        pairs_->setColumnStretch(2 * pairColumns_, 1);
        checks_->setColumnStretch(checkColumns_, 1);
        for (QLayout* l : {static_cast<QLayout*>(head_), static_cast<QLayout*>(listBoxes_),
                           static_cast<QLayout*>(pairs_), static_cast<QLayout*>(checks_),
                           static_cast<QLayout*>(wide_)})
            outer->addLayout(l);
        outer->addStretch();
    }

    QWidget* frame() const { return frame_; }

    void addHead(QWidget* w) { head_->addWidget(w); }

    void addListBox(QLabel* label, QWidget* box) {
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(label);
        cell->addWidget(box);
        listBoxes_->addLayout(cell, listBoxCount_ / listBoxColumns_,
                              listBoxCount_ % listBoxColumns_);
        ++listBoxCount_;
    }

    void addPair(QLabel* label, QWidget* field) {
        const int row = pairCount_ / pairColumns_, col = pairCount_ % pairColumns_;
        ++pairCount_;
        auto* fields = new QHBoxLayout;
        fields->setSpacing(4);
        fields->addWidget(field);
        fields->addStretch();
        label->setBuddy(field);
        pairs_->addWidget(label, row, 2 * col);
        pairs_->addLayout(fields, row, 2 * col + 1);
        // Some air before a further pair column.
        if (col > 0) label->setContentsMargins(14, 0, 0, 0);
        fieldsOf_[label] = fields;
    }

    // A further control beside the field of label's pair.
    void extend(QLabel* label, QWidget* extra) {
        QHBoxLayout* fields = fieldsOf_.at(label);
        fields->insertWidget(fields->count() - 1, extra);
    }

    void addCheck(QWidget* check) {
        checks_->addWidget(check, checkCount_ / checkColumns_, checkCount_ % checkColumns_);
        ++checkCount_;
    }

    // A row across the frame, made on first use.
    QHBoxLayout* row(const std::string& key) {
        auto it = rows_.find(key);
        if (it != rows_.end()) return it->second;
        auto* r = new QHBoxLayout;
        r->setSpacing(10);
        wide_->addLayout(r);
        rows_[key] = r;
        return r;
    }

  private:
    QWidget* frame_;
    int pairColumns_, checkColumns_, listBoxColumns_;
    QVBoxLayout* head_;
    QGridLayout* listBoxes_;
    QGridLayout* pairs_;
    QGridLayout* checks_;
    QVBoxLayout* wide_;
    int listBoxCount_ = 0, pairCount_ = 0, checkCount_ = 0;
    std::map<QLabel*, QHBoxLayout*> fieldsOf_;
    std::map<std::string, QHBoxLayout*> rows_;
};

FunctionPages::FunctionPages(WindowContext& ctx, RadioDocument& document,
                             const FunctionPageContainers& where, QObject* parent)
    : QObject(parent), ctx_(ctx), doc_(document), where_(where), timerFactory_([] {
          return MakeQtDialogTimer();
      }) {
    setObjectName("FunctionPages");
    ctx_.guard("frmChMem->Form_Load", [&] {
        BuildFrames();
        BuildControls();
        BuildCodeArea();
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
    for (auto& [name, form] : forms_) delete form;
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

// --- Building ----------------------------------------------------------------------------

namespace {
QGroupBox* Frame(const char* name, QWidget* parent = nullptr) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    return box;
}

// A scrolling holder for a page whose controls may not fit when the page is small.
QWidget* ScrollingContent(QWidget* page, const char* name) {
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(name);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->setObjectName(QString(name) + "Content");
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return content;
}
}  // namespace

void FunctionPages::BuildFrames() {
    auto form = [this](const char* name, QWidget* frame, int pairs, int checks, int listBoxes = 2) {
        auto* f = new FrameForm(frame, pairs, checks, listBoxes);
        forms_[name] = f;
        return f;
    };

    // sstabSetMode, tab 1: the frame the channel window holds.
    if (where_.optionFrame) form("fraOptionSet", where_.optionFrame, 2, 2);

    // "未分类": the many options beside the side keys.
    if (QWidget* page = where_.moreFuncTabs[0]) {
        QWidget* content = ScrollingContent(page, "scrMoreFunc0");
        auto* fraMoreFunc = Frame("fraMoreFunc");
        auto* fraKeyAssign = Frame("fraKeyAssign");
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(6, 6, 6, 6);
        column->addWidget(fraMoreFunc);
        column->addWidget(fraKeyAssign);
        column->addStretch();
        form("fraMoreFunc", fraMoreFunc, 2, 3);
        form("fraKeyAssign", fraKeyAssign, 2, 1, 4);
    }

    // "DTMF": VOX and tail lists on the tab itself, the DTMF frames below them.
    if (QWidget* page = where_.moreFuncTabs[1]) {
        QWidget* content = ScrollingContent(page, "scrMoreFunc1");
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(6, 6, 6, 6);
        auto* onTab = new QWidget;
        onTab->setObjectName("sstabMoreFuncDtmfControls");
        column->addWidget(onTab);
        FrameForm* tab = form("sstabMoreFunc(DTMF)", onTab, 3, 3);
        auto* fraDtmf = new QFrame;
        fraDtmf->setObjectName("fraDtmf");
        tab->row("fraDtmf")->addWidget(fraDtmf);
        auto* fraDtmfEnc = Frame("fraDtmfEnc");
        auto* fraDtmfDec = Frame("fraDtmfDec");
        auto* fraAutoDialList = Frame("fraAutoDialList");
        auto* dtmfRow = new QHBoxLayout(fraDtmf);
        dtmfRow->setContentsMargins(0, 0, 0, 0);
        dtmfRow->addWidget(fraDtmfEnc, 0, Qt::AlignTop);
        dtmfRow->addWidget(fraDtmfDec, 0, Qt::AlignTop);
        dtmfRow->addWidget(fraAutoDialList, 0, Qt::AlignTop);
        dtmfRow->addStretch();
        form("fraDtmfEnc", fraDtmfEnc, 1, 1);
        FrameForm* dec = form("fraDtmfDec", fraDtmfDec, 1, 1);
        auto* fraStun = Frame("fraStun");
        dec->row("fraStun")->addWidget(fraStun);
        form("fraStun", fraStun, 1, 1);
        form("fraAutoDialList", fraAutoDialList, 2, 1);
        column->addStretch();
    }

    // "两音": the two-tone lists and the two grids side by side.
    if (QWidget* page = where_.moreFuncTabs[2]) {
        QWidget* content = ScrollingContent(page, "scrMoreFunc2");
        auto* fraTwoTone = Frame("fraTwoTone");
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(6, 6, 6, 6);
        column->addWidget(fraTwoTone);
        column->addStretch();
        form("fraTwoTone", fraTwoTone, 3, 3);
    }

    // "Tab 3": VOX comparison values, scan, battery and the embedded messages in fraSysSet2.
    if (where_.sysSet2Frame) {
        QWidget* content = ScrollingContent(where_.sysSet2Frame, "scrSysSet2");
        auto* grid = new QGridLayout(content);
        grid->setContentsMargins(6, 6, 6, 6);
        auto* fraVox = Frame("fraVox");
        auto* fraScan = Frame("fraScan");
        auto* fraBattery = Frame("fraBattery");
        auto* fraEmbedMsg = Frame("fraEmbedMsg");
        grid->addWidget(fraVox, 0, 0, Qt::AlignTop);
        grid->addWidget(fraScan, 0, 1, Qt::AlignTop);
        grid->addWidget(fraEmbedMsg, 1, 0, Qt::AlignTop);
        grid->addWidget(fraBattery, 1, 1, Qt::AlignTop);
        grid->setColumnStretch(2, 1);
        grid->setRowStretch(2, 1);
        form("fraVox", fraVox, 2, 1);
        form("fraScan", fraScan, 1, 1);
        form("fraBattery", fraBattery, 1, 1);
        form("fraEmbedMsg", fraEmbedMsg, 1, 1);
    }
}

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
                InitTwoToneGrid(*grid, b.grid);
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

void FunctionPages::InitTwoToneGrid(GridControl& grid, int g) {
    grid.setFormatString(Q(TwoToneHeaderFormat(ctx_.language)));
    grid.setRowHeightTwips(0, kTwoToneRowHeight);
    for (int r = 1; r <= 8; ++r) {
        grid.addItem(QString::number(8 * g + r));
        grid.setRowHeightTwips(r, kTwoToneRowHeight);
    }
    for (int c = 0; c <= 5; ++c) {
        grid.setColAlignmentCenter(c);
        grid.setColWidthTwips(c, kTwoToneWidths[c]);
    }
    grid.setColDataType(1, GridControl::ValueType::Decimal);
    grid.setColDataType(3, GridControl::ValueType::Decimal);
    grid.setColComboList(2, Joined(TwoToneDurationList()));
    grid.setColComboList(4, Joined(TwoToneDurationList()));
    grid.setColComboList(5, Joined(TwoToneIntervalList()));
    for (int c : {2, 4, 5}) grid.setColListOnly(c, true);  // the times only as their lists offer
    // White cells; the grid has no area outside them.
    grid.setCellBackColor(1, 1, 8, 5, Rgb(255, 255, 255));
    grid.setEditable(true);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    // The whole grid in view, without scroll bars.
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = grid.verticalHeader()->width() + 2 * grid.frameWidth();
    for (int c = 1; c <= 5; ++c) width += grid.columnWidth(c - 1);
    int height = grid.horizontalHeader()->height() + 2 * grid.frameWidth();
    for (int r = 1; r <= 8; ++r) height += grid.rowHeight(r - 1);
    grid.setFixedSize(width, height);
}

void FunctionPages::BuildCodeArea() {
    QWidget* area = where_.codeArea;
    if (!area) return;
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
    connect(txtNewRdWrCode_, &QLineEdit::editingFinished, this, [this] { showCodeArea(); });
    connect(chkNewRdWrCode_, &QCheckBox::clicked, this,
            [this](bool on) { chkNewRdWrCode_Click(on); });
}

// InitFace: the captions of the frames and the few texts the binding table does not carry;
// the controls got theirs from their rows when they were made.
void FunctionPages::InitFace() {
    auto title = [this](const std::string& frame, const QString& text) {
        auto it = forms_.find(frame);
        if (it == forms_.end()) return;
        if (auto* box = qobject_cast<QGroupBox*>(it->second->frame())) box->setTitle(text);
    };
    for (const FunctionFrame& f : FunctionFrames())
        title(std::string(f.name), Q(FrameCaption(ctx_.faceText, f.name)));
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
    if (lblRdWrCode_) {
        lblRdWrCode_->setText(ctx_.ft(362));
        lblRdWrCodeHint_[0]->setText(ctx_.ft(363));
        lblRdWrCodeHint_[1]->setText(ctx_.ft(363));
        chkNewRdWrCode_->setText(ctx_.ft(364));
        lblNewRdWrCode_->setText(ctx_.ft(365));
    }
}

// --- Showing the model -------------------------------------------------------------------

void FunctionPages::ShowAll() {
    ctx_.guard("frmChMem->InitOpt:", [&] {
        for (int i = 0; i < static_cast<int>(controls_.size()); ++i) showControl(i);
        showCodeArea();
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
                if (refill) fillList(box, s.entries);
                if (box->currentIndex() != s.selected) box->setCurrentIndex(s.selected);
                if (b.voxIndex) box->setToolTip(Q(s.tooltip));
            } else if (auto* list = qobject_cast<QListWidget*>(w)) {
                if (refill) {
                    list->clear();
                    list->addItems(Texts(s.entries));
                }
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
            showGrid(index);
            break;
    }
    w->setEnabled(m.enabled(index));
    showing_ = false;
}

// A short list holds its entries in its own model. Long lists with the same entries (the ten
// VOX comparison lists, the pairs of timing lists) show one list of plain strings: a fraction
// of the time and memory of items for each list. Handing a list another model costs it more
// than a few dozen entries do (it rewires itself), so short lists are not shared.
void FunctionPages::fillList(QComboBox* box, const std::vector<std::string>& entries) {
    constexpr size_t kShortList = 64;
    if (entries.size() > kShortList) {
        box->setModel(entriesModel(entries));
        return;
    }
    // A shared list is not to be emptied: the list goes back to a model of its own.
    if (box->model()->parent() != box) box->setModel(new QStandardItemModel(0, 1, box));
    box->clear();
    box->addItems(Texts(entries));
}

QAbstractItemModel* FunctionPages::entriesModel(const std::vector<std::string>& entries) {
    auto it = entriesModels_.find(entries);
    if (it != entriesModels_.end()) return it->second;
    auto* model = new QStringListModel(Texts(entries), this);
    entriesModels_.emplace(entries, model);
    return model;
}

void FunctionPages::showGrid(int index) {
    auto* grid = static_cast<GridControl*>(controls_[static_cast<size_t>(index)]);
    const int g = model().bindings()[static_cast<size_t>(index)].grid;
    const TwoToneTable& cells = model().twoTone();
    for (int r = 1; r <= 8; ++r) {
        const TwoToneCells& e = cells[static_cast<size_t>(8 * g + r - 1)];
        for (int c = 1; c <= 5; ++c) {
            const QString text = Q(e.cell(static_cast<TwoToneColumn>(c)));
            if (grid->text(r, c) != text) grid->setText(r, c, text);
        }
    }
}

void FunctionPages::showCodeArea() {
    if (!txtRdWrCode_) return;
    const FunctionModel& m = model();
    showing_ = true;
    {
        const QSignalBlocker b1(txtRdWrCode_), b2(txtNewRdWrCode_), b3(chkNewRdWrCode_);
        // The box shows what was typed into it, never the stored code; its colour says
        // whether the image holds one.
        const QString typed = Q(m.rdWrCodeText());
        if (txtRdWrCode_->text() != typed) txtRdWrCode_->setText(typed);
        QPalette pal = txtRdWrCode_->palette();
        pal.setColor(QPalette::Base,
                     ColorFromBgr(m.rdWrCodeStored() ? kCodeStoredBack : kNoCodeBack));
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
        const QString newText = Q(m.newRdWrCodeText());
        ShowTyped(txtNewRdWrCode_, newText, typingNewCode_);
    }
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

void FunctionPages::txtRdWrCode_Change(const QString& text) {
    doc_.Edit(DocumentChange::Functions,
              [&] { model().SetRdWrCodeText(doc_.image(), text.toStdString()); });
}

void FunctionPages::txtNewRdWrCode_Change(const QString& text) {
    // The new code lives outside the image: nothing to save, only the page to redraw.
    ctx_.guard("frmChMem->txtNewRdWrCode_Change",
               [&] { model().SetNewRdWrCodeText(text.toStdString()); });
    typingNewCode_ = true;
    showCodeArea();
    typingNewCode_ = false;
}

void FunctionPages::chkNewRdWrCode_Click(bool checked) {
    model().SetNewRdWrCodeChecked(checked);
    showCodeArea();
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

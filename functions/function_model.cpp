#include "functions/function_model.h"

#include "memory/char_table.h"

namespace tarvos {

namespace {
// The first n characters of text (a box accepts no more than its maximum length).
std::string CutChars(std::string_view text, int n) {
    std::u32string chars = Utf8ToU32(text);
    if (chars.size() > static_cast<size_t>(n)) chars.resize(static_cast<size_t>(n));
    return U32ToUtf8(chars);
}

std::vector<int> EnabledByTable(const std::vector<Binding>& table) {
    std::vector<int> by(table.size(), -1);
    for (size_t j = 0; j < table.size(); ++j)
        for (const auto& name : table[j].enables) by[FindBinding(name)] = static_cast<int>(j);
    return by;
}
}  // namespace

// chkTxEndTone: the monitor end tone follows a user's tick or untick of the end tone.
void CoupleTxEndTone(FunctionModel& model, ByteImage& image, const Binding& row) {
    int self = model.indexOf(row.name);
    model.checkChanged(image, model.indexOf("chkMoniTxEndTone"), model.st(self).checked, false);
}

// cboCodeContiTime: a user's pick selects the same position in the interval list when that
// list has a selection, which writes the interval byte as a pick there does.
void CoupleCodeContiTime(FunctionModel& model, ByteImage& image, const Binding& row) {
    int self = model.indexOf(row.name);
    int space = model.indexOf("cboCodeSpaceTime");
    if (model.st(space).selected >= 0)
        model.listChanged(image, space, model.st(self).selected, false);
}

FunctionModel::FunctionModel(int language, ErrorLog* log)
    : faceText_(language),
      externalLog_(log),
      states_(FunctionBindings().size()),
      enabledBy_(EnabledByTable(FunctionBindings())),
      newCodeBuf_(InitialNewCodeBuf()) {
    // The three lists with fixed entries have them before the first load.
    const auto& table = FunctionBindings();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].kind == ControlKind::List && table[i].fixedEntries)
            states_[i].entries = table[i].entries(faceText_);
}

const Binding& FunctionModel::row(int index) const {
    const auto& table = FunctionBindings();
    if (index < 0 || index >= static_cast<int>(table.size())) Raise(err::IndexOutOfRange);
    return table[static_cast<size_t>(index)];
}

ControlState& FunctionModel::st(int index) {
    row(index);  // range check
    return states_[static_cast<size_t>(index)];
}

const ControlState& FunctionModel::state(int index) const {
    row(index);
    return states_[static_cast<size_t>(index)];
}

const ControlState& FunctionModel::state(std::string_view name) const {
    return state(indexOf(name));
}

bool FunctionModel::enabled(int index) const {
    row(index);
    int by = enabledBy_[static_cast<size_t>(index)];
    return by < 0 || row(by).enablesWhen(states_[static_cast<size_t>(by)]);
}

bool FunctionModel::enabled(std::string_view name) const {
    return enabled(indexOf(name));
}

std::string FunctionModel::shownEntry(int index) const {
    const ControlState& s = state(index);
    switch (row(index).kind) {
        case ControlKind::List:
            if (s.selected < 0 || s.selected >= static_cast<int>(s.entries.size())) return {};
            return s.entries[static_cast<size_t>(s.selected)];
        case ControlKind::Text:
            return s.text;
        default:
            return {};
    }
}

void FunctionModel::changed(int index) {
    ++revision_;
    if (observer_) observer_(index);
}

// ---------------------------------------------------------------------------------------
// Change handling shared by loading and the user's actions.

void FunctionModel::listChanged(ByteImage& image, int index, int p, bool byUser) {
    const Binding& b = row(index);
    ControlState& s = st(index);
    if (b.kind != ControlKind::List || p < 0 || p >= static_cast<int>(s.entries.size()))
        Raise(err::InvalidPropertyValue, "no entry " + std::to_string(p) + " in " + b.name);
    s.selected = p;
    if (b.encode)
        b.encode(image, b, p);
    else
        Set(image, b.field, static_cast<unsigned>(p + b.offset));
    if (b.voxIndex) s.tooltip = VoxCmpTooltip(static_cast<int>(Get(image, b.field)));
    changed(index);
    if (byUser && b.coupling) b.coupling(*this, image, b);
}

void FunctionModel::checkChanged(ByteImage& image, int index, bool checked, bool byUser) {
    const Binding& b = row(index);
    if (b.kind != ControlKind::Check) Raise(err::InvalidPropertyValue, b.name + " is no check box");
    st(index).checked = checked;
    Set(image, b.field, (checked != b.inverted) ? 1u : 0u);
    changed(index);
    if (byUser && b.coupling) b.coupling(*this, image, b);
}

// A code box filters what it is given, shows the filtered text and writes it.
void FunctionModel::codeTextChanged(ByteImage& image, int index, std::string_view text) {
    const Binding& b = row(index);
    st(index).text = EncodeCodeField(image, b.codeField, text);
    changed(index);
}

// ShowEmbedMsg: both message boxes show their line as stored.
void FunctionModel::showEmbedMsg(const ByteImage& image) {
    for (int k = 1; k <= 2; ++k) {
        int index = indexOf("txtInfo(" + std::to_string(k) + ")");
        std::string shown = DecodeMessage(image, k);
        if (st(index).text != shown) {
            st(index).text = shown;
            changed(index);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Loading.

void FunctionModel::loadList(ByteImage& image, int index) {
    const Binding& b = row(index);
    ControlState& s = st(index);
    if (!b.fixedEntries) s.entries = b.entries(faceText_);
    if (b.voxIndex && image.at(kVoxCmpMarkerAddr) != kVoxCmpMarker) {
        // An image that never had comparison values: the default action sets all ten.
        VoxCmpDefault(image);
        return;
    }
    if (b.hasRule()) {
        int code = static_cast<int>(Get(image, b.field));
        if (code < b.rule.low && b.rule.belowDefault >= 0)
            Set(image, b.field, static_cast<unsigned>(b.rule.belowDefault));
        else if (code > b.rule.high && b.rule.aboveDefault >= 0)
            Set(image, b.field, static_cast<unsigned>(b.rule.aboveDefault));
    }
    int p = b.decode ? b.decode(image, b) : static_cast<int>(Get(image, b.field)) - b.offset;
    // The write-back of the shown entry makes the stored code canonical.
    listChanged(image, index, p, false);
}

void FunctionModel::loadText(ByteImage& image, int index) {
    const Binding& b = row(index);
    ControlState& s = st(index);
    if (b.textRule == TextRule::Code) {
        std::string shown = DecodeCodeField(image, b.codeField);
        if (shown != s.text) codeTextChanged(image, index, shown);
    } else {
        // A changed text is stored again, so positions without a character become spaces.
        std::string shown = DecodeMessage(image, b.messageLine);
        if (shown != s.text) {
            s.text = shown;
            EncodeMessage(image, b.messageLine, shown);
            changed(index);
        }
    }
}

void FunctionModel::loadGrid(ByteImage& image, int index) {
    const Binding& b = row(index);
    // Each of the two grids shows eight of the sixteen entries.
    for (int r = 0; r < 8; ++r)
        twoTone_[8 * b.grid + r] = LoadTwoToneEntry(image, 8 * b.grid + r + 1);
    changed(index);
}

void FunctionModel::LoadControl(ByteImage& image, int index) {
    const Binding& b = row(index);
    switch (b.kind) {
        case ControlKind::List:
            loadList(image, index);
            break;
        case ControlKind::Check:
            st(index).checked = (Get(image, b.field) != 0) != b.inverted;
            changed(index);
            break;
        case ControlKind::Text:
            loadText(image, index);
            break;
        case ControlKind::Grid:
            loadGrid(image, index);
            break;
    }
}

void FunctionModel::InitOpt(ByteImage& image) {
    Guard(log(), "frmChMem->InitOpt:", [&] {
        for (int i = 0; i < static_cast<int>(bindings().size()); ++i) LoadControl(image, i);
        ShowRdWrCode(image);
    });
}

void FunctionModel::SoftDisplay(ByteImage& image) {
    InitOpt(image);
    int first = indexOf("cboVoxCmpDat(1)"), last = indexOf("cboVoxCmpDat(10)");
    if (state(first).selected < 20 || state(last).selected > 180) VoxCmpDefault(image);
}

// ---------------------------------------------------------------------------------------
// A user's actions.

void FunctionModel::Pick(ByteImage& image, int index, int p) {
    listChanged(image, index, p, true);
}

void FunctionModel::SetChecked(ByteImage& image, int index, bool checked) {
    checkChanged(image, index, checked, true);
}

void FunctionModel::SetText(ByteImage& image, int index, std::string_view text) {
    const Binding& b = row(index);
    if (b.kind != ControlKind::Text) Raise(err::InvalidPropertyValue, b.name + " is no text box");
    // Typed key by key: a code box drops at each key what its filter removes, so a removed
    // character takes no place in the box; a full box takes no more keys.
    std::string typed = CutChars(
        b.textRule == TextRule::Code ? DelInvalidChar(text, b.codeField.kind) : std::string(text),
        b.maxLength);
    if (b.textRule == TextRule::Code) {
        codeTextChanged(image, index, typed);
        return;
    }
    Guard(log(), "frmChMem->txtInfo_LostFocus", [&] {
        st(index).text = typed;
        EncodeMessage(image, b.messageLine, typed);
        changed(index);
        showEmbedMsg(image);
    });
}

void FunctionModel::SetTwoToneCell(ByteImage& image, int entry, TwoToneColumn column,
                                   std::string_view text) {
    if (entry < 1 || entry > kTwoToneEntries) Raise(err::IndexOutOfRange);
    twoTone_[entry - 1].cell(column) = std::string(text);
    EncodeTwoTone(image, twoTone_);
    changed(-1);
}

void FunctionModel::VoxCmpDefault(ByteImage& image) {
    for (int k = 1; k <= 10; ++k)
        listChanged(image, indexOf("cboVoxCmpDat(" + std::to_string(k) + ")"),
                    kVoxCmpDefaults[k - 1], false);
    image.at(kVoxCmpMarkerAddr) = kVoxCmpMarker;
}

void FunctionModel::RerunListHandler(ByteImage& image, int index) {
    if (state(index).selected >= 0) listChanged(image, index, state(index).selected, false);
}

void FunctionModel::SetByCode(ByteImage& image, std::string_view name, int value) {
    int index = indexOf(name);
    if (row(index).kind == ControlKind::Check)
        checkChanged(image, index, value != 0, false);
    else
        listChanged(image, index, value, false);
}

// ---------------------------------------------------------------------------------------
// Read/write code.

void FunctionModel::SetRdWrCodeText(ByteImage& image, std::string_view text) {
    Guard(log(), "frmChMem->txtRdWrCode_Change", [&] {
        rdWrCodeText_ = CutChars(text, kRdWrCodeChars);
        WriteStoredRdWrCode(image, rdWrCodeText_);
        changed(-1);
        ShowRdWrCode(image);
    });
}

void FunctionModel::ShowRdWrCode(ByteImage& image) {
    rdWrCodeStored_ = !DecodeRdWrCode(StoredRdWrCodeBytes(image)).empty();
    if (!rdWrCodeStored_ && !rdWrCodeText_.empty()) {
        // Emptying the box is a change of it: the empty code is stored as "no code".
        rdWrCodeText_.clear();
        WriteStoredRdWrCode(image, rdWrCodeText_);
    }
    changed(-1);
}

void FunctionModel::SetNewRdWrCodeText(std::string_view text) {
    std::string typed = CutChars(text, kRdWrCodeChars);
    WriteNewCode(newCodeBuf_, typed);
    // The box shows the code as stored; showing a different text stores that text again.
    for (;;) {
        std::string shown = DecodeRdWrCode(NewCodeBytes(newCodeBuf_));
        if (shown == typed) break;
        typed = shown;
        WriteNewCode(newCodeBuf_, typed);
    }
    newRdWrCodeText_ = typed;
    changed(-1);
}

FunctionModel::CodeBoxes FunctionModel::codeBoxes() const {
    return {rdWrCodeText_};
}

void FunctionModel::restoreCodeBoxes(const CodeBoxes& boxes, ByteImage& image) {
    rdWrCodeText_ = boxes.rdWrCodeText;
    rdWrCodeStored_ = !DecodeRdWrCode(StoredRdWrCodeBytes(image)).empty();
    changed(-1);
}

void FunctionModel::SetNewRdWrCodeChecked(bool checked) {
    newRdWrCodeChecked_ = checked;
    changed(-1);
}

void FunctionModel::setRdWrCodeVisible(bool visible) {
    rdWrCodeVisible_ = visible;
    changed(-1);
}

void FunctionModel::setJumpFreFuncVisible(bool visible) {
    jumpFreFuncVisible_ = visible;
    changed(-1);
}

bool FunctionModel::jumpFreFuncChecked() const {
    return state("chkJumpFreFunc").checked;
}
bool FunctionModel::alarmSwitchChecked() const {
    return state("chkAlarmSwitch").checked;
}

}  // namespace tarvos

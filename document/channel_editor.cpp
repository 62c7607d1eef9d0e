#include "document/channel_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/error_log.h"
#include "base/split.h"
#include "document/radio_document.h"
#include "memory/char_table.h"

namespace tarvos {

namespace {

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
int DigitValue(char32_t c) {
    return static_cast<int>(c - U'0');
}

// The keys of the fixed columns; every other key is an option column's drop-down list.
bool FixedColumnKey(const std::string& key) {
    return key == "RxFre" || key == "TxFre" || key == "OFFSET" || key == "CHNAME" ||
           key == "CtcssDcsDec" || key == "CtcssDcsEnc";
}

// Column 20 is kept for a channel name this radio does not have: it always shows nothing.
constexpr int kNameColumn = 20;

}  // namespace

// --- Pure rules ------------------------------------------------------------------------------

std::string FrequencyText(int32_t tenHz) {
    const int64_t v = tenHz;
    const int64_t whole = std::llabs(v) / 100000;
    int64_t frac = std::llabs(v) % 100000;
    std::string text = (v < 0 ? "-" : "") + std::to_string(whole);
    if (frac == 0) return text;
    std::string digits = std::to_string(frac);
    digits.insert(0, 5 - digits.size(), '0');
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return text + "." + digits;
}

bool IsNumericText(std::string_view text) {
    bool digit = false, point = false, sign = false;
    for (char ch : text) {
        if (ch == ' ') continue;
        if (ch >= '0' && ch <= '9') {
            digit = true;
        } else if (ch == '.' && !point) {
            point = true;
        } else if ((ch == '+' || ch == '-') && !sign && !digit && !point) {
            sign = true;
        } else {
            return false;
        }
    }
    return digit;
}

int32_t ReadTypedFrequency(std::string_view text) {
    const std::u32string chars = Utf8ToU32(text);
    if (chars.size() > 9) return -1;
    // Places 1..9 of "###.#####"; place 4 is the point.
    static constexpr int32_t kWeights[9] = {10000000, 1000000, 100000, 0, 10000, 1000, 100, 10, 1};
    int32_t value = 0;
    for (size_t i = 0; i < chars.size(); ++i)
        if (i != 3 && IsDigit(chars[i])) value += DigitValue(chars[i]) * kWeights[i];
    return value;
}

int32_t ModifyTxRxFre(int64_t v) {
    // Two candidates, on the 250 Hz and on the 6.25 kHz raster, each the nearest; the
    // 6.25 kHz one wins a tie. Every 6.25 kHz step is a 250 Hz step, so the result is the
    // nearest multiple of 25 units.
    const int64_t a = std::llround(static_cast<double>(v) / 25.0);
    const int64_t b = std::llround(static_cast<double>(v) / 625.0);
    const int64_t eA = std::llabs(v - a * 25);
    const int64_t eB = std::llabs(v - b * 625);
    const int64_t result = eA < eB ? a * 25 : b * 625;
    return static_cast<int32_t>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

ToneEntry NormaliseToneEntry(std::string_view text) {
    const std::u32string u = Utf8ToU32(text);
    if (u.size() >= 6) return {};
    // t(1) .. t(5); a missing character is empty.
    auto t = [&](size_t i) -> char32_t { return i <= u.size() ? u[i - 1] : U'\0'; };
    auto dcs = [](char32_t d1, char32_t d2, char32_t d3, char32_t polarity) -> ToneEntry {
        for (char32_t d : {d1, d2, d3})
            if (d < U'0' || d > U'7') return {ToneEntry::Kind::Invalid, {}};
        std::string out = "D";
        for (char32_t d : {d1, d2, d3}) out += static_cast<char>(d);
        out += (polarity == U'I' || polarity == U'i') ? "I" : "N";
        return {ToneEntry::Kind::Valid, out};
    };
    if (t(3) != U'.' && t(4) != U'.') {
        if (t(1) == U'D') return dcs(t(2), t(3), t(4), t(5));
        return dcs(t(1), t(2), t(3), t(4));
    }
    // CTCSS in tenths of a hertz, "dd.d" or "ddd.d".
    if (!IsDigit(t(1))) return {};
    auto d = [&](size_t i) { return IsDigit(t(i)) ? DigitValue(t(i)) : 0; };
    const int value =
        t(3) == U'.' ? d(1) * 100 + d(2) * 10 + d(4) : d(1) * 1000 + d(2) * 100 + d(3) * 10 + d(5);
    if (value > 599 && value <= 2650)
        return {ToneEntry::Kind::Valid,
                std::to_string(value / 10) + "." + std::to_string(value % 10)};
    return dcs(t(1), t(2), t(3), U'N');
}

// --- The editor ------------------------------------------------------------------------------

ChannelEditor::ChannelEditor(RadioDocument& doc) : doc_(doc) {
    // The document tells its editors after the image was replaced; the grid's model is
    // redrawn first, so every later observer sees it done.
    observer_ = doc_.addObserver([this](DocumentChange what) {
        if (what == DocumentChange::Replaced) ShowChTblGrid();
    });
}

ChannelEditor::~ChannelEditor() {
    doc_.removeObserver(observer_);
}

int ChannelEditor::rows() const {
    return std::clamp(doc_.layout().channelCount, 0, kMaxChannelCount);
}

int ChannelEditor::cols() const {
    return std::clamp(doc_.layout().columnCount, 0, kMaxColumnCount);
}

bool ChannelEditor::valid(int row, int col) const {
    return row >= 1 && row <= rows() && col >= 1 && col <= cols();
}

const GridCell& ChannelEditor::cell(int row, int col) const {
    if (!valid(row, col)) Raise(err::IndexOutOfRange, "no channel grid cell");
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

GridCell& ChannelEditor::at(int row, int col) {
    if (!valid(row, col)) Raise(err::IndexOutOfRange, "no channel grid cell");
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

bool ChannelEditor::cellEmpty(int row, int col) const {
    return col > cols() || text(row, col).empty();
}

bool ChannelEditor::optionColumn(int col) const {
    return col >= chf::FirstOption && col <= cols() && col != kNameColumn &&
           !FixedColumnKey(doc_.layout().key(col));
}

std::vector<std::string> ChannelEditor::dropDownItems(int col) const {
    if (!optionColumn(col)) return {};
    return SplitAt(doc_.layout().key(col), '|');
}

CellColour ChannelEditor::bandColour(int32_t tenHz) const {
    return tenHz < doc_.bandLow() || tenHz > doc_.bandHigh() ? CellColour::Over : CellColour::Def;
}

std::string ChannelEditor::optionText(int col, int32_t value) const {
    if (value < 0 || value + 3 >= kItemSlots) return {};
    return doc_.layout().item(col, value + 3);
}

void ChannelEditor::SetCellText(int r, int c, const std::string& text) {
    at(r, c).text = text;
}

// --- Gestures as one Edit --------------------------------------------------------------------

ChannelEditor::Snapshot ChannelEditor::snapshot() const {
    return {doc_.chInfo(), doc_.toneText(), doc_.image(), cells_};
}

void ChannelEditor::restore(const Snapshot& s) {
    doc_.chInfo() = s.chInfo;
    doc_.toneText() = s.toneText;
    doc_.image() = s.image;
    cells_ = s.cells;
}

void ChannelEditor::restoreSaved(const Saved& saved) {
    hideToneBox();
    cells_ = saved.cells;
    syncedInfo_ = saved.syncedInfo;
    syncedTones_ = saved.syncedTones;
}

void ChannelEditor::gestureBegin() {
    ++gestureDepth_;
}

void ChannelEditor::gestureEnd(const Snapshot& before) {
    --gestureDepth_;
    Snapshot after = snapshot();
    if (after == before) return;
    // The change is made again inside one Edit, so it counts (and can be taken back) as one.
    restore(before);
    doc_.Edit(DocumentChange::Channels, [&] { restore(after); });
}

// --- The table and the image -----------------------------------------------------------------

bool ChannelEditor::pendingEdits() const {
    return doc_.chInfo() != syncedInfo_ || doc_.toneText() != syncedTones_;
}

void ChannelEditor::TableSynced() {
    syncedInfo_ = doc_.chInfo();
    syncedTones_ = doc_.toneText();
}

// --- Redrawing -------------------------------------------------------------------------------

void ChannelEditor::ClearAll() {
    for (auto& row : cells_) row.fill(GridCell{});
    openTone_ = {};
    toneBoxText_.clear();
    paintedRow_ = 0;
}

void ChannelEditor::ShowChTblGrid() {
    hideToneBox();
    Guard(doc_.log(), "modChMem->ShowChTblGrid", [&] {
        for (int ch = 1; ch <= rows(); ++ch) ShowChannel(ch);
    });
    current_ = {1, 1};
}

void ChannelEditor::ShowChannel(int ch) {
    if (doc_.chInfo().empty(ch)) {
        // Colours are left as they are.
        for (int c = 1; c <= cols(); ++c) at(ch, c).text.clear();
        return;
    }
    ChParaShow(ch);
    RxFreShow(ch);
    TxFreShow(ch);
    CtdcsDecShow(ch);
    CtdcsEncShow(ch);
}

void ChannelEditor::RxFreShow(int ch) {
    Guard(doc_.log(), "modChMem->RxFreShow", [&] {
        if (cols() < 1) return;
        const int32_t rx = doc_.chInfo()(ch, chf::RxFre);
        at(ch, 1) = {FrequencyText(rx), bandColour(rx)};
    });
}

void ChannelEditor::TxFreShow(int ch) {
    Guard(doc_.log(), "modChMem->TxFreShow", [&] {
        if (cols() < 2) return;
        const int32_t tx = doc_.chInfo()(ch, chf::TxFre);
        at(ch, 2) = tx == -1 ? GridCell{} : GridCell{FrequencyText(tx), bandColour(tx)};
    });
}

void ChannelEditor::CtdcsDecShow(int ch) {
    Guard(doc_.log(), "modChMem->CtdcsDecShow", [&] {
        if (cols() < 3) return;
        at(ch, 3).text = doc_.toneText().decode(ch);
    });
}

void ChannelEditor::CtdcsEncShow(int ch) {
    Guard(doc_.log(), "modChMem->CtdcsEncShow", [&] {
        if (cols() < 4) return;
        const bool noTx = doc_.chInfo()(ch, chf::TxFre) == -1;
        at(ch, 4).text = noTx ? std::string() : doc_.toneText().encode(ch);
    });
}

void ChannelEditor::ChParaShow(int ch) {
    Guard(doc_.log(), "modChMem->ChParaShow", [&] {
        for (int c = chf::FirstOption; c <= cols(); ++c) {
            if (c == kNameColumn) continue;
            const int32_t value = doc_.chInfo()(ch, c);
            if (value < 0 || value + 3 >= kItemSlots)
                Raise(err::IndexOutOfRange, "no display slot");
            at(ch, c).text = doc_.layout().item(c, value + 3);
        }
    });
}

// --- Editing a cell --------------------------------------------------------------------------

BeforeEditResult ChannelEditor::BeforeEdit(int r, int c) {
    BeforeEditResult result;
    Guard(doc_.log(), "frmChMem->vsfgGridCh_BeforeEdit:", [&] {
        // Any edit closes the tone box; what was typed into it is kept.
        if (openTone_.col != 0) LeaveToneBox();
        if (locked() || !valid(r, c)) return;
        result.mode = c == 1 || c == 2 || c == kNameColumn ? EditMode::Text
                      : c == 3 || c == 4                   ? EditMode::None
                                                           : EditMode::List;
        const ChannelTable& info = doc_.chInfo();
        // An empty channel can only be started by typing its receive frequency.
        if (info.empty(r) && c != 1) return;
        // No encode tone without a transmit frequency.
        if (!info.empty(r) && c == 4 && info(r, chf::TxFre) == -1) return;
        if (optionColumn(c)) result.list = doc_.layout().key(c);
        if (result.mode == EditMode::List && result.list.empty()) result.mode = EditMode::Text;
        result.cancel = result.mode == EditMode::None;
    });
    return result;
}

void ChannelEditor::AfterEdit(int r, int c, const std::string& text, int chosen) {
    if (locked() || !valid(r, c)) return;
    Guard(doc_.log(), "frmChMem->GridChAfterEdit", [&] {
        Gesture([&] {
            SetCellText(r, c, text);
            GridChAfterEdit(r, c, chosen);
        });
    });
}

void ChannelEditor::clearChannel(int r) {
    for (int j = 1; j <= std::min(cols(), kChannelFields); ++j) doc_.chInfo()(r, j) = -1;
    for (int c = 1; c <= cols(); ++c) at(r, c) = GridCell{};
    doc_.toneText().decode(r).clear();
    doc_.toneText().encode(r).clear();
}

void ChannelEditor::switchTransmitOff(int r) {
    doc_.chInfo()(r, chf::TxFre) = -1;
    for (int c : {2, 4})
        if (c <= cols()) at(r, c) = GridCell{};
    doc_.toneText().encode(r).clear();
}

void ChannelEditor::GridChAfterEdit(int r, int c, int chosen) {
    if (locked() || !valid(r, c)) return;
    ChannelTable& info = doc_.chInfo();
    ToneTexts& tones = doc_.toneText();
    const std::string& none = doc_.toneList().NoneText();
    const std::string typed = text(r, c);

    if (c != 1 && c != 2) {
        if (optionColumn(c)) {
            const int count = static_cast<int>(dropDownItems(c).size());
            if (chosen >= 0 && chosen < count) {
                info(r, c) = chosen;
            } else {
                // Text that matches no item stores nothing; the cell shows again what is
                // stored, not a value the channel does not have.
                at(r, c).text = optionText(c, info(r, c));
            }
        }
    } else if (!IsNumericText(typed)) {
        if (c == 1) {
            clearChannel(r);
            current_ = {r, 1};
        } else {
            switchTransmitOff(r);
        }
    } else {
        // A text that cannot be read stands for 1200, which the band bounding lifts to
        // BandLow.
        int32_t v = ReadTypedFrequency(typed);
        if (v < 0) v = 1200;
        v = std::clamp(ModifyTxRxFre(v), doc_.bandLow(), doc_.bandHigh());
        info(r, c) = v;
        at(r, c) = {FrequencyText(v), bandColour(v)};
        if (c == 1) {
            if (cellEmpty(r, 3)) {
                // The channel is created: no tones, transmit as receive, the option defaults.
                if (cols() >= 3) at(r, 3).text = none;
                tones.decode(r) = none;
                if (cellEmpty(r, 2)) {
                    info(r, chf::TxFre) = info(r, chf::RxFre);
                    if (cols() >= 2) at(r, 2) = cell(r, 1);
                    if (cols() >= 4) at(r, 4).text = text(r, 3);
                    tones.encode(r) = cols() >= 4 ? text(r, 4) : none;
                }
                for (int o = chf::FirstOption; o <= cols(); ++o)
                    if (info(r, o) == -1) info(r, o) = doc_.layout().columnDefault(o);
                for (int o = chf::FirstOption; o <= cols(); ++o)
                    if (o != kNameColumn) at(r, o).text = optionText(o, info(r, o));
            }
            current_ = {r, std::min(2, cols())};
        } else {
            if (tones.encode(r).empty() && cols() >= 4)
                at(r, 4).text = cols() >= 3 ? text(r, 3) : "";
            if (cols() >= 4) tones.encode(r) = text(r, 4);
            current_ = {r, std::min(3, cols())};
        }
    }

    // A complete row (no empty cell) puts every channel into the image.
    for (int j = 1; j <= cols(); ++j)
        if (cellEmpty(r, j)) return;
    doc_.codec().ChInfoToIicDat();
    TableSynced();
}

// --- Clicks ----------------------------------------------------------------------------------

bool ChannelEditor::Click(int r, int c) {
    bool editNow = false;
    Guard(doc_.log(), "frmChMem->vsfgGridCh_Click:", [&] {
        Gesture([&] {
            paintedRow_ = 0;
            if (locked() || !valid(r, c)) {
                hideToneBox();
                return;
            }
            if (openTone_.col == 3 || openTone_.col == 4) {
                const CellPos was = openTone_;
                CtdcsSelList();
                current_ = was;
            }
            hideToneBox();
            paintedRow_ = r;
            const ChannelTable& info = doc_.chInfo();
            if (info.empty(r)) {
                current_ = {r, 1};
                editNow = true;
            } else if (c == 3) {
                current_ = {r, 3};
                openTone_ = {r, 3};
                toneBoxText_ = doc_.toneText().decode(r);
            } else if (c == 4) {
                if (info(r, chf::TxFre) == -1) {
                    current_ = {r, 2};
                } else {
                    current_ = {r, 4};
                    openTone_ = {r, 4};
                    toneBoxText_ = doc_.toneText().encode(r);
                }
            } else {
                current_ = {r, c};
                editNow = true;
            }
        });
    });
    return editNow;
}

bool ChannelEditor::DblClickActs(int r, int c) const {
    if (locked() || !valid(r, c) || c == 1 || c == kNameColumn) return false;
    const ChannelTable& info = doc_.chInfo();
    if (info.empty(r)) return false;
    const bool tx = info(r, chf::TxFre) != -1;
    if (c == 2) return !tx;
    if (c == 3 || c == 4) return tx;
    return info(r, c) != -1;
}

void ChannelEditor::DblClick(int r, int c) {
    if (!DblClickActs(r, c)) return;
    Guard(doc_.log(), "frmChMem->vsfgGridCh_DblClick:", [&] {
        Gesture([&] {
            // The first click of the double-click may have opened the tone box: it goes
            // without storing anything.
            DropToneBox();
            ChannelTable& info = doc_.chInfo();
            ToneTexts& tones = doc_.toneText();
            if (c == 2) {
                info(r, chf::TxFre) = info(r, chf::RxFre);
                at(r, 2) = {FrequencyText(info(r, chf::TxFre)), bandColour(info(r, chf::TxFre))};
                if (cols() >= 4) {
                    at(r, 4).text = text(r, 3);
                    tones.encode(r) = text(r, 4);
                }
            } else if (c == 3) {
                at(r, 3).text = cols() >= 4 ? text(r, 4) : "";
                tones.decode(r) = text(r, 3);
            } else if (c == 4) {
                at(r, 4).text = text(r, 3);
                tones.encode(r) = text(r, 4);
            } else {
                const int n = std::stoi(doc_.layout().item(c, 1));
                int32_t& value = info(r, c);
                value = value >= n - 1 ? 0 : value + 1;
                at(r, c).text = optionText(c, value);
            }
        });
    });
}

// --- The tone box ----------------------------------------------------------------------------

void ChannelEditor::SetToneBoxText(std::string text) {
    toneBoxText_ = std::move(text);
}

void ChannelEditor::hideToneBox() {
    openTone_ = {};
    toneBoxText_.clear();
}

void ChannelEditor::DropToneBox() {
    hideToneBox();
}

void ChannelEditor::LeaveToneBox() {
    if (openTone_.col == 0) return;
    Guard(doc_.log(), "frmChMem->cboGridChCtdcs_LostFocus", [&] {
        Gesture([&] {
            CtdcsSelList();
            hideToneBox();
        });
    });
    hideToneBox();
}

void ChannelEditor::CtdcsSelList() {
    const int r = openTone_.row, k = openTone_.col;
    if (locked() || (k != 3 && k != 4) || !valid(r, k)) return;
    const ToneEntry entry = NormaliseToneEntry(toneBoxText_);
    if (entry.kind == ToneEntry::Kind::Unchanged) return;
    ToneTexts& tones = doc_.toneText();
    const std::string stored =
        entry.kind == ToneEntry::Kind::Valid ? entry.text : doc_.toneList().NoneText();
    at(r, k).text = stored;
    (k == 3 ? tones.decode(r) : tones.encode(r)) = stored;
    // The encode tone follows a decode tone.
    if (k == 3) {
        tones.encode(r) = tones.decode(r);
        if (cols() >= 4) at(r, 4).text = text(r, 3);
    }
    if (!cellEmpty(r, 1) && cellEmpty(r, 2))
        switchTransmitOff(r);
    else if (cellEmpty(r, 1))
        clearChannel(r);
}

// --- Channel commands ------------------------------------------------------------------------

void ChannelEditor::DelOneChannel(int ch) {
    Guard(doc_.log(), "modChMem->DelOneChannel", [&] {
        doc_.codec().DelOneChannel(ch);
        for (int c = 1; c <= cols(); ++c) at(ch, c) = GridCell{};
        hideToneBox();
    });
}

bool ChannelEditor::CanDeleteOne(int row) const {
    return !locked() && row >= 1 && row <= rows() && !doc_.chInfo().empty(row);
}

void ChannelEditor::DeleteOne(int row) {
    if (!CanDeleteOne(row)) return;
    Guard(doc_.log(), "mdifrmMain->mnuDelOne_Click", [&] { Gesture([&] { DelOneChannel(row); }); });
}

void ChannelEditor::DeleteAll() {
    if (!CanDeleteAll()) return;
    Guard(doc_.log(), "mdifrmMain->mnuDelAll_Click", [&] {
        Gesture([&] {
            for (int ch = 1; ch <= rows(); ++ch) DelOneChannel(ch);
        });
    });
}

void ChannelEditor::SetLocked(bool lock) {
    if (lock) LeaveToneBox();
    lockState_ = std::string(lock ? kShowLock : kShowNo);
}

}  // namespace tarvos

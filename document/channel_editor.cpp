#include "document/channel_editor.h"

#include <algorithm>

#include "base/error_log.h"
#include "base/split.h"
#include "document/radio_document.h"

namespace tarvos {

namespace {

// The keys of the fixed columns; every other key is an option column's drop-down list.
bool FixedColumnKey(const std::string& key) {
    return key == "RxFre" || key == "TxFre" || key == "OFFSET" || key == "CHNAME" ||
           key == "CtcssDcsDec" || key == "CtcssDcsEnc";
}

}  // namespace

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

}  // namespace tarvos

// The gestures on the grid's cells: an edit begun and committed, a click, a double-click.
#include <algorithm>
#include <string>

#include "base/error_log.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"

namespace tarvos {

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

}  // namespace tarvos

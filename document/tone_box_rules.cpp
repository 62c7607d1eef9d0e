// The tone box laid over a tone cell: what it holds, and its entry stored into the cell.
#include <utility>

#include "base/error_log.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"

namespace tarvos {

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

}  // namespace tarvos

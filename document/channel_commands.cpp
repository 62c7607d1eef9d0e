// The channel commands: a channel deleted, all deleted, and the lock.
#include "base/error_log.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"

namespace tarvos {

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

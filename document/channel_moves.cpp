#include "document/channel_moves.h"

#include <algorithm>
#include <vector>

#include "base/error_log.h"
#include "document/channel_clipboard.h"
#include "document/channel_editor.h"
#include "document/radio_document.h"

namespace tarvos {

namespace {

bool InGrid(const ChannelEditor& e, int row) {
    return row >= 1 && row <= e.rows();
}

// The channels of `from` put into the rows of `to`, place by place, as one gesture. Every
// channel is taken as it is before anything is put back.
bool Rearrange(ChannelEditor& e, const std::vector<int>& from, const std::vector<int>& to,
               const char* location) {
    bool moved = false;
    Guard(e.document().log(), location, [&] {
        e.Gesture([&] {
            e.LeaveToneBox();
            const ChannelClip clip = CopyChannels(e, from);
            // Rows the table has in the image already stay in step with it.
            const bool synced = !e.pendingEdits();
            for (size_t i = 0; i < to.size(); ++i) PutChannel(e, to[i], clip[i]);
            if (synced) e.TableSynced();
            moved = true;
        });
    });
    return moved;
}

}  // namespace

bool SwapChannels(ChannelEditor& editor, int a, int b) {
    if (editor.locked() || !InGrid(editor, a) || !InGrid(editor, b) || a == b) return false;
    return Rearrange(editor, {a, b}, {b, a}, "mdifrmMain->SwapChannels");
}

bool MoveChannels(ChannelEditor& editor, int first, int last, int by) {
    if (editor.locked() || first > last || (by != -1 && by != 1)) return false;
    if (!InGrid(editor, first + by) || !InGrid(editor, last + by)) return false;
    // The run moves by one place and the neighbour it passes goes to the other end.
    std::vector<int> from = RowRange(first, last);
    std::vector<int> to = RowRange(first + by, last + by);
    from.push_back(by < 0 ? first - 1 : last + 1);
    to.push_back(by < 0 ? last : first);
    return Rearrange(editor, from, to,
                     by < 0 ? "mdifrmMain->mnuChMoveUp_Click" : "mdifrmMain->mnuChMoveDown_Click");
}

}  // namespace tarvos

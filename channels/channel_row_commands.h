#pragma once
// The channel window's commands on whole rows: Copy, Cut, Paste, Move Up and Move Down in the
// channel menu, with their keys (Ctrl+C, Ctrl+X, Ctrl+V, Alt+Up, Alt+Down) and the Delete key,
// all on the grid. A command acts on the channels selected by their row labels, or on the
// current channel when none is (from the channel menu: on the menu row when it is not among
// the selected). The rules are the core's (document/channel_clipboard.h, channel_moves.h);
// this is where they meet the clipboard, the selection and the menu.

#include <QObject>
#include <vector>

class QAction;

namespace tarvos::ui {

class ChannelWindow;

class ChannelRowCommands : public QObject {
    Q_OBJECT
  public:
    explicit ChannelRowCommands(ChannelWindow& window);

    void Copy();
    void Cut();
    void Paste();
    void Delete();
    void Move(int by);

    // The rows the next command acts on, in order.
    std::vector<int> targetRows() const;
    QAction* action(const char* objectName) const;

    // The clipboard format of whole channels (ClipBytes).
    static constexpr const char* kMimeType = "application/x-tarvos-channels";

  private:
    QAction* add(const char* name, int text, const QKeySequence& keys);
    void menuShown();
    void copyToClipboard(const std::vector<int>& rows);
    // The grid's current cell after a command: in row first; with wholeRows the rows
    // first..last selected too.
    void selectRows(int first, int last, bool wholeRows);

    ChannelWindow& w_;
    bool fromMenu_ = false;
    std::vector<QAction*> actions_;
};

}  // namespace tarvos::ui

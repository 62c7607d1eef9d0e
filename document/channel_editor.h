#pragma once
// The channel editor's rules: the channel grid as the rules see it, and every gesture a user
// makes on it as an operation. The channel window renders this model and forwards the
// grid's events to it; tarvos-cli edit plays the same gestures without a window, so both
// give the same bytes.
//
// The model holds what the grid shows (a text and a text colour per cell, rows
// 1..ChannelCount, columns 1..ColumnCount), the current cell, the row painted by the last
// click, the open tone cell with the text of the tone box laid over it, and the lock state.
// The rules read cells as well as the channel table: a row is complete when none of its
// cells is empty, a channel is created when its decode tone cell is still empty, and so on.
//
// Every gesture that changes the channel table, the tone texts, the image or the cells
// happens inside one RadioDocument::Edit, so the document counts as modified and its
// observers hear DocumentChange::Channels; a gesture that changes nothing leaves the
// document as it was (a tone box left as it was opened, a locked grid).
//
// The definitions sit in files by part: channel_editor.cpp (the model, gestures as one Edit,
// redrawing), channel_cell_edits.cpp, tone_box_rules.cpp and channel_commands.cpp.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/channel_rules.h"
#include "memory/channel_layout.h"
#include "memory/channel_table.h"
#include "memory/image.h"

namespace tarvos {

class RadioDocument;

// Text colour of a cell: the normal colour (DefColor) or, for a frequency outside the band,
// OverColor.
enum class CellColour { Def, Over };

struct GridCell {
    std::string text;
    CellColour colour = CellColour::Def;
    bool operator==(const GridCell&) const = default;
};

struct CellPos {
    int row = 0;
    int col = 0;
    bool operator==(const CellPos&) const = default;
};

// How a cell is edited (the grid's editable setting): not at all, typed text, or a drop-down.
enum class EditMode { None, Text, List };

struct BeforeEditResult {
    bool cancel = true;
    EditMode mode = EditMode::None;
    std::string list;  // the drop-down list "a|b|c" of an option column
};

// The lock state texts; "NoMenu" is read as unlocked (the lock item is always visible).
inline constexpr std::string_view kShowLock = "ShowLock";
inline constexpr std::string_view kShowNo = "ShowNo";

// Lilac of the row last clicked and magenta of the current cell after a click (0xBBGGRR).
inline constexpr uint32_t kClickedRowColour = 0xF079C2;   // RGB(194, 121, 240)
inline constexpr uint32_t kCurrentCellColour = 0xFF00FF;  // RGB(255, 0, 255)

// --- The editor --------------------------------------------------------------------------

class ChannelEditor {
  public:
    explicit ChannelEditor(RadioDocument& doc);
    ~ChannelEditor();
    ChannelEditor(const ChannelEditor&) = delete;
    ChannelEditor& operator=(const ChannelEditor&) = delete;

    // --- The model -----------------------------------------------------------------------
    int rows() const;  // ChannelCount
    int cols() const;  // ColumnCount
    const GridCell& cell(int row, int col) const;
    const std::string& text(int row, int col) const { return cell(row, col).text; }
    CellPos current() const { return current_; }
    // The row the last click painted (0: none); the keyboard moves it with the current cell.
    int paintedRow() const { return paintedRow_; }
    void SetPaintedRow(int row) { paintedRow_ = row; }
    // The open tone cell (column 3 or 4; {0, 0} when the box is hidden) and the box's text.
    CellPos openToneCell() const { return openTone_; }
    const std::string& toneBoxText() const { return toneBoxText_; }
    // "ShowLock" or "ShowNo".
    const std::string& lockState() const { return lockState_; }
    bool locked() const { return lockState_ == kShowLock; }
    // The drop-down items of column c: slot 0 split at "|" for an option column, none for the
    // fixed columns.
    std::vector<std::string> dropDownItems(int col) const;
    bool optionColumn(int col) const;

    // --- The table and the image ----------------------------------------------------------
    // The channel table holds edits the image does not have yet: it changed since it was last
    // encoded into the image or decoded from it (a row left incomplete, a double-click, a tone
    // choice, a deleted channel).
    bool pendingEdits() const;
    // The table and the image agree: every encode and every decode ends with this.
    void TableSynced();

    // --- Redrawing -----------------------------------------------------------------------
    // ShowChTblGrid: every row from the channel table as just decoded. Runs by itself when
    // the document's image is replaced; the current cell returns to (1, 1).
    void ShowChTblGrid();
    // Every cell empty in the normal colour (the start-up channel reset).
    void ClearAll();
    // One row of ShowChTblGrid: channel ch from the channel table.
    void ShowChannel(int ch);

    // --- Gestures --------------------------------------------------------------------------
    // vsfgGridCh_BeforeEdit on (r, c): may cancel; gives the editing mode and the list.
    BeforeEditResult BeforeEdit(int r, int c);
    // The grid's editor committed text into (r, c); chosen is the index of the drop-down item
    // it matched (-1 none). The after-edit step runs with it.
    void AfterEdit(int r, int c, const std::string& text, int chosen = -1);
    // vsfgGridCh_Click on (r, c); true when editing of the current cell starts at once.
    bool Click(int r, int c);
    // vsfgGridCh_DblClick on (r, c), the current cell; DblClickActs tells whether it changes
    // anything (the window leaves a double-click to an open cell editor otherwise).
    void DblClick(int r, int c);
    bool DblClickActs(int r, int c) const;
    // What the user has typed or picked in the open tone box.
    void SetToneBoxText(std::string text);
    // The tone box loses focus: its text normalised into the open tone cell, the box hidden.
    void LeaveToneBox();
    // A double-click over the open tone box: the box is hidden, its entry dropped.
    void DropToneBox();
    // The channel menu: is "Delete channel" (resp. "Delete all channels") available for the
    // menu row?
    bool CanDeleteOne(int row) const;
    bool CanDeleteAll() const { return !locked(); }
    // mnuDelOne_Click on the menu row and mnuDelAll_Click (cmdDelAllCh): nothing while they
    // are disabled.
    void DeleteOne(int row);
    void DeleteAll();
    // The state part of LockFaceOperate: "ShowLock" or "ShowNo". A tone box still open is
    // committed before the grid locks.
    void SetLocked(bool locked);

    // --- Rule steps, for gestures made of several (Auto Input) -----------------------------
    // Runs body as one gesture: one Edit when it changes anything, none otherwise. Gestures
    // nest: only the outermost is an Edit.
    template <class Body>
    void Gesture(Body&& body);
    void SetCellText(int r, int c, const std::string& text);
    // GridChAfterEdit (r, c) on the text the cell holds.
    void GridChAfterEdit(int r, int c, int chosen);
    // CtdcsSelList on the open tone cell with the box's text.
    void CtdcsSelList();
    // DelOneChannel (ch): the record reset from the template, the row emptied.
    void DelOneChannel(int ch);

    // What the editor holds besides the table, and putting it back (taking an edit back): the
    // cells, and the table as the last encode or decode left it.
    using Cells = std::array<std::array<GridCell, kMaxColumnCount + 1>, kMaxChannelCount + 1>;
    struct Saved {
        Cells cells;
        ChannelTable syncedInfo;
        ToneTexts syncedTones;
        bool operator==(const Saved&) const = default;
    };
    const Cells& cells() const { return cells_; }
    Saved saved() const { return {cells_, syncedInfo_, syncedTones_}; }
    void restoreSaved(const Saved& saved);

    RadioDocument& document() { return doc_; }
    const RadioDocument& document() const { return doc_; }

  private:
    // Column 20 is kept for a channel name this radio does not have: it always shows nothing.
    static constexpr int kNameColumn = 20;

    struct Snapshot;
    Snapshot snapshot() const;
    void restore(const Snapshot& s);
    void gestureBegin();
    void gestureEnd(const Snapshot& before);

    GridCell& at(int row, int col);
    bool valid(int row, int col) const;
    bool cellEmpty(int row, int col) const;
    CellColour bandColour(int32_t tenHz) const;
    std::string optionText(int col, int32_t value) const;
    void clearChannel(int r);
    void switchTransmitOff(int r);
    void hideToneBox();

    void RxFreShow(int ch);
    void TxFreShow(int ch);
    void CtdcsDecShow(int ch);
    void CtdcsEncShow(int ch);
    void ChParaShow(int ch);

    RadioDocument& doc_;
    int observer_ = 0;
    Cells cells_{};
    CellPos current_{1, 1};
    int paintedRow_ = 0;
    CellPos openTone_{};
    std::string toneBoxText_;
    std::string lockState_{kShowNo};
    int gestureDepth_ = 0;
    // The table as the last encode or decode left it.
    ChannelTable syncedInfo_;
    ToneTexts syncedTones_;
};

// --- Gestures as one Edit ------------------------------------------------------------------

struct ChannelEditor::Snapshot {
    ChannelTable chInfo;
    ToneTexts toneText;
    ByteImage image;
    decltype(ChannelEditor::cells_) cells;
    bool operator==(const Snapshot&) const = default;
};

template <class Body>
void ChannelEditor::Gesture(Body&& body) {
    if (gestureDepth_ > 0) {
        body();
        return;
    }
    const Snapshot before = snapshot();
    gestureBegin();
    try {
        body();
    } catch (...) {
        gestureEnd(before);
        throw;
    }
    gestureEnd(before);
}

}  // namespace tarvos

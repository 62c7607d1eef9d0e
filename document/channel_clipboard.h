#pragma once
// Copying, cutting and pasting whole channels of the channel grid, and pasting text from
// outside (a spreadsheet's cells) as if it were typed.
//
// Inside the program a copy carries whole channels: each channel's 16 record bytes and its
// scan bit as a save would write them, so a pasted channel is an exact duplicate, the option
// bits the grid does not show included. Outside the program the same rows travel as text:
// the grid's cell texts, a tab between cells and a line per row, in grid column order.
//
// Pasting puts the channels at a row and the rows after it; what does not fit below the
// last channel is left out and counted. Every paste, cut or delete is one gesture of the
// channel editor (one undo step) and does nothing while the interface is locked.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvos {

class ChannelEditor;

// One channel as a copy holds it.
struct ClipChannel {
    std::array<uint8_t, 16> record{};
    bool scan = false;
    bool operator==(const ClipChannel&) const = default;
};
using ChannelClip = std::vector<ClipChannel>;

// What a paste did: rows put in, and rows left out below the last channel.
struct PasteOutcome {
    int pasted = 0;
    int leftOut = 0;
};

// The channels of the rows given, in that order, as a save would write them: channel edits
// not yet in the image are taken from the channel table (the document is not changed).
ChannelClip CopyChannels(const ChannelEditor& editor, const std::vector<int>& rows);
// The rows given as text: the cell texts of columns 1..ColumnCount joined by tabs, each row
// ended by a line feed.
std::string ChannelRowsText(const ChannelEditor& editor, const std::vector<int>& rows);

// A copy as bytes (17 a channel: the record, then 1 for a scanned channel) and back;
// nullopt for bytes that are no copy.
std::string ClipBytes(const ChannelClip& clip);
std::optional<ChannelClip> ClipFromBytes(std::string_view bytes);

// Channel `row` becomes the copied channel: its record and scan bit stored, the channel
// decoded from them and its grid row redrawn. A part of the gestures below.
void PutChannel(ChannelEditor& editor, int row, const ClipChannel& channel);

// The copied channels put at row, row + 1, ...
PasteOutcome PasteChannels(ChannelEditor& editor, int row, const ChannelClip& clip);
// Text typed into the rows from row on, cell by cell as a user types it: column 1 and 2
// committed as typed (an empty receive cell empties the channel, an empty transmit cell
// switches transmit off), columns 3 and 4 through the tone box, an option column by choosing
// the item whose text equals the cell (no such item: nothing), in column order. A cell that
// already shows its text is left as it is, as an edit left unchanged is. Cells are taken
// without surrounding blanks; a line feed (or CR LF) ends a row, a tab a cell.
PasteOutcome PasteText(ChannelEditor& editor, int row, std::string_view text);
// "Delete channel" on each of the rows that holds a channel.
void DeleteChannels(ChannelEditor& editor, const std::vector<int>& rows);

// The rows first..last (empty when first > last).
std::vector<int> RowRange(int first, int last);

}  // namespace tarvos

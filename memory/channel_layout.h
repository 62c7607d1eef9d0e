#pragma once
// ChannelLayout: the channel grid's layout for one language, read once at start-up from
// section ChInfo of the settings file (ReadChInfo). Keys are decimal numbers relative to a
// language base (1000 Simplified Chinese, 2000 Traditional Chinese, 3000 English):
//   B+0 channel count, B+1 row height (twips), B+2 column count C, B+3 header captions
//   "c0|c1|...|cC", B+100+c width of column c, B+200+(c-1)*50+k slot k of column c's items.
// ColumnItems of a data column: slot 0 the column key ("RxFre", "TxFre", "CtcssDcsDec",
// "CtcssDcsEnc", ...) or, for an option column, its drop-down list "a|b|..."; slot 1 the
// number of values; slot 2 the default value; slots 3.. the text of value 0, 1, ...
// A column's list ends at the slot holding "*EndOfThisItem*".

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "memory/channel_table.h"

namespace tarvos {

class SettingsFile;
class ErrorLog;

inline constexpr int kMaxColumnCount = kChannelFields;  // column c shows ChInfo field c
inline constexpr int kItemSlots = 50;

// 1000, 2000 or 3000; a language outside 1..3 counts as 3.
int LanguageBase(int language);

struct ChannelLayout {
    int channelCount = 16;  // ChannelCount, 0..16
    int rowHeight = 240;
    int columnCount = 9;  // ColumnCount, 0..20
    std::string header = "0|0|0|0|0|0|0|0|0|0";
    std::array<int, kMaxColumnCount + 1> widths;  // [0..C]
    // columnItems[c] for c = 1..20: the slots read before the end marker.
    std::array<std::vector<std::string>, kMaxColumnCount + 1> columnItems;

    ChannelLayout() { widths.fill(1000); }

    // Slot k of column c's items; empty when the list is shorter or c is out of range.
    std::string item(int column, int slot) const;
    // The column default (slot 2) as an integer: a missing slot counts as 0; text that is
    // not a whole number raises failure 13.
    int columnDefault(int column) const;
    // Slot 0 of column c.
    std::string key(int column) const { return item(column, 0); }
    // The header captions split at "|".
    std::vector<std::string> captions() const;
};

// Reads the layout of one language. A value that is not a number where one is expected, a
// channel count outside 0..16, a column count outside 0..20, or an item list without the
// end marker within its first 50 slots stops reading: the failure is logged as
// "modChMem->ReadChInfo" and the values read up to that point stay in force.
ChannelLayout ReadChInfo(const SettingsFile& settings, int language, ErrorLog& log);

}  // namespace tarvos

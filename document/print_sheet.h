#pragma once
// What a printed sheet shows, built from the document exactly as the window shows it: the
// cover's lines, the channel grid's captions and cell texts, and every function frame with
// each control's caption and the entry or text it shows, the two-tone table and the DTMF
// codes. The read/write code itself never appears; the cover only says whether one is set.
//
// The sheet is plain text in the interface language; the window and tarvos-cli both draw it
// with the same renderer (print/), so the same document gives the same pages.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvos {

class RadioDocument;

// The items of the print dialog, in its order.
struct PrintContent {
    bool cover = true;
    bool settings = true;
    bool channels = true;
    bool any() const { return cover || settings || channels; }
    bool operator==(const PrintContent&) const = default;
};

// "cover,settings,channels": the ticked items by name, in any order, each at most once and at
// least one; nullopt for anything else. The settings file and tarvos-cli use this form.
std::optional<PrintContent> ParsePrintContent(std::string_view text);
std::string PrintContentText(const PrintContent& content);

// A cell of a printed table; outOfBand marks a frequency the grid shows in OverColor.
struct SheetCell {
    std::string text;
    bool outOfBand = false;
    bool operator==(const SheetCell&) const = default;
};

struct SheetTable {
    std::vector<std::string> header;  // column 0 (the row label) first
    std::vector<int> widths;          // relative widths, one per column
    std::vector<std::vector<SheetCell>> rows;
};

// A caption with the value it shows; a disabled control keeps and shows its value.
struct SheetLine {
    std::string caption;
    std::string value;
    bool enabled = true;
};

struct SheetFrame {
    std::string title;
    std::vector<SheetLine> lines;
    std::vector<SheetTable> tables;
};

// Who printed, and when.
struct PrintStamp {
    std::string program;  // name and version
    std::time_t printedAt = 0;
};

struct PrintSheet {
    int language = 3;
    PrintContent content;
    std::string fileName;     // the page header's
    std::string pagePattern;  // the page number, with %1 the page and %2 the page count

    std::string coverTitle;
    std::vector<SheetLine> cover;

    std::string channelsTitle;
    SheetTable channels;
    SheetLine channelsInUse;

    std::string settingsTitle;
    std::vector<SheetFrame> frames;
};

PrintSheet BuildPrintSheet(const RadioDocument& doc, const PrintStamp& stamp,
                           const PrintContent& content);

// The fingerprint (memory/image_fingerprint.h) of the document's image as a save would store
// it, the channel table encoded.
std::string ImageFingerprint(const RadioDocument& doc);

// "Page 2 of 3" in the language.
std::string PageNumberText(std::string_view pattern, int page, int pages);

}  // namespace tarvos

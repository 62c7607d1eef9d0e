#pragma once
// The memory data view as its rules see it: the image's bytes sixteen to a row, the bytes
// that changed at the last refresh marked, what a typed cell stands for, the pointer tip, and
// the text conversions the tip and the partial fill use. The window in memview/ draws this
// model and forwards the user's gestures; the document stores what they change.
//
//   row r (1..)    addresses (r - 1) * 16 .. (r - 1) * 16 + 15, labelled "0000H", "0010H" ...
//   cell (r, c)    address (r - 1) * 16 + (c - 1), text "0A", "FF" (empty until the first
//                  refresh), red when the byte changed at the last refresh

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_log.h"
#include "memory/image.h"

namespace tarvos {

// Two upper-case hexadecimal digits: 10 -> "0A".
std::string FormatByteDat(unsigned byte);
// Each hexadecimal digit as four binary digits, most significant first; other characters are
// dropped: "3F" -> "00111111".
std::string H_To_B(std::string_view text);
// Binary digits as a number (a character that is not a digit counts 0). The number is a
// signed 16-bit one: when the next step would pass 32767 the conversion stops there, logs
// "frmMemDat->B_To_D" and gives the value reached; `stopped` says so.
struct BinaryValue {
    int value = 0;
    bool stopped = false;
};
BinaryValue B_To_D(std::string_view bits, ErrorLog& log);
// The bits named from the left: "B7:0 B6:0 B5:1 B4:1   B3:1 B2:1 B1:1 B0:1 ".
std::string B_To_BitShow(std::string_view bits);
// The hexadecimal digits of a text from the right, d0 .. d3 (0 for a character that is not
// one). A text of more than four characters stops after d3 and logs "frmMemDat->SeparateChar".
std::array<int, 4> SeparateChar(std::string_view text, ErrorLog& log);

// Four upper-case hexadecimal digits: 0x3FF -> "03FF".
std::string AddressText(int address);

// The pointer tip for the cell of address holding text (the words stay Chinese whatever the
// language); empty when the cell is empty.
std::string CellTipText(int address, std::string_view cellText, ErrorLog& log);

class MemoryView {
  public:
    struct Cell {
        std::string text;
        bool red = false;
        bool operator==(const Cell&) const = default;
    };
    using Cells = std::vector<Cell>;

    // The rows are built once, for the last address of that moment (SetGridMemDat).
    explicit MemoryView(int tableMaxAddr);

    int rows() const { return static_cast<int>(cells_->size() / 16); }
    // "0000H" for row 1.
    static std::string RowLabel(int row);
    bool hasCell(int address) const {
        return address >= 0 && address < static_cast<int>(cells_->size());
    }
    const std::string& text(int address) const {
        return cells_->at(static_cast<size_t>(address)).text;
    }
    bool red(int address) const { return cells_->at(static_cast<size_t>(address)).red; }
    // The cell the cursor ended on at the last refresh (the last byte that changed); -1 when
    // none did.
    int cursor() const { return cursor_; }

    // TableFreDat: every cell up to tableMaxAddr from the image, the changed ones marked red.
    // An address beyond the image or beyond the rows ends the refresh there, logged
    // "modMemDat->TableFreDat".
    void TableFreDat(const ByteImage& image, int tableMaxAddr, ErrorLog& log);
    // "Set Def Color": no cell is red.
    void SetDefColor();
    // The user typed text into the cell of address and ended the edit: the cell holds the
    // text; the result is the byte it stands for, or nothing (logged "frmMemDat->GridDataTemp")
    // when its value is above 255.
    std::optional<uint8_t> TypeCell(int address, std::string_view text, ErrorLog& log);
    // The cells start..end show the image's bytes (after a partial fill); with end < start only
    // the cell of start.
    void ShowRange(const ByteImage& image, int start, int end);
    // The text of the cell of address, as a typed text leaves it.
    void SetText(int address, std::string text);

    // Every cell as it is now, and putting them back (Undo). A saved set is shared until the
    // view changes a cell, so keeping one with every undo step costs little.
    std::shared_ptr<const Cells> saveCells() const { return cells_; }
    void restoreCells(std::shared_ptr<const Cells> cells);

  private:
    Cells& own();
    std::shared_ptr<const Cells> cells_;
    int cursor_ = -1;
};

// The channel window's hidden gestures that show and hide the view. A double-click on the
// model label counts 1, 2, ... 10 and then starts again at 0: the count 9 shows the view,
// every other hides it. A click on the model frame counts on: a count that leaves 6 on
// division by 10 shows the view, every other hides it. Each call says show (true) or hide.
class MemoryViewGestures {
  public:
    bool ModelLabelDblClick();
    bool ModelFrameClick();

  private:
    int modelLabelDblClicks_ = 0;
    int modelFrameClicks_ = 0;
};

// The partial fill as the dialog asks for it.
enum class FillBase { Hex, Decimal, Binary };
struct FillRequest {
    FillBase base = FillBase::Hex;
    std::string value = "FF";
    std::string start = "0000";
    std::string end;
};
// The dialog's boxes when it is first loaded: base H, value "FF", from "0000" to the last
// address the view had at start-up.
FillRequest StartFillRequest(int tableMaxAddr);
struct PartialFill {
    uint8_t value = 0;
    int start = 0;
    int end = 0;
};
// The value (a number above 255 becomes 255) and the range of a request; nothing, logged
// "frmPartFill->cmdFillData_Click", when the value or an address cannot be used: a decimal
// value that is no number or above 32767, or an address past the image's last index datNum.
// A hexadecimal or binary value above 32767 is B_To_D's overflow: logged there, and the
// value reached (32767) fills as 255.
std::optional<PartialFill> CheckFill(const FillRequest& request, int datNum, ErrorLog& log);

}  // namespace tarvos

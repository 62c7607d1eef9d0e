#include "document/memory_view.h"

#include <algorithm>

namespace tarvos {

namespace {

constexpr const char* kHexDigits = "0123456789ABCDEF";

// A hexadecimal digit's value; -1 for any other character.
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Hex4(int value) {
    std::string s(4, '0');
    for (int i = 3; i >= 0; --i, value >>= 4) s[static_cast<size_t>(i)] = kHexDigits[value & 0xF];
    return s;
}

// The byte a cell's text stands for read as a hexadecimal number ("0A", "a", "00A"); nothing
// when it is no hexadecimal number or one above FF.
std::optional<uint8_t> CellByte(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char c : text) {
        const int d = HexValue(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + d;
        if (value > 0xFF) return std::nullopt;
    }
    return static_cast<uint8_t>(value);
}

}  // namespace

std::string FormatByteDat(unsigned byte) {
    return {kHexDigits[(byte >> 4) & 0xF], kHexDigits[byte & 0xF]};
}

std::string H_To_B(std::string_view text) {
    std::string bits;
    for (char c : text) {
        const int d = HexValue(c);
        if (d < 0) continue;
        for (int b = 3; b >= 0; --b) bits += ((d >> b) & 1) ? '1' : '0';
    }
    return bits;
}

BinaryValue B_To_D(std::string_view bits, ErrorLog& log) {
    BinaryValue out;
    for (char c : bits) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : 0;
        const int next = out.value * 2 + digit;
        if (next > 32767) {
            out.stopped = true;
            log.ShowErr("frmMemDat->B_To_D", err::Overflow, kOwnSource);
            break;
        }
        out.value = next;
    }
    return out;
}

std::string B_To_BitShow(std::string_view bits) {
    std::string out;
    const int n = static_cast<int>(bits.size());
    for (int i = n - 1; i >= 0; --i) {
        if (i == 3) out += "  ";
        out += "B" + std::to_string(i) + ":" + bits[static_cast<size_t>(n - 1 - i)] + " ";
    }
    return out;
}

std::array<int, 4> SeparateChar(std::string_view text, ErrorLog& log) {
    std::array<int, 4> d{};
    const size_t n = text.size();
    for (size_t k = 0; k < n; ++k) {
        if (k == 4) {
            log.ShowErr("frmMemDat->SeparateChar", err::IndexOutOfRange, kOwnSource);
            break;
        }
        d[k] = std::max(0, HexValue(text[n - 1 - k]));
    }
    return d;
}

std::string CellTipText(int address, std::string_view cellText, ErrorLog& log) {
    if (cellText.empty()) return {};
    const std::string bits = H_To_B(cellText);
    const int decimal = B_To_D(bits, log).value;
    return "地址为: 0x" + Hex4(address) + "    二进制:" + bits + "    " + B_To_BitShow(bits) +
           "    十进制" + std::to_string(decimal) + "    \r\n";
}

// --- The grid ---------------------------------------------------------------------------------

MemoryView::MemoryView(int tableMaxAddr)
    : cells_(
          std::make_shared<Cells>(static_cast<size_t>(std::max(0, tableMaxAddr / 16 + 1)) * 16)) {}

MemoryView::Cells& MemoryView::own() {
    // A set an undo step still holds is copied before it changes.
    if (cells_.use_count() > 1) cells_ = std::make_shared<Cells>(*cells_);
    return const_cast<Cells&>(*cells_);  // made here, as a non-const set
}

void MemoryView::restoreCells(std::shared_ptr<const Cells> cells) {
    // The rows stay those built at the start.
    if (cells && cells->size() == cells_->size()) cells_ = std::move(cells);
}

void MemoryView::SetText(int address, std::string text) {
    if (hasCell(address)) own()[static_cast<size_t>(address)].text = std::move(text);
}

std::string MemoryView::RowLabel(int row) {
    return Hex4((row - 1) * 16) + "H";
}

void MemoryView::TableFreDat(const ByteImage& image, int tableMaxAddr, ErrorLog& log) {
    SetDefColor();
    cursor_ = -1;
    Cells& cells = own();
    for (int a = 0; a <= tableMaxAddr; ++a) {
        if (a > image.DatNum() || !hasCell(a)) {
            log.ShowErr("modMemDat->TableFreDat", err::IndexOutOfRange, kOwnSource);
            return;
        }
        Cell& cell = cells[static_cast<size_t>(a)];
        const uint8_t byte = image.at(a);
        // A cell still holding typed text that is no byte counts as changed, so the refresh
        // always replaces it and never stalls on it.
        if (!cell.text.empty() && CellByte(cell.text) != byte) {
            cell.red = true;
            cursor_ = a;
        }
        cell.text = FormatByteDat(byte);
    }
}

void MemoryView::SetDefColor() {
    if (std::none_of(cells_->begin(), cells_->end(), [](const Cell& c) { return c.red; })) return;
    for (Cell& c : own()) c.red = false;
}

std::optional<uint8_t> MemoryView::TypeCell(int address, std::string_view text, ErrorLog& log) {
    if (!hasCell(address)) {
        log.ShowErr("frmMemDat->GridDataTemp", err::IndexOutOfRange, kOwnSource);
        return std::nullopt;
    }
    SetText(address, std::string(text));
    const auto d = SeparateChar(text, log);
    const int value = d[3] * 4096 + d[2] * 256 + d[1] * 16 + d[0];
    if (value > 255) {
        log.ShowErr("frmMemDat->GridDataTemp", err::Overflow, kOwnSource);
        return std::nullopt;
    }
    return static_cast<uint8_t>(value);
}

void MemoryView::ShowRange(const ByteImage& image, int start, int end) {
    for (int a = start; a <= std::max(start, end); ++a)
        if (hasCell(a) && a <= image.DatNum()) SetText(a, FormatByteDat(image.at(a)));
}

std::string AddressText(int address) {
    return Hex4(address);
}

// --- The channel window's gestures ------------------------------------------------------------

bool MemoryViewGestures::ModelLabelDblClick() {
    // 1, 2, ... 10, then 0 again.
    modelLabelDblClicks_ = modelLabelDblClicks_ >= 10 ? 0 : modelLabelDblClicks_ + 1;
    return modelLabelDblClicks_ == 9;
}

bool MemoryViewGestures::ModelFrameClick() {
    // Only the remainder matters; keeping the count small keeps it from ever overflowing.
    modelFrameClicks_ = modelFrameClicks_ % 10 + 1;
    return modelFrameClicks_ % 10 == 6;
}

// --- Partial fill -----------------------------------------------------------------------------

FillRequest StartFillRequest(int tableMaxAddr) {
    return {FillBase::Hex, "FF", "0000", AddressText(tableMaxAddr)};
}

std::optional<PartialFill> CheckFill(const FillRequest& request, int datNum, ErrorLog& log) {
    auto refuse = [&](int number) {
        log.ShowErr("frmPartFill->cmdFillData_Click", number, kOwnSource);
        return std::nullopt;
    };
    int value = 0;
    if (request.base == FillBase::Decimal) {
        // A decimal whole number (blanks around it allowed): digits only, and no more than a
        // 16-bit number holds. A sign or a letter makes it no number.
        std::string_view t = request.value;
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
        if (t.empty()) return refuse(err::TypeMismatch);
        for (char c : t) {
            if (c < '0' || c > '9') return refuse(err::TypeMismatch);
            value = value * 10 + (c - '0');
            if (value > 32767) return refuse(err::Overflow);
        }
    } else {
        // An overflow is B_To_D's own: it logs and gives the value reached, which the step
        // below brings down to 255 as any large value.
        value = B_To_D(request.base == FillBase::Hex ? H_To_B(request.value) : request.value, log)
                    .value;
    }
    // An address that overflows is logged the same way; the value reached lies past the image.
    const BinaryValue start = B_To_D(H_To_B(request.start), log);
    const BinaryValue end = B_To_D(H_To_B(request.end), log);
    if (start.value > datNum || end.value > datNum) return refuse(err::IndexOutOfRange);
    return PartialFill{static_cast<uint8_t>(std::min(value, 255)), start.value, end.value};
}

}  // namespace tarvos

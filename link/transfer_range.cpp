#include "link/transfer_range.h"

#include "link/hex_text.h"

namespace tarvos::link {

RangeCheck CheckTransferRange(int start, int end, int datNum) {
    RangeCheck c{RangeCheck::None, start, end, 0};
    // A reversed range would run the handshakes and the closing exchange with no block in
    // between, and the transfer would report a success it never had.
    if (start > end)
        c.fault = RangeCheck::Reversed;
    else if (start < 0 || end > datNum)
        c = {RangeCheck::OutsideImage, start, end, datNum};
    else if ((end - start) / 16 + 1 > kMaxSteps - kFixedSteps - 1)
        c = {RangeCheck::TooManySteps, start, end, kMaxSteps};
    return c;
}

RangeCheck CheckTransferRange(const RangeSettings& r, Direction d, int datNum) {
    return d == Direction::Read ? CheckTransferRange(r.ReadStartAddr, r.ReadEndAddr, datNum)
                                : CheckTransferRange(r.WriteStartAddr, r.WriteEndAddr, datNum);
}

std::string RangeRefusalText(Direction d, const RangeCheck& c, int language) {
    if (c.ok()) return {};
    const bool read = d == Direction::Read;
    const std::string range =
        Hex4(static_cast<unsigned>(c.start)) + "-" + Hex4(static_cast<unsigned>(c.end));
    const std::string limit = c.fault == RangeCheck::OutsideImage
                                  ? "0000-" + Hex4(static_cast<unsigned>(c.limit))
                                  : std::to_string(c.limit);
    if (language == 1) {
        const std::string head = std::string(read ? "读取范围 " : "写入范围 ") + range;
        if (c.fault == RangeCheck::Reversed) return head + " 的起始地址大于结束地址。";
        if (c.fault == RangeCheck::OutsideImage) return head + " 超出内存映像 " + limit + "。";
        return head + " 需要超过 " + limit + " 个步骤。";
    }
    if (language == 2) {
        const std::string head = std::string(read ? "讀取範圍 " : "寫入範圍 ") + range;
        if (c.fault == RangeCheck::Reversed) return head + " 的起始位址大於結束位址。";
        if (c.fault == RangeCheck::OutsideImage) return head + " 超出記憶體映像 " + limit + "。";
        return head + " 需要超過 " + limit + " 個步驟。";
    }
    const std::string head = std::string(read ? "Read" : "Write") + " range " + range;
    if (c.fault == RangeCheck::Reversed)
        return head + " is reversed: its start lies above its end.";
    if (c.fault == RangeCheck::OutsideImage)
        return head + " lies outside the memory image " + limit + ".";
    return head + " needs more than " + limit + " steps.";
}

}  // namespace tarvos::link

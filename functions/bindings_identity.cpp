// The rows of the binding table by which the radio tells of itself: the two embedded
// message lines and the six identity digits.

#include "functions/binding_groups.h"
#include "functions/binding_rows.h"
#include "functions/row_encodings.h"

namespace tarvos::table {

namespace {
Entries RadioIdEntries(const FaceTextTable& ft) {
    return Prepend(ft[353], Range(1, 9));
}
}  // namespace

void AddIdentityRows(std::vector<Binding>& t) {
    using namespace rows;
    auto add = [&t](Binding b) { t.push_back(std::move(b)); };

    // 8. Embedded message lines.
    for (int k = 1; k <= 2; ++k) {
        Binding b;
        b.name = "txtInfo(" + Num(k) + ")";
        b.kind = ControlKind::Text;
        b.frame = kFraEmbedMsg;
        b.captionLabel = k == 1 ? "lblInfo1" : "lblInfo2";
        b.caption = k == 1 ? 258 : -1;
        b.fixedCaption = k == 1 ? "" : "信息2";
        b.field = Byte(static_cast<uint16_t>(0x0300 + 32 * (k - 1)));
        b.textRule = TextRule::Message;
        b.messageLine = k;
        b.maxLength = 16;
        add(std::move(b));
    }

    // 9. Identity digits: a nibble each, low nibble for even k.
    for (int k = 0; k <= 5; ++k) {
        auto addr = static_cast<uint16_t>(0x03E9 + k / 2);
        Field nibble = k % 2 == 0 ? Bits(addr, 0, 3) : Bits(addr, 4, 7);
        add(Special(List("cboRadioId(" + Num(k) + ")", kFraMoreFunc, "lblRadioId", 352, nibble,
                         RadioIdEntries),
                    EncodeRadioId, DecodeRadioId));
    }
    add(Check("chkAnRadioId", kFraMoreFunc, 354, Bit(0x036A, 1)));
}

}  // namespace tarvos::table

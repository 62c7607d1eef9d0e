#pragma once
// Whether a transfer range can be sent at all, decided before anything goes on the line: its
// start must not lie above its end, it must lie inside the image, and its blocks must fit in
// one step list. The step lists refuse to build a range that fails, tarvos-cli asks before it
// opens the port, and anything that plans transfers of its own can ask the same question.

#include <string>

#include "link/observer.h"
#include "link/range_settings.h"

namespace tarvos::link {

inline constexpr int kMaxSteps = 520;
inline constexpr int kFixedSteps = 3;  // handshake + letters, code area, code check

struct RangeCheck {
    enum Fault { None, Reversed, OutsideImage, TooManySteps } fault = None;
    int start = 0, end = 0;
    int limit = 0;  // the image's last index, or the step limit
    bool ok() const { return fault == None; }
};

// The range start..end (inclusive) for an image whose last index is datNum.
RangeCheck CheckTransferRange(int start, int end, int datNum);
// The read or write range of the settings.
RangeCheck CheckTransferRange(const RangeSettings& ranges, Direction d, int datNum);

// Why the range cannot be transferred, naming it, in the interface language (1 Simplified
// Chinese, 2 Traditional Chinese, 3 English); empty when it can.
std::string RangeRefusalText(Direction d, const RangeCheck& check, int language);

}  // namespace tarvos::link

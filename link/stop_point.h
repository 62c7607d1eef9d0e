#pragma once
// Where a transfer stood when it was stopped at once (Transfer::stopNow), and the words that
// tell the user: a stopped read took nothing, a stopped write left the radio partly written
// and must say how far it got.

#include <string>

#include "link/observer.h"

namespace tarvos::link {

struct StopPoint {
    Direction direction = Direction::Read;
    int rangeStart = 0, rangeEnd = -1;  // the blocks of the list; rangeEnd < rangeStart: none
    // A write: the range is written from its start up to doneEnd (below rangeStart: none of
    // it), the radio acknowledged a write of any kind, every block was written and the frames
    // after the blocks were not all sent.
    int doneEnd = -1;
    bool wroteAnything = false;
    bool blocksDone = false;
};

// One line in the interface language (1 Simplified Chinese, 2 Traditional, 3 English).
std::string StopPointText(const StopPoint& point, int language);

}  // namespace tarvos::link

#pragma once
// The sixteen two-tone entries, 8 bytes each at R = 0x0280 + 8(e-1):
//
//   R+0 R+1  A frequency, 0.1 Hz, little-endian     (0xFF 0xFF empty)
//   R+2      A duration, 0.1 s                      (0xFF empty)
//   R+3 R+4  B frequency
//   R+5      B duration
//   R+6      interval between the tones, 0.1 s
//   R+7      90 ("Z") when the entry holds at least one tone, else 0xFF
//
// The page edits them as cell texts of two grids (entries 1-8 and 9-16); every committed
// edit validates and re-encodes all sixteen entries.

#include <array>
#include <string>
#include <vector>

#include "memory/image.h"

namespace tarvos {

inline constexpr int kTwoToneBase = 0x0280;
inline constexpr int kTwoToneEntries = 16;
constexpr int TwoToneAddr(int entry) {
    return kTwoToneBase + 8 * (entry - 1);
}

enum class TwoToneColumn { AFre = 1, ATime = 2, BFre = 3, BTime = 4, Interval = 5 };

struct TwoToneCells {
    std::string aFre, aTime, bFre, bTime, interval;

    std::string& cell(TwoToneColumn c);
    const std::string& cell(TwoToneColumn c) const;
    bool operator==(const TwoToneCells&) const = default;
};
using TwoToneTable = std::array<TwoToneCells, kTwoToneEntries>;  // index e - 1

// The drop-down lists of the duration columns ("0.3" … "9.7", "10.0") and the interval
// column ("0.0" … "2.0").
const std::vector<std::string>& TwoToneDurationList();
const std::vector<std::string>& TwoToneIntervalList();

// Validates every cell (frequencies limited to 350..3000 Hz, a missing duration or interval
// becomes "0.3") and writes all sixteen entries. Cells are corrected in place.
void EncodeTwoTone(ByteImage& image, TwoToneTable& cells);

// The cell texts of the sixteen entries as the grids show them after loading; a duration
// above 10.0 s is rewritten as 1.0 s, an interval above 2.0 s as 0.5 s.
TwoToneTable LoadTwoTone(ByteImage& image);
// The same for entry e (1..16) alone.
TwoToneCells LoadTwoToneEntry(ByteImage& image, int e);

// The column headers of a language (1..3) and the header format string.
std::string TwoToneHeaderFormat(int language);

}  // namespace tarvos

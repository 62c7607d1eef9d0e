#pragma once
// The speaker volume table and the loudness order of the 256 volume codes.
//
//   0x01A0          code of volume level 0 (only the Default button writes it)
//   0x01A1..0x01AA  codes of volume levels 1..10
//   0x01AB          90 ("Z") when the radio is to use this table, 255 otherwise
//
// The volume dialog works in one of two modes (settings key "VolumeMode"): in direct mode
// (1) a level list shows the code itself; in sequence mode (0) it shows a loudness step
// 0..255 and the code written is VoiceSeq[step].

#include <array>
#include <cstdint>
#include <string>

#include "base/face_text.h"
#include "memory/image.h"

namespace tarvos {

inline constexpr int kVolumeLevel0Addr = 0x01A0;
inline constexpr int kVolumeUseTableAddr = 0x01AB;
inline constexpr uint8_t kVolumeUseTable = 90;
inline constexpr uint8_t kVolumeNoTable = 255;
inline constexpr int kVolumeModeSequence = 0;
inline constexpr int kVolumeModeDirect = 1;

// VoiceSeq[q]: the code of loudness step q, quietest first; a permutation of 0..255.
const std::array<uint8_t, 256>& VoiceSeq();

// The last step q (searching 255 down to 0) whose code is code; 0 when there is none.
int VolumeDatToSeq(int code);

// A mode above 1 (or below 0) counts as sequence mode.
inline int NormalizeVolumeMode(int mode) {
    return mode == kVolumeModeDirect ? 1 : 0;
}

// The entries the ten level lists show for the image (SeqVolumeDatToSeq): direct mode the
// code itself, sequence mode the first step whose code is the stored one. Index 0 is level 1.
std::array<int, 10> SeqVolumeDatToSeq(const ByteImage& image, int mode);

// A pick of entry p in the list of level (1..10).
void PickVolumeLevel(ByteImage& image, int mode, int level, int p);

// The "Use This Set" box: 0x01AB holds 90 when ticked, 255 otherwise.
bool VolumeUseTable(const ByteImage& image);
void SetVolumeUseTable(ByteImage& image, bool use);

// The Default button: the eleven level codes of the mode, then "Use This Set" ticked.
void VolumeDefault(ByteImage& image, int mode);

// The caption of a level's list: "Volume  3 Level" (one space before 10, so they line up).
std::string VolumeLevelCaption(const FaceTextTable& ft, int level);

}  // namespace tarvos

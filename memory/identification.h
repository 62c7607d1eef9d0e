#pragma once
// The identification block of the image: 0x01B8-0x01BF hold "K48159" and F8 FF. A refresh
// writes it back whenever its first byte is not the 'K', so a file or radio without it
// still identifies itself after the next write.

#include "memory/image.h"

namespace tarvos {

inline constexpr int kIdentificationAddr = 0x01B8;
inline constexpr uint8_t kIdentificationBytes[8] = {'K', '4', '8', '1', '5', '9', 0xF8, 0xFF};

// Returns true when the block had to be written.
bool EnsureIdentificationBlock(ByteImage& image);

}  // namespace tarvos

#pragma once
// The fingerprint of an image: CRC-32 (memory/crc32.h) of addresses 0x0010-0x037F, the
// channels and every byte the editors own, the range a write sends, as eight upper-case
// hexadecimal digits. Two radios programmed from one file show the same fingerprint unless a
// byte of that range differs (a number given to each, for instance). In a data file those
// bytes are file offsets 0x0020-0x038F.

#include <string>

#include "memory/image.h"

namespace tarvos {

inline constexpr int kFingerprintFrom = 0x0010;
inline constexpr int kFingerprintTo = 0x037F;

std::string ImageFingerprint(const ByteImage& image);

}  // namespace tarvos

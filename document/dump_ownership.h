#pragma once
// Which bits of the radio's memory some dump entry depends on, for every address
// 0x0000..0x03FF: the model byte, the band limits, the channel records (frequencies, tones
// and the option bits the codec reads) and the scan word, every field of the binding table
// (with the VOX comparison marker, the code texts, the message lines and the two-tone
// entries), the volume table and the read/write code. A bit outside the map is shown by no
// dump entry; the comparison shows the bytes that differ there as bytes.
//
// Built once from the field descriptors and the binding table.

#include <array>
#include <cstdint>

#include "memory/image.h"

namespace tarvos {

using BitMap = std::array<uint8_t, kRadioMemorySize>;

const BitMap& DumpOwnedBits();

}  // namespace tarvos

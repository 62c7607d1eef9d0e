#pragma once
// What the image does with the bytes a transfer reads back from the radio, and which of its
// bytes a write carries into the parameter frame:
//
//   0x03D0-0x03DF  model and parameter block; 0x03D0-0x03D2 = 20 E9 17 names a radio that
//                  keeps its side keys and option bytes at 0x0260-0x026F: after a read from
//                  it they are copied to 0x0360-0x036F, where the function pages edit them
//   0x03F0-0x03FF  the parameter block a write sends back to the radio in one frame, with
//                  bytes 6 and 7 (0x03F6, 0x03F7) and two bits of the prepared image:
//                  0x03FC bit 7 and 0x03FE bit 2

#include <array>
#include <cstdint>

#include "memory/image.h"

namespace tarvos {

inline constexpr int kParameterBlocksAddr = 0x03D0;  // the three 16-byte blocks read back
inline constexpr int kParameterBlocksSize = 48;
inline constexpr int kParameterFrameAddr = 0x03F0;  // the block a write sends back
inline constexpr int kSideKeyCopySource = 0x0260;
inline constexpr int kSideKeyCopyTarget = 0x0360;
inline constexpr int kSideKeyCopySize = 16;
inline constexpr std::array<uint8_t, 3> kSideKeyCopyRadio = {0x20, 0xE9, 0x17};

// The radio's 48 bytes 0x03D0..0x03FF as a write reads them back (RadioPara).
using RadioPara = std::array<uint8_t, kParameterBlocksSize>;

// After a read: the side-key copy for the radios that need it.
void ApplyReadBackRules(ByteImage& image);

// The two bits the parameter frame takes from the image prepared for a write.
struct WriteParamBits {
    bool bit7Of03FC = false;
    bool bit2Of03FE = false;
};
WriteParamBits ParamBitsOf(const ByteImage& image);

// The 16 data bytes of the parameter frame: the radio's own 0x03F0..0x03FF as read back,
// with bytes 6 and 7 from the image and the two bits noted when the image was prepared.
std::array<uint8_t, 16> ParameterFrameData(const RadioPara& radio, const ByteImage& image,
                                           WriteParamBits bits);

}  // namespace tarvos

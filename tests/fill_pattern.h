#pragma once
// A recognisable fill for radio memories and images. It does not repeat every 256 bytes (each
// 256-byte block is offset by its own amount), so data landing a whole block away from its
// place is caught as surely as data landing a few bytes off.

#include <cstdint>

namespace tarvos::test {

inline uint8_t PatternByte(int address, int salt = 0) {
    return static_cast<uint8_t>(address * 7 + 3 + salt + (address >> 8) * 0x55);
}

}  // namespace tarvos::test

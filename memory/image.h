#pragma once
// The memory image IicDat (and the template copy TempArray): bytes indexed by radio
// address, indexes 0..DatNum. Every access is checked: an index outside 0..DatNum raises
// failure 9, so no rule of the application can run past the end of the image.
//
// Image fields are data: a Field names an address, its lowest bit and its width in bits.
// Fields are constexpr and checked at compile time for lying inside the radio's memory.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "base/failure.h"

namespace tarvos {

// The radio's memory is 0x0000-0x03FF; 0x0400-0x040F is spill space used while a data
// file is rearranged, so the image always has at least 1040 bytes.
inline constexpr int kRadioMemorySize = 0x400;
inline constexpr int kMinDatNum = 1039;

class ByteImage {
  public:
    explicit ByteImage(int datNum = kMinDatNum) : bytes_(static_cast<size_t>(datNum) + 1, 0) {}

    int DatNum() const { return static_cast<int>(bytes_.size()) - 1; }
    int size() const { return static_cast<int>(bytes_.size()); }

    uint8_t& at(int index) {
        check(index);
        return bytes_[static_cast<size_t>(index)];
    }
    uint8_t at(int index) const {
        check(index);
        return bytes_[static_cast<size_t>(index)];
    }
    uint8_t& operator[](int index) { return at(index); }
    uint8_t operator[](int index) const { return at(index); }

    std::span<uint8_t> bytes() { return bytes_; }
    std::span<const uint8_t> bytes() const { return bytes_; }
    void fill(uint8_t value) { std::fill(bytes_.begin(), bytes_.end(), value); }

    bool operator==(const ByteImage&) const = default;

  private:
    void check(int index) const {
        if (index < 0 || index >= size()) Raise(err::IndexOutOfRange, "image index out of range");
    }
    std::vector<uint8_t> bytes_;
};

// A bit field of one image byte: bits lowBit .. lowBit + width - 1 of byte addr.
struct Field {
    uint16_t addr;
    uint8_t lowBit = 0;
    uint8_t width = 8;

    constexpr uint8_t mask() const { return static_cast<uint8_t>(((1u << width) - 1u) << lowBit); }
    constexpr bool valid() const {
        return addr < kRadioMemorySize && width >= 1 && lowBit + width <= 8;
    }
};

constexpr Field Byte(uint16_t addr) {
    return Field{addr, 0, 8};
}
constexpr Field Bit(uint16_t addr, uint8_t bit) {
    return Field{addr, bit, 1};
}
constexpr Field Bits(uint16_t addr, uint8_t lowBit, uint8_t highBit) {
    return Field{addr, lowBit, static_cast<uint8_t>(highBit - lowBit + 1)};
}

inline unsigned Get(const ByteImage& image, Field f) {
    return (image.at(f.addr) & f.mask()) >> f.lowBit;
}

// Read-modify-write: only the field's bits change.
inline void Set(ByteImage& image, Field f, unsigned value) {
    uint8_t& b = image.at(f.addr);
    b = static_cast<uint8_t>((b & ~f.mask()) | ((value << f.lowBit) & f.mask()));
}

}  // namespace tarvos

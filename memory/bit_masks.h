#pragma once
// Single-bit set and clear masks for the 16-bit scan word (channel n is bit n - 1), and the
// text that ends a column's item list in the channel layout of the settings file.

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvos {

namespace detail {
constexpr std::array<uint16_t, 16> MakeBitMask(bool clear) {
    std::array<uint16_t, 16> masks{};
    for (int k = 0; k < 16; ++k) {
        const auto bit = static_cast<uint16_t>(1u << k);
        masks[static_cast<size_t>(k)] = clear ? static_cast<uint16_t>(~bit) : bit;
    }
    return masks;
}
}  // namespace detail

// BitMask[k] = 2^k; BitClearMask[k] = 0xFFFF with bit k cleared.
inline constexpr std::array<uint16_t, 16> BitMask = detail::MakeBitMask(false);
inline constexpr std::array<uint16_t, 16> BitClearMask = detail::MakeBitMask(true);
static_assert(BitMask[0] == 0x0001 && BitMask[15] == 0x8000);
static_assert(BitClearMask[0] == 0xFFFE && BitClearMask[15] == 0x7FFF);

// Ends a column's item list in section ChInfo of the settings file.
inline constexpr std::string_view kEndOfThisItem = "*EndOfThisItem*";

}  // namespace tarvos

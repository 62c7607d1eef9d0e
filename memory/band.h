#pragma once
// The radio model byte and the frequency band. The band limits are stored in the image
// as four BCD digits each, in units of 100 kHz, most significant digits first:
//   0x037A-0x037B  BandLow   (134 MHz -> 13 40)
//   0x037C-0x037D  BandHigh  (174 MHz -> 17 40)
// All frequencies are in 10 Hz units.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "memory/image.h"

namespace tarvos {

inline constexpr Field kModelIndex = Byte(0x0379);
inline constexpr int kBandLowAddr = 0x037A;
inline constexpr int kBandHighAddr = 0x037C;

inline constexpr int32_t kAbsLow = 12000000;   // 120 MHz
inline constexpr int32_t kAbsHigh = 55000000;  // 550 MHz
// The custom dialog accepts 120..520 MHz.
inline constexpr int32_t kCustomLowest = 12000000;
inline constexpr int32_t kCustomHighest = 52000000;
// An image whose band is refused gets 400-480 MHz.
inline constexpr int32_t kRefusedBandLow = 40000000;
inline constexpr int32_t kRefusedBandHigh = 48000000;

struct BandEntry {
    std::string_view text;
    int32_t low;
    int32_t high;
};

// cboFrequency rows 0..13; row 14 is the custom band (FaceText 373).
inline constexpr int kBandCount = 15;
inline constexpr int kCustomBandIndex = 14;
inline constexpr int kStartBandIndex = 12;  // "400 - 520 MHz"
inline constexpr std::array<BandEntry, 14> kBandTable = {{
    {"134 - 174 MHz", 13400000, 17400000},
    {"136 - 174 MHz", 13600000, 17400000},
    {"136 - 150 MHz", 13600000, 15000000},
    {"150 - 174 MHz", 15000000, 17400000},
    {"200 - 260 MHz", 20000000, 26000000},
    {"245 - 246 MHz", 24500000, 24600000},
    {"320 - 400 MHz", 32000000, 40000000},
    {"400 - 470 MHz", 40000000, 47000000},
    {"400 - 480 MHz", 40000000, 48000000},
    {"400 - 440 MHz", 40000000, 44000000},
    {"440 - 480 MHz", 44000000, 48000000},
    {"470 - 520 MHz", 47000000, 52000000},
    {"400 - 520 MHz", 40000000, 52000000},
    {"120 - 520 MHz", 12000000, 52000000},
}};

struct Band {
    int32_t low = 0;
    int32_t high = 0;
    int index = kCustomBandIndex;  // 0..14
};

// The row with exactly these limits (0..13), else 14.
int BandIndexOf(int32_t low, int32_t high);

// Writes the limits into 0x037A-0x037D (each divided by 10000 and rounded, halves to even).
void WriteBandLimits(ByteImage& image, int32_t low, int32_t high);

// One limit as stored at addr (kBandLowAddr or kBandHighAddr), in 10 Hz units: four BCD
// digits in units of 100 kHz, most significant first; nibbles above 9 are weighted like
// digits. No check: that is IicDatToBand's.
int32_t ReadBandLimit(const ByteImage& image, int addr);

// The band stored in the image. Nibbles above 9 are weighted like digits. A pair below
// 120 MHz or above 550 MHz, or with high < low, is refused: it becomes 400-480 MHz and the
// image bytes are rewritten 40 00 48 00. (A failure reading the image gives 120-520 MHz,
// index 14.)
Band IicDatToBand(ByteImage& image);

// The custom band dialog's OK: both texts numbers (MHz) with 120 <= min <= max <= 520
// gives that band; anything else gives 120-520 MHz and the texts "120" and "520".
struct CustomBand {
    bool accepted = false;
    int32_t low = kCustomLowest;
    int32_t high = kCustomHighest;
    std::string minText = "120";  // the texts the dialog remembers
    std::string maxText = "520";
};
CustomBand CheckCustomBand(std::string_view minText, std::string_view maxText);

// Window caption for a band: the list text; for the custom band customText, two spaces,
// "lo - hi MHz" in whole MHz.
std::string BandCaption(int index, int32_t low, int32_t high, std::string_view customText);

// Rounds halves to even, as the band and custom-band rules do.
int64_t RoundHalfEven(double value);

}  // namespace tarvos

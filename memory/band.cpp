#include "memory/band.h"

#include <cctype>
#include <cmath>
#include <string>

#include "memory/decimal_text.h"

namespace tarvos {

namespace {


void WriteLimit(ByteImage& image, int addr, int32_t limit) {
    const auto units = static_cast<int>(RoundHalfEven(limit / 10000.0));
    image.at(addr) = static_cast<uint8_t>((units / 1000) * 16 + (units % 1000) / 100);
    image.at(addr + 1) = static_cast<uint8_t>(((units % 100) / 10) * 16 + units % 10);
}

// A number as the dialog's text boxes accept it: decimal, surrounding blanks allowed.
bool ParseNumber(std::string_view text, double* value) {
    std::string s(text);
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return false;
    const auto e = s.find_last_not_of(" \t");
    s = s.substr(b, e - b + 1);
    for (char c : s)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-' ||
              c == 'e' || c == 'E'))
            return false;
    return DecimalFromText(s, value);
}

}  // namespace

int32_t ReadBandLimit(const ByteImage& image, int addr) {
    const int hi = image.at(addr), lo = image.at(addr + 1);
    const int units = (hi >> 4) * 1000 + (hi & 0x0F) * 100 + (lo >> 4) * 10 + (lo & 0x0F);
    return units * 10000;
}

int64_t RoundHalfEven(double value) {
    return static_cast<int64_t>(std::nearbyint(value));
}

int BandIndexOf(int32_t low, int32_t high) {
    for (size_t i = 0; i < kBandTable.size(); ++i)
        if (kBandTable[i].low == low && kBandTable[i].high == high) return static_cast<int>(i);
    return kCustomBandIndex;
}

void WriteBandLimits(ByteImage& image, int32_t low, int32_t high) {
    WriteLimit(image, kBandLowAddr, low);
    WriteLimit(image, kBandHighAddr, high);
}

Band IicDatToBand(ByteImage& image) {
    Band band;
    try {
        band.low = ReadBandLimit(image, kBandLowAddr);
        band.high = ReadBandLimit(image, kBandHighAddr);
        const bool refused = band.low < kAbsLow || band.low > kAbsHigh || band.high < kAbsLow ||
                             band.high > kAbsHigh || band.high < band.low;
        if (refused) {
            band.low = kRefusedBandLow;
            band.high = kRefusedBandHigh;
            WriteBandLimits(image, band.low, band.high);
        }
        band.index = BandIndexOf(band.low, band.high);
    } catch (const Failure&) {
        band = Band{kCustomLowest, kCustomHighest, kCustomBandIndex};
    }
    return band;
}

CustomBand CheckCustomBand(std::string_view minText, std::string_view maxText) {
    CustomBand out;
    double lo = 0, hi = 0;
    if (!ParseNumber(minText, &lo) || !ParseNumber(maxText, &hi)) return out;
    if (std::fabs(lo) > 1e6 || std::fabs(hi) > 1e6) return out;
    const int64_t f = RoundHalfEven(lo * 100000.0);
    const int64_t h = RoundHalfEven(hi * 100000.0);
    if (f < kCustomLowest || f > kCustomHighest || h < kCustomLowest || h > kCustomHighest || h < f)
        return out;
    out.accepted = true;
    out.low = static_cast<int32_t>(f);
    out.high = static_cast<int32_t>(h);
    out.minText = std::string(minText);
    out.maxText = std::string(maxText);
    return out;
}

std::string BandCaption(int index, int32_t low, int32_t high, std::string_view customText) {
    if (index >= 0 && index < static_cast<int>(kBandTable.size()))
        return std::string(kBandTable[static_cast<size_t>(index)].text);
    // Whole MHz of the limits as the image stores them (rounded to 100 kHz), so the caption
    // is the same before and after a save and reopen.
    const auto units = [](int32_t limit) { return RoundHalfEven(limit / 10000.0) / 10; };
    return std::string(customText) + "  " + std::to_string(units(low)) + " - " +
           std::to_string(units(high)) + " MHz";
}

}  // namespace tarvos

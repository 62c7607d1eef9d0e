#include "functions/two_tone.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/face_text.h"
#include "memory/decimal_text.h"

namespace tarvos {

namespace {
constexpr int kLowestFre = 3500, kHighestFre = 30000;  // 0.1 Hz
constexpr int kLoadLowFre = 2885, kLoadHighFre = 31061;
constexpr int kLoadMaxTime = 100, kLoadTimeDefault = 10;
constexpr int kLoadMaxInterval = 20, kLoadIntervalDefault = 5;
constexpr uint8_t kEntryMarker = 90;

// A number as a user would type it: blanks around, a sign, digits with one decimal point,
// an optional exponent. Words, "inf" and "nan" are not numbers.
bool IsNumeric(const std::string& s, double* value) {
    size_t i = 0, n = s.size();
    while (i < n && s[i] == ' ') ++i;
    size_t start = i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false;
    while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    }
    if (!digits) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        size_t e = i + 1;
        if (e < n && (s[e] == '+' || s[e] == '-')) ++e;
        if (e < n && std::isdigit(static_cast<unsigned char>(s[e]))) {
            i = e;
            while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
        }
    }
    size_t end = i;
    while (i < n && s[i] == ' ') ++i;
    if (i != n) return false;
    return DecimalFromText(std::string_view(s).substr(start, end - start), value);
}

// value × 10 rounded to the nearest integer, halves to even.
double Tenths(double value) {
    return std::nearbyint(value * 10.0);
}

std::string OneDecimal(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// Frequency cell → stored value; -1 for an empty cell. The cell then shows the value stored,
// as a load shows it ("2000.0", "350.0"), not the text typed: what is on screen is what the
// file will hold.
int EncodeFre(std::string& cell) {
    if (cell.empty()) return -1;
    double value;
    if (!IsNumeric(cell, &value)) value = 1500.0;
    const int v =
        static_cast<int>(std::clamp(Tenths(value), double{kLowestFre}, double{kHighestFre}));
    cell = OneDecimal(v);
    return v;
}

// Duration or interval cell (present) → stored byte. The lists only offer 0.0..10.0; a text
// from elsewhere that is no number, or does not fit the byte, is treated as the default.
uint8_t EncodeTime(std::string& cell) {
    if (cell.empty()) cell = "0.3";
    double value;
    if (!IsNumeric(cell, &value) || Tenths(value) < 0 || Tenths(value) > 254) {
        cell = "0.3";
        value = 0.3;
    }
    return static_cast<uint8_t>(Tenths(value));
}

void WriteFre(ByteImage& image, int addr, int v) {
    image.at(addr) = v < 0 ? 0xFF : static_cast<uint8_t>(v & 0xFF);
    image.at(addr + 1) = v < 0 ? 0xFF : static_cast<uint8_t>(v >> 8);
}

std::string LoadFre(const ByteImage& image, int addr) {
    int f = image.at(addr) | (image.at(addr + 1) << 8);
    return (f >= kLoadLowFre && f < kLoadHighFre) ? OneDecimal(f) : std::string();
}

std::string LoadTime(ByteImage& image, int addr, int max, int def) {
    if (image.at(addr) > max) image.at(addr) = static_cast<uint8_t>(def);
    return OneDecimal(image.at(addr));
}
}  // namespace

std::string& TwoToneCells::cell(TwoToneColumn c) {
    switch (c) {
        case TwoToneColumn::AFre:
            return aFre;
        case TwoToneColumn::ATime:
            return aTime;
        case TwoToneColumn::BFre:
            return bFre;
        case TwoToneColumn::BTime:
            return bTime;
        case TwoToneColumn::Interval:
            break;
    }
    return interval;
}

const std::string& TwoToneCells::cell(TwoToneColumn c) const {
    return const_cast<TwoToneCells*>(this)->cell(c);
}

const std::vector<std::string>& TwoToneDurationList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l;
        for (int t = 3; t <= 97; ++t) l.push_back(OneDecimal(t));
        l.push_back("10.0");
        return l;
    }();
    return list;
}

const std::vector<std::string>& TwoToneIntervalList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l;
        for (int t = 0; t <= 20; ++t) l.push_back(OneDecimal(t));
        return l;
    }();
    return list;
}

void EncodeTwoTone(ByteImage& image, TwoToneTable& cells) {
    for (int e = 1; e <= kTwoToneEntries; ++e) {
        TwoToneCells& c = cells[e - 1];
        int r = TwoToneAddr(e);
        WriteFre(image, r + 0, EncodeFre(c.aFre));
        WriteFre(image, r + 3, EncodeFre(c.bFre));
        if (!c.aFre.empty()) {
            image.at(r + 2) = EncodeTime(c.aTime);
        } else {
            c.aTime.clear();
            image.at(r + 2) = 0xFF;
        }
        if (!c.bFre.empty()) {
            image.at(r + 5) = EncodeTime(c.bTime);
        } else {
            c.bTime.clear();
            image.at(r + 5) = 0xFF;
        }
        if (!c.aFre.empty() || !c.bFre.empty()) {
            image.at(r + 7) = kEntryMarker;
            if (!c.aFre.empty() && !c.bFre.empty()) {
                image.at(r + 6) = EncodeTime(c.interval);
            } else {
                c.interval.clear();
                image.at(r + 6) = 0xFF;
            }
        } else {
            image.at(r + 7) = 0xFF;
            c.interval.clear();  // the interval byte keeps its value
        }
    }
}

TwoToneCells LoadTwoToneEntry(ByteImage& image, int e) {
    TwoToneCells c;
    const int r = TwoToneAddr(e);
    if (image.at(r + 7) != kEntryMarker) return c;
    c.aFre = LoadFre(image, r + 0);
    if (!c.aFre.empty()) c.aTime = LoadTime(image, r + 2, kLoadMaxTime, kLoadTimeDefault);
    c.bFre = LoadFre(image, r + 3);
    if (!c.bFre.empty()) c.bTime = LoadTime(image, r + 5, kLoadMaxTime, kLoadTimeDefault);
    if (!c.aFre.empty() && !c.bFre.empty())
        c.interval = LoadTime(image, r + 6, kLoadMaxInterval, kLoadIntervalDefault);
    return c;
}

TwoToneTable LoadTwoTone(ByteImage& image) {
    TwoToneTable cells;
    for (int e = 1; e <= kTwoToneEntries; ++e) cells[e - 1] = LoadTwoToneEntry(image, e);
    return cells;
}

std::string TwoToneHeaderFormat(int language) {
    switch (NormalizeLanguage(language)) {
        case 1:
            return "序号|A音频率|A音时间|B音频率|B音时间|间隔时间";
        case 2:
            return "序號|A音頻率|A音時間|B音頻率|B音時間|間隔時間";
        default:
            return "No.|A Fre|A Time|B Fre|B Time|Interval";
    }
}

}  // namespace tarvos

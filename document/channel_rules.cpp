// The channel grid's pure rules: frequency texts shown and typed, the 250 Hz raster, tones.
#include "document/channel_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "memory/char_table.h"

namespace tarvos {

namespace {

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
int DigitValue(char32_t c) {
    return static_cast<int>(c - U'0');
}

}  // namespace

std::string FrequencyText(int32_t tenHz) {
    const int64_t v = tenHz;
    const int64_t whole = std::llabs(v) / 100000;
    int64_t frac = std::llabs(v) % 100000;
    std::string text = (v < 0 ? "-" : "") + std::to_string(whole);
    if (frac == 0) return text;
    std::string digits = std::to_string(frac);
    digits.insert(0, 5 - digits.size(), '0');
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return text + "." + digits;
}

bool IsNumericText(std::string_view text) {
    bool digit = false, point = false, sign = false;
    for (char ch : text) {
        if (ch == ' ') continue;
        if (ch >= '0' && ch <= '9') {
            digit = true;
        } else if (ch == '.' && !point) {
            point = true;
        } else if ((ch == '+' || ch == '-') && !sign && !digit && !point) {
            sign = true;
        } else {
            return false;
        }
    }
    return digit;
}

int32_t ReadTypedFrequency(std::string_view text) {
    const std::u32string chars = Utf8ToU32(text);
    if (chars.size() > 9) return -1;
    // Places 1..9 of "###.#####"; place 4 is the point.
    static constexpr int32_t kWeights[9] = {10000000, 1000000, 100000, 0, 10000, 1000, 100, 10, 1};
    int32_t value = 0;
    for (size_t i = 0; i < chars.size(); ++i)
        if (i != 3 && IsDigit(chars[i])) value += DigitValue(chars[i]) * kWeights[i];
    return value;
}

int32_t ModifyTxRxFre(int64_t v) {
    // Two candidates, on the 250 Hz and on the 6.25 kHz raster, each the nearest; the
    // 6.25 kHz one wins a tie. Every 6.25 kHz step is a 250 Hz step, so the result is the
    // nearest multiple of 25 units.
    const int64_t a = std::llround(static_cast<double>(v) / 25.0);
    const int64_t b = std::llround(static_cast<double>(v) / 625.0);
    const int64_t eA = std::llabs(v - a * 25);
    const int64_t eB = std::llabs(v - b * 625);
    const int64_t result = eA < eB ? a * 25 : b * 625;
    return static_cast<int32_t>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

ToneEntry NormaliseToneEntry(std::string_view text) {
    const std::u32string u = Utf8ToU32(text);
    if (u.size() >= 6) return {};
    // t(1) .. t(5); a missing character is empty.
    auto t = [&](size_t i) -> char32_t { return i <= u.size() ? u[i - 1] : U'\0'; };
    auto dcs = [](char32_t d1, char32_t d2, char32_t d3, char32_t polarity) -> ToneEntry {
        for (char32_t d : {d1, d2, d3})
            if (d < U'0' || d > U'7') return {ToneEntry::Kind::Invalid, {}};
        std::string out = "D";
        for (char32_t d : {d1, d2, d3}) out += static_cast<char>(d);
        out += (polarity == U'I' || polarity == U'i') ? "I" : "N";
        return {ToneEntry::Kind::Valid, out};
    };
    if (t(3) != U'.' && t(4) != U'.') {
        if (t(1) == U'D') return dcs(t(2), t(3), t(4), t(5));
        return dcs(t(1), t(2), t(3), t(4));
    }
    // CTCSS in tenths of a hertz, "dd.d" or "ddd.d".
    if (!IsDigit(t(1))) return {};
    auto d = [&](size_t i) { return IsDigit(t(i)) ? DigitValue(t(i)) : 0; };
    const int value =
        t(3) == U'.' ? d(1) * 100 + d(2) * 10 + d(4) : d(1) * 1000 + d(2) * 100 + d(3) * 10 + d(5);
    if (value > 599 && value <= 2650)
        return {ToneEntry::Kind::Valid,
                std::to_string(value / 10) + "." + std::to_string(value % 10)};
    return dcs(t(1), t(2), t(3), U'N');
}

}  // namespace tarvos

#include "link/hex_text.h"

namespace tarvos::link {

namespace {
const char kDigits[] = "0123456789ABCDEF";
}

std::string Hex2(unsigned value) {
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

std::string Hex4(unsigned value) {
    return Hex2(value >> 8) + Hex2(value & 0xFF);
}

std::optional<unsigned> ParseHex(std::string_view text) {
    if (text.empty()) return std::nullopt;
    unsigned long long v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<unsigned>(v);
}

}  // namespace tarvos::link

#include "base/printable_text.h"

#include <cstdint>
#include <cstdio>

namespace tarvos {

namespace {

// The length of the well-formed UTF-8 sequence at the start of s, and its code point; 0 when
// the first byte starts none.
size_t Utf8Sequence(std::string_view s, uint32_t& cp) {
    const auto b = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    const uint8_t lead = b(0);
    size_t n = 0;
    uint32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0)
        n = 2, cp = lead & 0x1F, min = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        n = 3, cp = lead & 0x0F, min = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        n = 4, cp = lead & 0x07, min = 0x10000;
    else
        return 0;
    if (s.size() < n) return 0;
    for (size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

std::string Escaped(uint8_t byte) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    return hex;
}

}  // namespace

std::string PrintableText(std::string_view text, size_t maxChars) {
    std::string out;
    size_t chars = 0;
    while (!text.empty()) {
        if (chars == maxChars) return out + "...";
        uint32_t cp = 0;
        const size_t n = Utf8Sequence(text, cp);
        const bool control = n != 0 && (cp < 0x20 || (cp >= 0x7F && cp < 0xA0));
        if (n == 0 || control) {
            out += Escaped(static_cast<uint8_t>(text[0]));
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, n));
            text.remove_prefix(n);
        }
        ++chars;
    }
    return out;
}

}  // namespace tarvos

#include "memory/char_table.h"

namespace tarvos {

namespace {
constexpr int kFirstIdeographCode = 1000;
constexpr char32_t kFirstIdeograph = 0x4E00;

char32_t EntryOf(int code) {  // 0 means "no character"
    if (code < 0 || code >= kRadioCharCount) return 0;
    if (code < 32 || code == 34 || code == 127) return U' ';
    if (code < 127) return static_cast<char32_t>(code);
    if (code < kFirstIdeographCode) return 0;
    return kFirstIdeograph + static_cast<char32_t>(code - kFirstIdeographCode);
}
}  // namespace

std::string RadioCharText(int code) {
    char32_t c = EntryOf(code);
    return c ? U32ToUtf8(std::u32string(1, c)) : std::string();
}

int RadioCharCode(char32_t c) {
    if (c == U' ') return 0;
    if (c > 32 && c < 127 && c != U'"') return static_cast<int>(c);
    if (c >= kFirstIdeograph && c < kFirstIdeograph + (kRadioCharCount - kFirstIdeographCode))
        return kFirstIdeographCode + static_cast<int>(c - kFirstIdeograph);
    return kNoRadioChar;
}

RadioCharTable::RadioCharTable() {
    for (int code = 0; code < kRadioCharCount; ++code) {
        char32_t c = EntryOf(code);
        if (c) entries_[code] = std::u32string(1, c);
    }
}

int RadioCharTable::search(char32_t c) const {
    for (int code = 0; code < kRadioCharCount; ++code)
        if (entries_[code].size() == 1 && entries_[code][0] == c) return code;
    return kNoRadioChar;
}

std::u32string Utf8ToU32(std::string_view s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
            if (extra != 0) {
                out.push_back(0xFFFD);
                ++i;
                continue;
            }
        }
        char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string U32ToUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace tarvos

#pragma once
// The radio's character set: codes 0..21901. 0-31 and 127 are a space, 32-126 ASCII except
// 34 (the double quote) which is a space, 128-999 hold nothing, 1000-21901 are the CJK
// ideographs U+4E00..U+9FA5. A character is stored as the first code whose entry matches,
// so a space is code 0; a character outside the set is code 21902.

#include <string>
#include <string_view>

namespace tarvos {

inline constexpr int kRadioCharCount = 21902;  // codes 0..21901
inline constexpr int kNoRadioChar = 21902;     // code of a character outside the set

// The entry of a code as UTF-8: one character, or empty (128..999, and codes above 21901).
std::string RadioCharText(int code);
// Code of one character (a Unicode code point) by direct computation.
int RadioCharCode(char32_t c);

// The table itself, for callers that want the entries (and for checking that the direct
// computation agrees with searching it).
class RadioCharTable {
  public:
    RadioCharTable();
    const std::u32string& entry(int code) const { return entries_[code]; }
    // First code, searching upward from 0, whose entry equals c; 21902 when none.
    int search(char32_t c) const;

  private:
    std::u32string entries_[kRadioCharCount];
};

// UTF-8 <-> code points. Malformed bytes become U+FFFD.
std::u32string Utf8ToU32(std::string_view text);
std::string U32ToUtf8(std::u32string_view text);

}  // namespace tarvos

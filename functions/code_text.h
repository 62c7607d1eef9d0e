#pragma once
// DTMF code texts: the PTT ID codes, the identity code, the stun code and the eight
// automatic-dial memories. Character i of a text is stored as its ASCII code in the
// field's i-th byte; a byte that holds no character holds 0xFF.
//
//   txtPttBot        0x0140..0x014F  16 code characters
//   txtPttEot        0x0150..0x015F  16 code characters
//   txtDtmfIdCode    0x0120..0x0129  10 digits
//   txtDtmfCloseCode 0x01E0..0x01E7 then 0x01F8..0x01F9  10 code characters (split field)
//   txtAutoMem(k)    0x0200 + 16k    16 code characters
//
// Also the PTT ID pause flags: bit 6 of byte 13 of each channel record.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "memory/channel_codec.h"
#include "memory/image.h"

namespace tarvos {

// What a code box keeps: code characters "0"-"9", "A"-"D", "*", "#", space; or digits.
enum class CodeTextKind { CodeChars = 0, Digits = 2 };

using CodeBuf = std::array<uint8_t, 16>;

// The byte layout of one code field: the first splitAt characters from base, the rest
// from base2 (only the stun code is split; elsewhere splitAt == length).
struct CodeField {
    uint16_t base;
    int length;
    int splitAt;
    uint16_t base2;
    CodeTextKind kind;

    constexpr int address(int i) const { return i < splitAt ? base + i : base2 + (i - splitAt); }
    constexpr bool valid() const {
        return length >= 1 && length <= 16 && splitAt <= length && base + splitAt <= 0x400 &&
               base2 + (length - splitAt) <= 0x400;
    }
};

inline constexpr CodeField kPttBotField{0x0140, 16, 16, 0, CodeTextKind::CodeChars};
inline constexpr CodeField kPttEotField{0x0150, 16, 16, 0, CodeTextKind::CodeChars};
inline constexpr CodeField kDtmfIdCodeField{0x0120, 10, 10, 0, CodeTextKind::Digits};
inline constexpr CodeField kDtmfCloseCodeField{0x01E0, 10, 8, 0x01F8, CodeTextKind::CodeChars};
constexpr CodeField AutoMemField(int k) {
    return CodeField{static_cast<uint16_t>(0x0200 + 16 * k), 16, 16, 0, CodeTextKind::CodeChars};
}
static_assert(kPttBotField.valid() && kPttEotField.valid() && kDtmfIdCodeField.valid() &&
              kDtmfCloseCodeField.valid() && AutoMemField(7).valid());

// Keeps the characters kind allows, in order, turning "a"-"d" into upper case.
std::string DelInvalidChar(std::string_view text, CodeTextKind kind);

// CodeBuf for text: all 0xFF, then entry i = the code of character i. Only the first 16
// characters have a place; a longer text is cut to them.
CodeBuf TextToAscii(std::string_view text);

// The text of CodeBuf entries 0..15: digits, space, "#", "*", "A"-"F"; other codes add nothing.
std::string AsciiToTxt(const CodeBuf& buf);

// The field's bytes as CodeBuf (entries past the field's length 0xFF), and its decoded text.
CodeBuf ReadCodeField(const ByteImage& image, const CodeField& field);
std::string DecodeCodeField(const ByteImage& image, const CodeField& field);

// Filters text for the field's kind and writes it (cut to the field), as the change of a
// code box does. Returns the filtered text, which is what the box then shows.
std::string EncodeCodeField(ByteImage& image, const CodeField& field, std::string_view text);

// PTT ID pause flag of channel 1..16.
constexpr Field PttIdPauseField(int channel) {
    return ForChannel(rec::PttIdPause, channel);
}
bool PttIdPause(const ByteImage& image, int channel);
void SetPttIdPause(ByteImage& image, int channel, bool pause);
// The sixteen flags at once (the dialog writes all of them on every click); bit n-1 of
// flags is channel n.
uint16_t PttIdPauseFlags(const ByteImage& image);
void SetPttIdPauseFlags(ByteImage& image, uint16_t flags);

}  // namespace tarvos

#pragma once
// Texts stored as radio character codes (16-bit little-endian codes of RadioCharTable):
// the two embedded message lines and the read/write code.
//
// Embedded message line k (1, 2): 16 characters at 0x0300 + 32(k-1), code i at +2i.
// Read/write code, three characters, low/high byte pairs at
//     0x0385 0x0386 | 0x0387 0x038B | 0x038C 0x038D     (0x0388..0x038A are not part of it)
// "No code" is 0xFF in all six bytes. The new code the next write sends lives outside the
// image in NewCodeBuf, same layout shifted down by 0x0380: positions 5 6 | 7 11 | 12 13.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "memory/image.h"

namespace tarvos {

inline constexpr int kMessageChars = 16;
constexpr int MessageBase(int line) {
    return 0x0300 + 32 * (line - 1);
}

// Stores text (cut to 16 characters, padded with spaces) into line 1 or 2; a character
// outside the radio's set is stored as 21902.
void EncodeMessage(ByteImage& image, int line, std::string_view text);
// The line as the page shows it: codes above 21901 add nothing, trailing spaces removed.
std::string DecodeMessage(const ByteImage& image, int line);

inline constexpr int kRdWrCodeChars = 3;
inline constexpr std::array<uint16_t, 6> kRdWrCodeAddrs = {0x0385, 0x0386, 0x0387,
                                                           0x038B, 0x038C, 0x038D};
inline constexpr std::array<int, 6> kNewCodeBufPositions = {5, 6, 7, 11, 12, 13};

// The six code bytes for a code text: the codes of its first three characters (spaces,
// code 0, after the text); all 0xFF when the text is empty or only spaces.
std::array<uint8_t, 6> EncodeRdWrCode(std::string_view text);
// The text of six code bytes, trailing spaces removed (empty: no code).
std::string DecodeRdWrCode(const std::array<uint8_t, 6>& bytes);

std::array<uint8_t, 6> StoredRdWrCodeBytes(const ByteImage& image);
void WriteStoredRdWrCode(ByteImage& image, std::string_view text);

// NewCodeBuf: 16 bytes outside the image; start-up puts 0xFF in the six code positions.
using NewCodeBuf = std::array<uint8_t, 16>;
NewCodeBuf InitialNewCodeBuf();
std::array<uint8_t, 6> NewCodeBytes(const NewCodeBuf& buf);
void WriteNewCode(NewCodeBuf& buf, std::string_view text);

// The codes the programming link treats as reserved (a box holding one disables the code
// check). This build reserves none.
const std::array<std::string_view, 0>& ReservedRdWrCodes();

}  // namespace tarvos

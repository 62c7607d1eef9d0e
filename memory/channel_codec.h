#pragma once
// The channel record codec: decoding the 16-byte records of the image into ChInfo and
// ToneText, encoding them back, and resetting one record from the template.
//
// Record n (1..16) lives at image address 16 * n:
//
//   offset  0..3  receive frequency, 8 BCD digits of the 10 Hz value, low pair first
//                 (44612500 -> 00 25 61 44); byte 3 alone decides emptiness on reading
//           4..7  transmit frequency, the same; FF FF FF FF = none
//           8..9  decode tone, 16-bit ToneCode, low byte first
//          10..11 encode tone, the same
//          12     7 . 6 5 . 4 3 . 2 1 . 0
//                 |   opt15   busy    opt11   PTT ID bit 0        (bit 7 kept)
//          13     7 . 6 . 5 . 4 . 3..0
//                 VOX pause high wide kept   (bit 6 is the PTT ID pause flag: kept here)
//          14     7..4 opt13 | 3..1 kept | 0 PTT ID bit 1
//          15     7..4 opt14 | 3 kept    | 2..0 opt12
//
// Scan membership is bit n - 1 of the little-endian word at 0x017E.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "memory/channel_layout.h"
#include "memory/channel_table.h"
#include "memory/image.h"
#include "memory/tone_list.h"

namespace tarvos {

class ErrorLog;

inline constexpr int kChannelRecordBase = 0x0010;
inline constexpr int kChannelRecordSize = 16;
inline constexpr Field kScanWordLow = Byte(0x017E);
inline constexpr Field kScanWordHigh = Byte(0x017F);

// Address of record byte `offset` of channel n.
constexpr int ChannelRecordAddr(int n, int offset) {
    return kChannelRecordBase + kChannelRecordSize * (n - 1) + offset;
}

// Record fields (channel-relative offsets; ForChannel gives the image address).
namespace rec {
inline constexpr Field PttIdBit0 = Bit(12, 0);
inline constexpr Field Opt11 = Bits(12, 1, 2);
inline constexpr Field BusyLock = Bits(12, 3, 4);
inline constexpr Field Opt15 = Bits(12, 5, 6);
inline constexpr Field Wide = Bit(13, 4);
inline constexpr Field HighPower = Bit(13, 5);
inline constexpr Field PttIdPause = Bit(13, 6);
inline constexpr Field Vox = Bit(13, 7);
inline constexpr Field PttIdBit1 = Bit(14, 0);
inline constexpr Field Opt13 = Bits(14, 4, 7);
inline constexpr Field Opt12 = Bits(15, 0, 2);
inline constexpr Field Opt14 = Bits(15, 4, 7);
}  // namespace rec

// A record field moved to channel n.
constexpr Field ForChannel(Field f, int n) {
    return Field{static_cast<uint16_t>(ChannelRecordAddr(n, f.addr)), f.lowBit, f.width};
}

// --- Pure conversions (no image, no log) ---------------------------------------------

// Tone name of a stored 16-bit value: 600..2650 CTCSS "67.0", 0x2800..0x29FF "D023N",
// 0xA800..0xA9FF "D023I", anything else noneText.
std::string ToneTextOf(uint16_t code, std::string_view noneText);
// Stored value of a tone name: noneText or "" give 0xFFFF; a text that cannot be converted
// (a non-digit where a digit is needed, more than five characters) gives nullopt.
std::optional<uint16_t> ToneCodeOf(std::string_view text, std::string_view noneText);
// Eight decimal digits to four BCD bytes, digit pair k (from the left) as byte k:
// "44612500" -> 44 61 25 00. Anything but exactly eight digits gives nullopt.
std::optional<std::array<uint8_t, 4>> BcdFromDigits(std::string_view text);
// Four record bytes (lowest first) to a frequency; nullopt when a nibble is above 9.
std::optional<int32_t> FrequencyFromBcd(const std::array<uint8_t, 4>& bytes);

// --- The codec over the application's objects -----------------------------------------

class ChannelCodec {
  public:
    ChannelCodec(ByteImage& iicDat, const ByteImage& tempArray, ChannelTable& chInfo,
                 ToneTexts& toneText, const ChannelLayout& layout, const ToneList& toneList,
                 ErrorLog& log)
        : iicDat_(iicDat),
          tempArray_(tempArray),
          chInfo_(chInfo),
          toneText_(toneText),
          layout_(layout),
          toneList_(toneList),
          log_(log) {}

    int ChannelCount() const;  // the layout's count, at most 16

    // Decode channels 1..ChannelCount ("modChMem->IicDatToChInfo").
    void IicDatToChInfo();
    // Decode channel n alone, as decoding all does it (a failure is not caught here).
    void DecodeChannel(int n);
    // Encode channels 1..ChannelCount.
    void ChInfoToIicDat();

    void IcChParaSol(int n);
    void IcRxFreSol(int n);
    void IcTxFreSol(int n);
    void IcCtdcsDecSol(int n);
    void IcCtdcsEncSol(int n);

    void CiChParaSol(int n);
    void CiRxFreSol(int n);
    void CiTxFreSol(int n);
    void CiCtdcsDecSol(int n);
    void CiCtdcsEncSol(int n);

    std::string QtDqtIicToChar(uint8_t high, uint8_t low);
    // (low, high); (0xFF, 0xFF) for none and for a text that cannot be converted.
    std::pair<uint8_t, uint8_t> QtDqtCharToIic(std::string_view text);
    // nullopt (logged) when the text is not exactly eight decimal digits.
    std::optional<std::array<uint8_t, 4>> SeparateFreChar(std::string_view text);

    // An empty channel (record byte 3 outside 01..99): fields 1 and 2 = -1, 3 and 4 = 0, the
    // option fields and both tone texts from its own record, then the fields of the grid's
    // option columns (5..ColumnCount) their column defaults.
    void DecodeEmptyChannel(int n);

    // Resets channel n: fields 1 and 2 = -1, record bytes from TempArray at the same
    // indexes, then the channel decoded from that record as an empty channel.
    // (Clearing the grid row is the grid's job.)
    void DelOneChannel(int n);

    ErrorLog& log() { return log_; }

  private:
    void encodeFrequency(int n, int firstOffset, int field);

    ByteImage& iicDat_;
    const ByteImage& tempArray_;
    ChannelTable& chInfo_;
    ToneTexts& toneText_;
    const ChannelLayout& layout_;
    const ToneList& toneList_;
    ErrorLog& log_;
};

}  // namespace tarvos

#pragma once
// ChInfo and ToneText: the channel table the channel editor works on. ChInfo holds, per
// channel slot 1..260, fields 1..20 as signed 32-bit integers (field 1 receive and field 2
// transmit frequency in 10 Hz units, -1 = empty / none; fields 5..15 channel options).
// ToneText holds the decode and encode tone names per slot. Out-of-range slots or fields
// raise failure 9.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/failure.h"

namespace tarvos {

inline constexpr int kChannelSlots = 260;
inline constexpr int kChannelFields = 20;
// The scan word has 16 bits, and 16 records fit before 0x0110.
inline constexpr int kMaxChannelCount = 16;

// Field numbers of ChInfo.
namespace chf {
inline constexpr int RxFre = 1;
inline constexpr int TxFre = 2;
inline constexpr int DecSel = 3;
inline constexpr int EncSel = 4;
inline constexpr int Power = 5;     // 1 high, 0 low
inline constexpr int Wide = 6;      // 1 wide, 0 narrow
inline constexpr int Scan = 7;      // 1 scanned
inline constexpr int BusyLock = 8;  // 0 off, 1 carrier, 2 QT/DQT
inline constexpr int Vox = 9;       // 1 on
inline constexpr int PttId = 10;    // 0 off, 1 begin, 2 end, 3 both
inline constexpr int Opt11 = 11;    // 0..2
inline constexpr int Opt12 = 12;    // 0..7
inline constexpr int Opt13 = 13;    // 0..15
inline constexpr int Opt14 = 14;    // 0..15
inline constexpr int Opt15 = 15;    // 0..2
inline constexpr int FirstOption = 5;
inline constexpr int LastStored = 15;
}  // namespace chf

class ChannelTable {
  public:
    ChannelTable() : values_((kChannelSlots + 1) * (kChannelFields + 1), 0) {}

    int32_t& at(int slot, int field) { return values_[index(slot, field)]; }
    int32_t at(int slot, int field) const { return values_[index(slot, field)]; }
    int32_t& operator()(int slot, int field) { return at(slot, field); }
    int32_t operator()(int slot, int field) const { return at(slot, field); }

    // A channel is empty while its receive frequency is -1.
    bool empty(int slot) const { return at(slot, chf::RxFre) == -1; }

    bool operator==(const ChannelTable&) const = default;

  private:
    static size_t index(int slot, int field) {
        if (slot < 1 || slot > kChannelSlots || field < 1 || field > kChannelFields)
            Raise(err::IndexOutOfRange, "channel table index out of range");
        return static_cast<size_t>(slot) * (kChannelFields + 1) + static_cast<size_t>(field);
    }
    std::vector<int32_t> values_;
};

class ToneTexts {
  public:
    ToneTexts() : decode_(kChannelSlots + 1), encode_(kChannelSlots + 1) {}

    std::string& decode(int slot) { return decode_[index(slot)]; }
    const std::string& decode(int slot) const { return decode_[index(slot)]; }
    std::string& encode(int slot) { return encode_[index(slot)]; }
    const std::string& encode(int slot) const { return encode_[index(slot)]; }

    bool operator==(const ToneTexts&) const = default;

  private:
    static size_t index(int slot) {
        if (slot < 1 || slot > kChannelSlots)
            Raise(err::IndexOutOfRange, "tone text index out of range");
        return static_cast<size_t>(slot);
    }
    std::vector<std::string> decode_;
    std::vector<std::string> encode_;
};

}  // namespace tarvos

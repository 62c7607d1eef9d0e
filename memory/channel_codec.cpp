#include "memory/channel_codec.h"

#include <algorithm>
#include <string>

#include "base/error_log.h"
#include "memory/bit_masks.h"
#include "memory/char_table.h"

namespace tarvos {

namespace {

// The scan word has a bit for channels 1..16 only.
size_t ScanBit(int n) {
    if (n < 1 || n > kMaxChannelCount) Raise(err::IndexOutOfRange, "no scan bit for channel");
    return static_cast<size_t>(n - 1);
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
int DigitValue(char32_t c) {
    return static_cast<int>(c - U'0');
}

}  // namespace

// --- Pure conversions -----------------------------------------------------------------

std::string ToneTextOf(uint16_t v, std::string_view noneText) {
    if (v >= 600 && v <= 2650) return std::to_string(v / 10) + "." + std::to_string(v % 10);
    const bool normal = v >= 0x2800 && v <= 0x29FF;
    const bool inverted = v >= 0xA800 && v <= 0xA9FF;
    if (!normal && !inverted) return std::string(noneText);
    const unsigned octal = v & 0x1FF;
    std::string text = "D";
    text += static_cast<char>('0' + ((octal >> 6) & 7));
    text += static_cast<char>('0' + ((octal >> 3) & 7));
    text += static_cast<char>('0' + (octal & 7));
    text += normal ? "N" : "I";
    return text;
}

std::optional<uint16_t> ToneCodeOf(std::string_view text, std::string_view noneText) {
    if (text.empty() || text == noneText) return 0xFFFF;
    const std::u32string c = Utf8ToU32(text);
    if (c.size() > 5) return std::nullopt;
    auto at = [&](size_t i) -> char32_t { return i < c.size() ? c[i] : U'\0'; };
    if (at(2) != U'.' && at(3) != U'.') {
        // DCS: "D" + three digits + polarity letter.
        if (!IsDigit(at(1)) || !IsDigit(at(2)) || !IsDigit(at(3))) return std::nullopt;
        const int v = 0x800 + DigitValue(at(1)) * 64 + DigitValue(at(2)) * 8 + DigitValue(at(3));
        const int high = v / 256 + (at(4) == U'N' ? 0x20 : 0xA0);
        return static_cast<uint16_t>(high * 256 + (v & 0xFF));
    }
    // CTCSS in tenths of a hertz: "dd.d" or "ddd.d". A missing or non-digit character
    // after the first counts as 0.
    if (!IsDigit(at(0))) return std::nullopt;
    auto d = [&](size_t i) { return IsDigit(at(i)) ? DigitValue(at(i)) : 0; };
    const int v = IsDigit(at(3)) ? d(0) * 100 + d(1) * 10 + d(3)
                                 : d(0) * 1000 + d(1) * 100 + d(2) * 10 + d(4);
    return static_cast<uint16_t>(v);
}

std::optional<std::array<uint8_t, 4>> BcdFromDigits(std::string_view text) {
    if (text.size() != 8) return std::nullopt;
    std::array<uint8_t, 4> out{};
    for (size_t k = 0; k < 4; ++k) {
        const char hi = text[2 * k], lo = text[2 * k + 1];
        if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return std::nullopt;
        out[k] = static_cast<uint8_t>((hi - '0') * 16 + (lo - '0'));
    }
    return out;
}

std::optional<int32_t> FrequencyFromBcd(const std::array<uint8_t, 4>& bytes) {
    int32_t value = 0;
    for (int k = 3; k >= 0; --k) {
        const uint8_t b = bytes[static_cast<size_t>(k)];
        if ((b >> 4) > 9 || (b & 0x0F) > 9) return std::nullopt;
        value = value * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return value;
}

// --- The codec ------------------------------------------------------------------------

int ChannelCodec::ChannelCount() const {
    return std::clamp(layout_.channelCount, 0, kMaxChannelCount);
}

void ChannelCodec::IicDatToChInfo() {
    Guard(log_, "modChMem->IicDatToChInfo", [&] {
        for (int n = 1; n <= ChannelCount(); ++n) DecodeChannel(n);
    });
}

void ChannelCodec::DecodeChannel(int n) {
    const uint8_t b3 = iicDat_.at(ChannelRecordAddr(n, 3));
    if (b3 >= 0x01 && b3 <= 0x99) {
        IcChParaSol(n);
        IcRxFreSol(n);
        IcTxFreSol(n);
        IcCtdcsDecSol(n);
        IcCtdcsEncSol(n);
    } else {
        DecodeEmptyChannel(n);
    }
}

void ChannelCodec::DecodeEmptyChannel(int n) {
    chInfo_(n, chf::RxFre) = -1;
    chInfo_(n, chf::TxFre) = -1;
    chInfo_(n, chf::DecSel) = 0;
    chInfo_(n, chf::EncSel) = 0;
    // Everything an empty channel holds comes from its own record, so what a save writes
    // into it never depends on the file that was open before; only the grid's option
    // columns take their defaults, which a channel typed in gets.
    IcChParaSol(n);
    IcCtdcsDecSol(n);
    IcCtdcsEncSol(n);
    const int columns = std::min(layout_.columnCount, kChannelFields);
    for (int j = chf::FirstOption; j <= columns; ++j) chInfo_(n, j) = layout_.columnDefault(j);
}

void ChannelCodec::ChInfoToIicDat() {
    for (int n = 1; n <= ChannelCount(); ++n) {
        CiChParaSol(n);
        CiRxFreSol(n);
        CiTxFreSol(n);
        CiCtdcsDecSol(n);
        CiCtdcsEncSol(n);
    }
}

void ChannelCodec::IcChParaSol(int n) {
    // The option steps end silently on a failure.
    try {
        auto get = [&](Field f) { return static_cast<int32_t>(Get(iicDat_, ForChannel(f, n))); };
        const unsigned scan = Get(iicDat_, kScanWordHigh) * 256u + Get(iicDat_, kScanWordLow);
        chInfo_(n, chf::Power) = get(rec::HighPower);
        chInfo_(n, chf::Wide) = get(rec::Wide);
        chInfo_(n, chf::Vox) = get(rec::Vox);
        chInfo_(n, chf::Scan) = (scan & BitMask[ScanBit(n)]) ? 1 : 0;
        const int32_t busy = get(rec::BusyLock);
        chInfo_(n, chf::BusyLock) = busy == 1 ? 1 : busy == 2 ? 2 : 0;
        chInfo_(n, chf::PttId) = get(rec::PttIdBit1) * 2 + get(rec::PttIdBit0);
        const int32_t o11 = get(rec::Opt11);
        chInfo_(n, chf::Opt11) = o11 == 1 ? 1 : o11 == 2 ? 2 : 0;
        chInfo_(n, chf::Opt12) = get(rec::Opt12);
        chInfo_(n, chf::Opt13) = get(rec::Opt13);
        chInfo_(n, chf::Opt14) = get(rec::Opt14);
        const int32_t o15 = get(rec::Opt15);
        chInfo_(n, chf::Opt15) = o15 == 1 ? 1 : o15 == 2 ? 2 : 0;
    } catch (const Failure&) {
    }
}

void ChannelCodec::IcRxFreSol(int n) {
    Guard(log_, "modChMem->IcRxFreSol", [&] {
        std::array<uint8_t, 4> b{};
        for (int k = 0; k < 4; ++k) b[static_cast<size_t>(k)] = iicDat_.at(ChannelRecordAddr(n, k));
        if (auto f = FrequencyFromBcd(b)) {
            chInfo_(n, chf::RxFre) = *f;
        } else {
            // A receive frequency that is not decimal reads as 120 MHz, and is reported.
            chInfo_(n, chf::RxFre) = 12000000;
            Raise(err::TypeMismatch, "receive frequency is not BCD");
        }
    });
}

void ChannelCodec::IcTxFreSol(int n) {
    Guard(log_, "modChMem->IcTxFreSol", [&] {
        const uint8_t b7 = iicDat_.at(ChannelRecordAddr(n, 7));
        if (b7 == 0x00 || b7 > 0x99) {
            chInfo_(n, chf::TxFre) = -1;
            return;
        }
        std::array<uint8_t, 4> b{};
        for (int k = 0; k < 4; ++k)
            b[static_cast<size_t>(k)] = iicDat_.at(ChannelRecordAddr(n, 4 + k));
        auto f = FrequencyFromBcd(b);
        if (!f) Raise(err::TypeMismatch, "transmit frequency is not BCD");  // field kept
        chInfo_(n, chf::TxFre) = *f;
    });
}

void ChannelCodec::IcCtdcsDecSol(int n) {
    Guard(log_, "modChMem->IcCtdcsDecSol", [&] {
        toneText_.decode(n) = QtDqtIicToChar(iicDat_.at(ChannelRecordAddr(n, 9)),
                                             iicDat_.at(ChannelRecordAddr(n, 8)));
    });
}

void ChannelCodec::IcCtdcsEncSol(int n) {
    Guard(log_, "modChMem->IcCtdcsEncSol", [&] {
        toneText_.encode(n) = QtDqtIicToChar(iicDat_.at(ChannelRecordAddr(n, 11)),
                                             iicDat_.at(ChannelRecordAddr(n, 10)));
    });
}

std::string ChannelCodec::QtDqtIicToChar(uint8_t high, uint8_t low) {
    return ToneTextOf(static_cast<uint16_t>(high * 256 + low), toneList_.NoneText());
}

std::pair<uint8_t, uint8_t> ChannelCodec::QtDqtCharToIic(std::string_view text) {
    std::pair<uint8_t, uint8_t> out{0xFF, 0xFF};
    Guard(log_, "modChMem->QtDqtCharToIic", [&] {
        auto code = ToneCodeOf(text, toneList_.NoneText());
        // A text that is no tone is stored as no tone, never as a half-converted value.
        if (!code) Raise(err::TypeMismatch, "not a tone: " + std::string(text));
        out = {static_cast<uint8_t>(*code & 0xFF), static_cast<uint8_t>(*code >> 8)};
    });
    return out;
}

std::optional<std::array<uint8_t, 4>> ChannelCodec::SeparateFreChar(std::string_view text) {
    std::optional<std::array<uint8_t, 4>> out;
    Guard(log_, "modChMem->SeparateFreChar", [&] {
        out = BcdFromDigits(text);
        if (!out) Raise(err::TypeMismatch, "not eight digits: " + std::string(text));
    });
    return out;
}

void ChannelCodec::CiChParaSol(int n) {
    try {
        auto field = [&](Field f) { return ForChannel(f, n); };
        auto value = [&](int j) { return chInfo_(n, j); };
        // 1. power and bandwidth
        Set(iicDat_, field(rec::HighPower), value(chf::Power) == 1 ? 1 : 0);
        Set(iicDat_, field(rec::Wide), value(chf::Wide) == 1 ? 1 : 0);
        // 2. scan word
        unsigned scan = Get(iicDat_, kScanWordHigh) * 256u + Get(iicDat_, kScanWordLow);
        const size_t bit = ScanBit(n);
        scan = value(chf::Scan) == 1 ? (scan | BitMask[bit]) : (scan & BitClearMask[bit]);
        Set(iicDat_, kScanWordHigh, scan / 256);
        Set(iicDat_, kScanWordLow, scan & 0xFF);
        // 3. busy-channel lockout
        const int32_t busy = value(chf::BusyLock);
        Set(iicDat_, field(rec::BusyLock), busy == 1 ? 1 : busy == 2 ? 2 : 0);
        // 4. VOX
        Set(iicDat_, field(rec::Vox), value(chf::Vox) == 1 ? 1 : 0);
        // 5. PTT ID, split over bytes 12 and 14
        const int32_t ptt = value(chf::PttId);
        Set(iicDat_, field(rec::PttIdBit1), ptt >= 2 ? 1 : 0);
        Set(iicDat_, field(rec::PttIdBit0), (ptt == 1 || ptt == 3) ? 1 : 0);
        // 6. option 11
        const int32_t o11 = value(chf::Opt11);
        Set(iicDat_, field(rec::Opt11), o11 == 1 ? 1 : o11 == 2 ? 2 : 0);
        // 7. option 12 is forced into 0..7, and the table keeps the forced value
        chInfo_(n, chf::Opt12) = std::clamp(value(chf::Opt12), 0, 7);
        Set(iicDat_, field(rec::Opt12), static_cast<unsigned>(value(chf::Opt12)));
        // 8. options 13 and 14: a value outside 0..15 has no nibble; store all ones
        auto nibble = [](int32_t v) { return v >= 0 && v <= 15 ? static_cast<unsigned>(v) : 0xFu; };
        Set(iicDat_, field(rec::Opt13), nibble(value(chf::Opt13)));
        Set(iicDat_, field(rec::Opt14), nibble(value(chf::Opt14)));
        // 9. option 15
        const int32_t o15 = value(chf::Opt15);
        Set(iicDat_, field(rec::Opt15), o15 == 1 ? 1 : o15 == 2 ? 2 : 0);
    } catch (const Failure&) {
    }
}

void ChannelCodec::encodeFrequency(int n, int firstOffset, int field) {
    const int32_t f = chInfo_(n, field);
    std::array<uint8_t, 4> bcd{0xFF, 0xFF, 0xFF, 0xFF};
    if (f != -1) {
        // Every value the decoder can produce (its top byte 0x01..0x99, so 01000000 up,
        // also one below 10 MHz read from a file or a radio) is written back as the same
        // eight BCD digits; without the leading zero such a channel would be dropped by the
        // next save. Anything else does not split into four BCD bytes the decoder reads as
        // a frequency and is stored as "none", never as bytes left over from another
        // conversion.
        constexpr int32_t kLowestStored = 1000000;
        std::string digits = std::to_string(f);
        if (f >= kLowestStored && digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
        if (auto split = SeparateFreChar(digits)) bcd = *split;
    }
    for (int k = 0; k < 4; ++k)
        iicDat_.at(ChannelRecordAddr(n, firstOffset + 3 - k)) = bcd[static_cast<size_t>(k)];
}

void ChannelCodec::CiRxFreSol(int n) {
    // The receive-frequency encoder ends silently on a failure.
    try {
        encodeFrequency(n, 0, chf::RxFre);
    } catch (const Failure&) {
    }
}

void ChannelCodec::CiTxFreSol(int n) {
    Guard(log_, "modChMem->CiTxFreSol", [&] { encodeFrequency(n, 4, chf::TxFre); });
}

void ChannelCodec::CiCtdcsDecSol(int n) {
    Guard(log_, "modChMem->CiCtdcsDecSol", [&] {
        auto [low, high] = QtDqtCharToIic(toneText_.decode(n));
        iicDat_.at(ChannelRecordAddr(n, 8)) = low;
        iicDat_.at(ChannelRecordAddr(n, 9)) = high;
    });
}

void ChannelCodec::CiCtdcsEncSol(int n) {
    Guard(log_, "modChMem->CiCtdcsEncSol", [&] {
        auto [low, high] = QtDqtCharToIic(toneText_.encode(n));
        iicDat_.at(ChannelRecordAddr(n, 10)) = low;
        iicDat_.at(ChannelRecordAddr(n, 11)) = high;
    });
}

void ChannelCodec::DelOneChannel(int n) {
    Guard(log_, "modChMem->DelOneChannel", [&] {
        chInfo_(n, chf::RxFre) = -1;
        chInfo_(n, chf::TxFre) = -1;
        for (int i = 0; i < kChannelRecordSize; ++i)
            iicDat_.at(ChannelRecordAddr(n, i)) = tempArray_.at(ChannelRecordAddr(n, i));
        toneText_.decode(n).clear();
        toneText_.encode(n).clear();
        // The deleted channel's options and tones must not survive in the table, or the next
        // encode would write them back over the template record (and a channel typed in again
        // would inherit them): it reads back from its reset record as an empty channel.
        DecodeEmptyChannel(n);
    });
}

}  // namespace tarvos

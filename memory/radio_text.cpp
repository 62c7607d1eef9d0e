#include "memory/radio_text.h"

#include "memory/char_table.h"

namespace tarvos {

namespace {
// The first n characters of text padded with spaces, as code points.
std::u32string Padded(std::string_view text, size_t n) {
    std::u32string chars = Utf8ToU32(text);
    chars.resize(n, U' ');  // cuts a longer text, pads a shorter one
    return chars;
}

std::string TextOfCodes(const int* codes, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += RadioCharText(codes[i]);  // empty above 21901
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

bool BlankText(std::string_view text) {
    for (char c : text)
        if (c != ' ') return false;
    return true;
}
}  // namespace

void EncodeMessage(ByteImage& image, int line, std::string_view text) {
    if (line < 1 || line > 2) Raise(err::IndexOutOfRange);
    std::u32string chars = Padded(text, kMessageChars);
    int base = MessageBase(line);
    for (int i = 0; i < kMessageChars; ++i) {
        int code = RadioCharCode(chars[i]);
        image.at(base + 2 * i) = static_cast<uint8_t>(code & 0xFF);
        image.at(base + 2 * i + 1) = static_cast<uint8_t>(code >> 8);
    }
}

std::string DecodeMessage(const ByteImage& image, int line) {
    if (line < 1 || line > 2) Raise(err::IndexOutOfRange);
    int base = MessageBase(line);
    int codes[kMessageChars];
    for (int i = 0; i < kMessageChars; ++i)
        codes[i] = image.at(base + 2 * i) | (image.at(base + 2 * i + 1) << 8);
    return TextOfCodes(codes, kMessageChars);
}

std::array<uint8_t, 6> EncodeRdWrCode(std::string_view text) {
    std::array<uint8_t, 6> bytes;
    if (BlankText(text)) {
        bytes.fill(0xFF);
        return bytes;
    }
    std::u32string chars = Padded(text, kRdWrCodeChars);
    for (int i = 0; i < kRdWrCodeChars; ++i) {
        int code = RadioCharCode(chars[i]);
        bytes[2 * i] = static_cast<uint8_t>(code & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(code >> 8);
    }
    return bytes;
}

std::string DecodeRdWrCode(const std::array<uint8_t, 6>& bytes) {
    int codes[kRdWrCodeChars];
    for (int i = 0; i < kRdWrCodeChars; ++i) codes[i] = bytes[2 * i] | (bytes[2 * i + 1] << 8);
    return TextOfCodes(codes, kRdWrCodeChars);
}

std::array<uint8_t, 6> StoredRdWrCodeBytes(const ByteImage& image) {
    std::array<uint8_t, 6> bytes;
    for (int i = 0; i < 6; ++i) bytes[i] = image.at(kRdWrCodeAddrs[i]);
    return bytes;
}

void WriteStoredRdWrCode(ByteImage& image, std::string_view text) {
    auto bytes = EncodeRdWrCode(text);
    for (int i = 0; i < 6; ++i) image.at(kRdWrCodeAddrs[i]) = bytes[i];
}

NewCodeBuf InitialNewCodeBuf() {
    NewCodeBuf buf{};
    for (int p : kNewCodeBufPositions) buf[p] = 0xFF;
    return buf;
}

std::array<uint8_t, 6> NewCodeBytes(const NewCodeBuf& buf) {
    std::array<uint8_t, 6> bytes;
    for (int i = 0; i < 6; ++i) bytes[i] = buf[kNewCodeBufPositions[i]];
    return bytes;
}

void WriteNewCode(NewCodeBuf& buf, std::string_view text) {
    auto bytes = EncodeRdWrCode(text);
    for (int i = 0; i < 6; ++i) buf[kNewCodeBufPositions[i]] = bytes[i];
}

const std::array<std::string_view, 0>& ReservedRdWrCodes() {
    static const std::array<std::string_view, 0> none{};
    return none;
}

}  // namespace tarvos

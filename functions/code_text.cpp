#include "functions/code_text.h"

#include "memory/char_table.h"

namespace tarvos {

namespace {
bool IsCodeChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#' || c == ' ';
}

uint8_t CharCode(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<uint8_t>(c);
    if (c >= U'A' && c <= U'F') return static_cast<uint8_t>(c);
    if (c >= U'a' && c <= U'f') return static_cast<uint8_t>(c - U'a' + U'A');
    if (c == U'*' || c == U'#' || c == U' ') return static_cast<uint8_t>(c);
    return 0xFF;
}
}  // namespace

std::string DelInvalidChar(std::string_view text, CodeTextKind kind) {
    std::string kept;
    for (char c : text) {
        if (c >= 'a' && c <= 'd' && kind == CodeTextKind::CodeChars) c = static_cast<char>(c - 32);
        bool keep = kind == CodeTextKind::Digits ? (c >= '0' && c <= '9') : IsCodeChar(c);
        if (keep) kept.push_back(c);
    }
    return kept;
}

CodeBuf TextToAscii(std::string_view text) {
    CodeBuf buf;
    buf.fill(0xFF);
    std::u32string chars = Utf8ToU32(text);
    for (size_t i = 0; i < chars.size() && i < buf.size(); ++i) buf[i] = CharCode(chars[i]);
    return buf;
}

std::string AsciiToTxt(const CodeBuf& buf) {
    std::string text;
    for (uint8_t b : buf) {
        bool shown = (b >= 0x30 && b <= 0x39) || b == 0x20 || b == 0x23 || b == 0x2A ||
                     (b >= 0x41 && b <= 0x46);
        if (shown) text.push_back(static_cast<char>(b));
    }
    return text;
}

CodeBuf ReadCodeField(const ByteImage& image, const CodeField& field) {
    CodeBuf buf;
    buf.fill(0xFF);
    for (int i = 0; i < field.length; ++i) buf[i] = image.at(field.address(i));
    return buf;
}

std::string DecodeCodeField(const ByteImage& image, const CodeField& field) {
    return AsciiToTxt(ReadCodeField(image, field));
}

std::string EncodeCodeField(ByteImage& image, const CodeField& field, std::string_view text) {
    std::string filtered = DelInvalidChar(text, field.kind);
    if (filtered.size() > static_cast<size_t>(field.length)) filtered.resize(field.length);
    CodeBuf buf = TextToAscii(filtered);
    for (int i = 0; i < field.length; ++i) image.at(field.address(i)) = buf[i];
    return filtered;
}

bool PttIdPause(const ByteImage& image, int channel) {
    if (channel < 1 || channel > 16) Raise(err::IndexOutOfRange);
    return Get(image, PttIdPauseField(channel)) != 0;
}

void SetPttIdPause(ByteImage& image, int channel, bool pause) {
    if (channel < 1 || channel > 16) Raise(err::IndexOutOfRange);
    Set(image, PttIdPauseField(channel), pause ? 1 : 0);
}

uint16_t PttIdPauseFlags(const ByteImage& image) {
    uint16_t flags = 0;
    for (int n = 1; n <= 16; ++n)
        if (PttIdPause(image, n)) flags |= static_cast<uint16_t>(1u << (n - 1));
    return flags;
}

void SetPttIdPauseFlags(ByteImage& image, uint16_t flags) {
    for (int n = 1; n <= 16; ++n) SetPttIdPause(image, n, (flags >> (n - 1)) & 1u);
}

}  // namespace tarvos

#include "functions/row_encodings.h"

#include "functions/bindings.h"
#include "functions/volume.h"

namespace tarvos::rows {

// Short presses offer no code 9 (a momentary function needs a held key): entries 9..17
// are codes 10..18.
void EncodeSideKeyShort(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, p <= 8 ? p : p + 1);
}
int DecodeSideKeyShort(const ByteImage& image, const Binding& row) {
    int code = static_cast<int>(Get(image, row.field));
    if (code <= 8) return code;
    if (code >= 10 && code <= 18) return code - 1;
    return 0;
}

// Bits 0-4 of 0x03E3: bit 4 set means "the selected channel", else bits 0-3 name channel
// 1..16; bits 5-7 belong to something else and are kept.
void EncodeAlarmCh(ByteImage& image, const Binding& row, int p) {
    unsigned v = Get(image, row.field);
    v = p == 0 ? (v | 0x10) : static_cast<unsigned>(p - 1);
    Set(image, row.field, v);
}
int DecodeAlarmCh(const ByteImage& image, const Binding& row) {
    unsigned v = Get(image, row.field);
    return (v & 0x10) ? 0 : static_cast<int>(v & 0x0F) + 1;
}

// One bit per mode; the byte holds a single set bit, or none for "Off". A byte with only
// bit 7 set is shown as "120 + Freq".
void EncodeTailDel(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, p < 7 ? (1u << p) : 0u);
}
int DecodeTailDel(const ByteImage& image, const Binding& row) {
    unsigned v = Get(image, row.field);
    for (int bit = 0; bit <= 6; ++bit)
        if (v & (1u << bit)) return bit;
    return (v & 0x80) ? 4 : 7;
}

namespace {
constexpr int kSaveModeCodes[9] = {144, 146, 149, 152, 155, 157, 159, 162, 165};
constexpr int kSaveModeUpper[9] = {144, 146, 149, 152, 155, 157, 159, 162, 170};
constexpr int kGroupCodes[7] = {0x00, 0x41, 0x42, 0x43, 0x44, 0x2A, 0x23};
}  // namespace

void EncodeSaveMode(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, static_cast<unsigned>(kSaveModeCodes[p]));
}
int DecodeSaveMode(const ByteImage& image, const Binding& row) {
    int code = static_cast<int>(Get(image, row.field));
    for (int p = 0; p < 9; ++p)
        if (code <= kSaveModeUpper[p]) return p;
    return 8;
}

// A nibble per identity digit; "Off" is stored as 0xC.
void EncodeRadioId(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, p == 0 ? 0xCu : static_cast<unsigned>(p));
}
int DecodeRadioId(const ByteImage& image, const Binding& row) {
    unsigned v = Get(image, row.field);
    return (v == 0 || v >= 10) ? 0 : static_cast<int>(v);
}

// The ASCII code of the shown character, 0 for "Off".
void EncodeGroupCode(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, static_cast<unsigned>(kGroupCodes[p]));
}
int DecodeGroupCode(const ByteImage& image, const Binding& row) {
    int code = static_cast<int>(Get(image, row.field));
    for (int p = 0; p < 7; ++p)
        if (kGroupCodes[p] == code) return p;
    return 0;
}

// Loudness steps through VoiceSeq, as the volume dialog's sequence mode.
void EncodeToneVolume(ByteImage& image, const Binding& row, int p) {
    Set(image, row.field, VoiceSeq()[p]);
}
int DecodeToneVolume(const ByteImage& image, const Binding& row) {
    return VolumeDatToSeq(static_cast<int>(Get(image, row.field)));
}

// The stun type writes the whole byte but is read from bit 0.
int DecodeStunSort(const ByteImage& image, const Binding& row) {
    return static_cast<int>(Get(image, row.field) & 1u);
}

}  // namespace tarvos::rows

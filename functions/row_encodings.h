#pragma once
// The encodings of the special rows of the binding table: the rows whose stored code is not
// the entry's number plus an offset name one of these (see Binding::encode and ::decode).

#include "memory/image.h"

namespace tarvos {

struct Binding;

namespace rows {
void EncodeSideKeyShort(ByteImage& image, const Binding& row, int p);
int DecodeSideKeyShort(const ByteImage& image, const Binding& row);
void EncodeAlarmCh(ByteImage& image, const Binding& row, int p);
int DecodeAlarmCh(const ByteImage& image, const Binding& row);
void EncodeTailDel(ByteImage& image, const Binding& row, int p);
int DecodeTailDel(const ByteImage& image, const Binding& row);
void EncodeSaveMode(ByteImage& image, const Binding& row, int p);
int DecodeSaveMode(const ByteImage& image, const Binding& row);
void EncodeRadioId(ByteImage& image, const Binding& row, int p);
int DecodeRadioId(const ByteImage& image, const Binding& row);
void EncodeGroupCode(ByteImage& image, const Binding& row, int p);
int DecodeGroupCode(const ByteImage& image, const Binding& row);
void EncodeToneVolume(ByteImage& image, const Binding& row, int p);
int DecodeToneVolume(const ByteImage& image, const Binding& row);
int DecodeStunSort(const ByteImage& image, const Binding& row);
}  // namespace rows

}  // namespace tarvos

#pragma once
// The images behind "Show changes before writing" and the comparisons with the document:
// what the document holds with its channel table encoded, what a write would send, and the
// radio as a write would find it when only the write range has been read.

#include "memory/image.h"

namespace tarvos {

class RadioDocument;

// The document's image with the channel table encoded into it, as a save or a write encodes
// it; the document itself is not touched.
ByteImage ImageWithChannels(const RadioDocument& doc);

// The image a write of the document would send: the channels encoded, then the function
// page's write values forced (RadioDocument::PrepareWrite, on a copy).
ByteImage ImageAsWritten(const RadioDocument& doc);

// The radio before a write of `written` over start..end: the bytes a read of that range
// brought back (radio), and elsewhere what the write leaves alone, taken as written so that
// nothing outside the range counts as a change.
ByteImage RadioBeforeWrite(const ByteImage& written, const ByteImage& radio, int start, int end);

}  // namespace tarvos

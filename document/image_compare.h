#pragma once
// The comparison of two images as the application shows them: a difference wherever the
// dumps of the two differ (model, band, channel fields, settings, two-tone cells, volume,
// whether a read/write code is stored and, when both hold one, whether it differs), and, for
// the bytes of 0x0000-0x03FF where bits no dump entry depends on differ, the bytes
// themselves, consecutive ones in one range. The enabled states follow from the settings
// and are not compared.
//
// Both images are decoded by the same document (DumpImage), so an image compared with itself,
// or a file with its own Save, gives no difference.

#include <string>
#include <vector>

#include "document/dump_entries.h"

namespace tarvos {

class RadioDocument;

struct Difference {
    DumpKind kind = DumpKind::Model;
    int index = 0;      // as DumpEntry::index
    std::string field;  // as DumpEntry::field
    int start = 0;      // Bytes: the first and last address of the range
    int end = 0;
    DumpValue oldValue, newValue;
};

// The differences from oldDump to newDump, in the order of DumpEntries, then the bytes by
// address. rdWrCode: "none" or "set" on each side, and "changed" as the new value when
// both sides hold different codes.
std::vector<Difference> CompareDumps(const ImageDump& oldDump, const ImageDump& newDump);

// Both images decoded by base, then compared.
std::vector<Difference> CompareImages(const RadioDocument& base, const ByteImage& oldImage,
                                      const ByteImage& newImage);

}  // namespace tarvos

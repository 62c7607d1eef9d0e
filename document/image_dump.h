#pragma once
// What the application shows for an image, as `tarvos-cli dump` prints it and the comparison
// compares it: the model and band, the sixteen channels as the grid shows them after an open,
// and the function pages as they show after loading (each setting, the enabled states, the
// two-tone cells, the volume table, whether a read/write code is stored).
//
// An image is decoded as a document shows it right after opening it: in the document's
// language, with its channel layout and tone list, starting from the channel table it holds
// (a transmit frequency that is not BCD keeps the value the table had, as at an open). The
// image given is not touched: the opening runs on a copy, kept in the dump as that opening
// leaves it (band corrected, identification block written, load rules applied).

#include <array>
#include <cstdint>
#include <string>

#include "functions/page_dump.h"
#include "memory/band.h"
#include "memory/channel_table.h"
#include "memory/image.h"

namespace tarvos {

class RadioDocument;

inline constexpr int kDumpedOptionFields = chf::LastStored - chf::FirstOption + 1;  // 5..15

struct ChannelDump {
    bool empty = true;
    int32_t rx = -1;
    int32_t tx = -1;  // -1: no transmit frequency
    std::string decode, encode;
    std::array<int32_t, kDumpedOptionFields> fields{};  // ChInfo fields 5..15
    int32_t field(int j) const { return fields[static_cast<size_t>(j - chf::FirstOption)]; }
};

struct ImageDump {
    int model = 0;
    Band band;
    std::array<ChannelDump, kMaxChannelCount> channels;  // channel n at n - 1
    PageDump page;
    ByteImage image;  // the copy as the opening left it
};

ImageDump DumpImage(const RadioDocument& base, const ByteImage& image);

}  // namespace tarvos

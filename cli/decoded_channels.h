#pragma once
// The channel table as the grid shows it after an open: decoded from the image with the
// English tone names and the grid's sixteen rows. Empty channels take the column defaults of
// the given number of option columns (none for the dump, which prints no fields for them).

#include "cli/commands.h"
#include "memory/channel_codec.h"
#include "memory/channel_layout.h"
#include "memory/channel_table.h"
#include "memory/tone_list.h"

namespace tarvos::cli {

struct DecodedChannels {
    DecodedChannels(ByteImage& image, ErrorLog& log, int columnCount)
        : tones(kEnglish),
          tempArray(image.DatNum()),
          codec(image, tempArray, chInfo, toneText, layout, tones, log) {
        layout.channelCount = kMaxChannelCount;
        layout.columnCount = columnCount;
        // A transmit frequency that does not decode keeps the table's value: start from none.
        for (int n = 1; n <= kMaxChannelCount; ++n) {
            chInfo(n, chf::RxFre) = -1;
            chInfo(n, chf::TxFre) = -1;
        }
        codec.IicDatToChInfo();
    }

    ToneList tones;
    ChannelTable chInfo;
    ToneTexts toneText;
    ChannelLayout layout;
    ByteImage tempArray;
    ChannelCodec codec;
};

}  // namespace tarvos::cli

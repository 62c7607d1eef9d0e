#include "document/image_dump.h"

#include "base/error_log.h"
#include "document/radio_document.h"
#include "memory/channel_codec.h"
#include "memory/identification.h"

namespace tarvos {

namespace {

void DumpChannels(const RadioDocument& base, ByteImage& image, ErrorLog& log, ImageDump& dump) {
    ChannelTable chInfo = base.chInfo();
    ToneTexts toneText = base.toneText();
    ChannelCodec codec(image, base.tempArray(), chInfo, toneText, base.layout(), base.toneList(),
                       log);
    Guard(log, "modChMem->ShowChTblGrid", [&] { codec.IicDatToChInfo(); });
    for (int n = 1; n <= kMaxChannelCount; ++n) {
        ChannelDump& ch = dump.channels[static_cast<size_t>(n - 1)];
        ch.empty = chInfo.empty(n);
        ch.rx = chInfo(n, chf::RxFre);
        ch.tx = chInfo(n, chf::TxFre);
        ch.decode = toneText.decode(n);
        ch.encode = toneText.encode(n);
        for (int j = chf::FirstOption; j <= chf::LastStored; ++j)
            ch.fields[static_cast<size_t>(j - chf::FirstOption)] = chInfo(n, j);
    }
}

}  // namespace

ImageDump DumpImage(const RadioDocument& base, const ByteImage& image) {
    ImageDump dump;
    dump.image = image;
    ByteImage& copy = dump.image;
    ErrorLog log;  // what goes wrong while decoding is what an open would log, not shown
    dump.model = static_cast<int>(Get(copy, kModelIndex));
    dump.band = IicDatToBand(copy);
    DumpChannels(base, copy, log, dump);
    EnsureIdentificationBlock(copy);
    dump.page = DumpFunctionPage(base.language(), copy);
    return dump;
}

}  // namespace tarvos

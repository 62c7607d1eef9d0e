#include "document/write_preview.h"

#include <algorithm>

#include "base/error_log.h"
#include "document/radio_document.h"
#include "functions/function_model.h"
#include "functions/write_prepare.h"
#include "memory/channel_codec.h"

namespace tarvos {

ByteImage ImageWithChannels(const RadioDocument& doc) {
    ByteImage image = doc.image();
    ChannelTable chInfo = doc.chInfo();
    ToneTexts toneText = doc.toneText();
    RecordingSink quiet;  // the document logs its own encoding when it saves or writes
    ErrorLog log(&quiet);
    ChannelCodec codec(image, doc.tempArray(), chInfo, toneText, doc.layout(), doc.toneList(), log);
    codec.ChInfoToIicDat();
    return image;
}

ByteImage ImageAsWritten(const RadioDocument& doc) {
    ByteImage image = ImageWithChannels(doc);
    // A page of its own, loaded from the document's image, shows what the document's shows.
    FunctionModel page(doc.language());
    PrepareImageForWrite(page, image);
    return image;
}

ByteImage RadioBeforeWrite(const ByteImage& written, const ByteImage& radio, int start, int end) {
    ByteImage before = written;
    const int first = std::max(start, 0);
    const int last = std::min({end, kRadioMemorySize - 1, radio.DatNum(), before.DatNum()});
    for (int a = first; a <= last; ++a) before.at(a) = radio.at(a);
    return before;
}

}  // namespace tarvos

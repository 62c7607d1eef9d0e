// tarvos-cli dump FILE.dat: what the application shows for a data file, as JSON, in
// English. The file is only read.
#include <filesystem>
#include <iostream>
#include <sstream>

#include "base/error_log.h"
#include "cli/cli_document.h"
#include "cli/cli_log.h"
#include "cli/commands.h"
#include "cli/dump_settings.h"
#include "cli/json.h"
#include "memory/band.h"
#include "memory/channel_codec.h"
#include "memory/data_file.h"

namespace tarvos::cli {

namespace {

std::string NumberOrNull(int32_t v) {
    return v == -1 ? "null" : std::to_string(v);
}

// The channels as the grid shows them after an open.
std::string ChannelsJson(const RadioDocument& doc) {
    const ChannelTable& chInfo = doc.chInfo();
    const ToneTexts& toneText = doc.toneText();

    std::ostringstream out;
    out << "[\n";
    for (int n = 1; n <= kMaxChannelCount; ++n) {
        JsonObject ch;
        ch.add("channel", n);
        if (chInfo.empty(n)) {
            ch.add("rx", "null");
        } else {
            const int32_t tx = chInfo(n, chf::TxFre);
            ch.add("rx", NumberOrNull(chInfo(n, chf::RxFre)));
            ch.add("tx", NumberOrNull(tx));
            ch.add("decode", JsonQuote(toneText.decode(n)));
            ch.add("encode", tx == -1 ? std::string("null") : JsonQuote(toneText.encode(n)));
            JsonObject fields;
            for (int j = chf::FirstOption; j <= chf::LastStored; ++j)
                fields.add(std::to_string(j), chInfo(n, j));
            ch.add("fields", fields.text());
        }
        out << "    " << ch.text() << (n < kMaxChannelCount ? ",\n" : "\n");
    }
    out << "  ]";
    return out.str();
}

}  // namespace

int Dump(const Args& args) {
    if (args.size() != 1) {
        std::cerr << "usage: tarvos-cli dump FILE.dat\n";
        return 2;
    }
    const std::filesystem::path path = args[0];
    // Failures while decoding are part of what the application would log, not of the
    // output: on standard error only with --verbose.
    ErrorLog log(&LogSink());

    ByteImage image(kMinDatNum);
    FileError why;
    if (!OpenDatFile(path, image, log, &why)) {
        std::cerr << "tarvos-cli dump: " << why.message << "\n";
        return 2;
    }
    const ByteImage opened = image;

    const Band band = IicDatToBand(image);  // may correct the band bytes of this copy
    JsonObject bandJson;
    bandJson.add("low", band.low).add("high", band.high).add("index", band.index);

    std::ostringstream out;
    out << "{\n";
    out << "  \"model\": " << static_cast<int>(Get(image, kModelIndex)) << ",\n";
    out << "  \"band\": " << bandJson.text() << ",\n";
    // The channels of the file as the window opens it.
    auto doc = StartedDocument(log, kEnglish);
    doc->OpenFile(path);
    out << "  \"channels\": " << ChannelsJson(*doc);
    const std::string settings = FunctionSettingsJsonMembers(opened);
    if (!settings.empty()) out << ",\n  " << settings;
    out << "\n}\n";
    std::cout << out.str();
    return 0;
}

}  // namespace tarvos::cli

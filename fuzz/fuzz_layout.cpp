// The channel layout keys of the settings file, of any content, and the channel codec working
// with the layout they give: the input is the English block of section ChInfo.
//
// What must hold: nothing crashes and no access leaves the image or the channel table (a
// failure 9 logged by the codec counts as one); the layout stays inside the channel table (at most 16
// channels, 20 columns, 50 slots a column); decoding the shipped images and encoding them
// back with that layout changes no byte outside the channel records and the scan word; a
// second decode and encode changes nothing more; and resetting a channel from the template
// touches its own record only.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/error_log.h"
#include "base/settings_file.h"
#include "data/shipped_files.h"
#include "fuzz/fuzz_support.h"
#include "memory/channel_codec.h"
#include "memory/channel_layout.h"
#include "memory/channel_table.h"
#include "memory/data_file.h"
#include "memory/image.h"
#include "memory/tone_list.h"

using namespace tarvos;
using tarvos::fuzz::FailureSink;

namespace {

const std::string kHead = "[Setting]\r\nLanguage=3\r\n[ChInfo]\r\n";

struct Setup {
    std::filesystem::path settings = fuzz::ScratchPath("layout.def");
    ToneList tones{3};
    ByteImage tempArray;                 // the template as stored
    std::vector<ByteImage> images;       // the shipped images, image layout
};

Setup* setup = nullptr;

std::vector<uint8_t> Shipped(const char* name) {
    auto s = ShippedFile(name);
    return {s.begin(), s.end()};
}

// The English block of the shipped settings file, as key=value lines.
std::string EnglishBlock() {
    const auto shipped = Shipped(kSettingsFileName);
    const std::string text(shipped.begin(), shipped.end());
    std::string block;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.rfind("3", 0) == 0) block += line + "\n";
        at = end + 1;
    }
    return block;
}

void WriteSeeds() {
    const std::string english = EnglishBlock();
    fuzz::WriteSeed("english", {english.begin(), english.end()});
    // Defaults that are text, a short list, a column without its end marker, few channels.
    const std::string odd =
        "3000=4\n3002=5\n3003=CH|Rx|Tx|Dec|Enc|Power\n3200=RxFre\n3201=*EndOfThisItem*\n"
        "3250=TxFre\n3251=*EndOfThisItem*\n3300=CtcssDcsDec\n3301=*EndOfThisItem*\n"
        "3350=CtcssDcsEnc\n3351=*EndOfThisItem*\n3400=Low|High\n3401=2\n3402=High\n"
        "3403=Low\n3404=*EndOfThisItem*\n";
    fuzz::WriteSeed("odd", {odd.begin(), odd.end()});
    const std::string wide = "3000=16\n3002=20\n3602=-7\n3652=99999\n";
    fuzz::WriteSeed("wide", {wide.begin(), wide.end()});
}

bool InChannelArea(int a) {
    const int first = ChannelRecordAddr(1, 0), last = ChannelRecordAddr(kMaxChannelCount, 15);
    return (a >= first && a <= last) || a == kScanWordLow.addr || a == kScanWordHigh.addr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (fuzz::SeedFolder()) {
        WriteSeeds();
        std::exit(0);
    }
    setup = new Setup;
    const auto tmpl = Shipped(kTemplateFileName);
    for (int i = 0; i < setup->tempArray.size() && i < static_cast<int>(tmpl.size()); ++i)
        setup->tempArray.at(i) = tmpl[static_cast<size_t>(i)];
    for (const char* name : {kTemplateFileName, kDefaultsFileName}) {
        const auto bytes = Shipped(name);
        ByteImage image;
        for (int i = 0; i < image.size() && i < static_cast<int>(bytes.size()); ++i)
            image.at(i) = bytes[static_cast<size_t>(i)];
        FileLayoutToImage(image);
        setup->images.push_back(image);
    }
    // A radio whose channels hold anything: every byte a pattern.
    ByteImage patterned;
    for (int i = 0; i < patterned.size(); ++i) patterned.at(i) = static_cast<uint8_t>(i * 37 + 11);
    setup->images.push_back(patterned);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Setup& s = *setup;
    std::string text = kHead;
    text.append(reinterpret_cast<const char*>(data), size);
    fuzz::WriteWhole(s.settings, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    FailureSink sink;
    ErrorLog log(&sink);

    const ChannelLayout layout = ReadChInfo(SettingsFile(s.settings), 3, log);
    FUZZ_CHECK(layout.channelCount >= 0 && layout.channelCount <= kMaxChannelCount);
    FUZZ_CHECK(layout.columnCount >= 0 && layout.columnCount <= kMaxColumnCount);
    for (int c = 0; c <= kMaxColumnCount; ++c)
        FUZZ_CHECK(layout.columnItems[static_cast<size_t>(c)].size() <= kItemSlots);
    FUZZ_CHECK(!layout.captions().empty());

    for (const ByteImage& original : s.images) {
        ByteImage image = original;
        ChannelTable chInfo;
        ToneTexts toneText;
        ChannelCodec codec(image, s.tempArray, chInfo, toneText, layout, s.tones, log);
        FUZZ_CHECK(codec.ChannelCount() == layout.channelCount);

        codec.IicDatToChInfo();
        codec.ChInfoToIicDat();
        for (int a = 0; a < image.size(); ++a)
            if (!InChannelArea(a)) FUZZ_CHECK(image.at(a) == original.at(a));

        // Once normalised, another round changes nothing.
        const ByteImage encoded = image;
        codec.IicDatToChInfo();
        codec.ChInfoToIicDat();
        FUZZ_CHECK(image == encoded);

        // A channel reset from the template touches its own record only.
        for (int n = 1; n <= codec.ChannelCount(); ++n) {
            const ByteImage kept = image;
            codec.DelOneChannel(n);
            FUZZ_CHECK(chInfo(n, chf::RxFre) == -1 && chInfo(n, chf::TxFre) == -1);
            for (int a = 0; a < image.size(); ++a) {
                const bool own = a >= ChannelRecordAddr(n, 0) && a <= ChannelRecordAddr(n, 15);
                if (!own) FUZZ_CHECK(image.at(a) == kept.at(a));
            }
        }
    }

    // ReadChInfo refuses a column list without its end marker with failure 9; anywhere else
    // a 9 is an access the checks had to stop.
    for (const auto& e : sink.entries)
        FUZZ_CHECK(e.number != err::IndexOutOfRange || e.location == "modChMem->ReadChInfo");
    return 0;
}

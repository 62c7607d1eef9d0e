// A data file of any size and content opened into the image, then every channel and the band
// decoded from it, encoded back and saved again.
//
// What must hold: nothing crashes and no access leaves the image (a failure 9 logged counts
// as one); a file shorter than a data file leaves the image exactly as it was; a longer or
// exact one lands in the image in the documented layout, both when opened and when it is the
// template of New (which keeps the model and band bytes); the band read from any image is a
// band the editors accept; decoding and encoding a second time changes nothing; and a save
// followed by an open gives back image bytes 0x0006-0x03FF.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/error_log.h"
#include "base/settings_file.h"
#include "data/shipped_files.h"
#include "fuzz/fuzz_support.h"
#include "memory/band.h"
#include "memory/channel_codec.h"
#include "memory/channel_layout.h"
#include "memory/channel_table.h"
#include "memory/data_file.h"
#include "memory/image.h"
#include "memory/tone_list.h"

using namespace tarvos;
using tarvos::fuzz::FailureSink;

namespace {

struct Setup {
    std::filesystem::path input = fuzz::ScratchPath("input.dat");
    std::filesystem::path saved = fuzz::ScratchPath("saved.dat");
    std::array<ChannelLayout, 4> layouts;  // [1..3], the shipped layout of each language
    std::array<ToneList, 4> tones{ToneList(3), ToneList(1), ToneList(2), ToneList(3)};
    ByteImage tempArray;
};

Setup* setup = nullptr;

std::vector<uint8_t> Shipped(const char* name) {
    auto s = ShippedFile(name);
    return {s.begin(), s.end()};
}

void WriteSeeds() {
    const auto tmpl = Shipped(kTemplateFileName);
    const auto defaults = Shipped(kDefaultsFileName);
    fuzz::WriteSeed("template", tmpl);
    fuzz::WriteSeed("defaults", defaults);
    fuzz::WriteSeed("zeros", std::vector<uint8_t>(kDataFileSize, 0));
    fuzz::WriteSeed("ones", std::vector<uint8_t>(kDataFileSize, 0xFF));
    // One byte short of a data file, and a file with a tail past 1040 bytes.
    fuzz::WriteSeed("short", std::vector<uint8_t>(tmpl.begin(), tmpl.end() - 1));
    auto longer = defaults;
    longer.insert(longer.end(), 64, 0x5A);
    fuzz::WriteSeed("long", longer);
}

ByteImage Patterned() {
    ByteImage image;
    for (int i = 0; i < image.size(); ++i) image.at(i) = static_cast<uint8_t>(i * 13 + 5);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (fuzz::SeedFolder()) {
        WriteSeeds();
        std::exit(0);
    }
    setup = new Setup;
    FailureSink sink;
    ErrorLog log(&sink);
    const auto settings = fuzz::ScratchPath("tarvosk.def");
    const auto text = Shipped(kSettingsFileName);
    fuzz::WriteWhole(settings, text.data(), text.size());
    for (int language = 1; language <= 3; ++language)
        setup->layouts[static_cast<size_t>(language)] =
            ReadChInfo(SettingsFile(settings), language, log);
    std::filesystem::remove(settings);
    const auto tmpl = Shipped(kTemplateFileName);
    for (int i = 0; i < std::min<int>(setup->tempArray.size(), static_cast<int>(tmpl.size())); ++i)
        setup->tempArray.at(i) = tmpl[static_cast<size_t>(i)];
    FUZZ_CHECK(sink.entries.empty());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Setup& s = *setup;
    FailureSink sink;
    ErrorLog log(&sink);
    fuzz::WriteWhole(s.input, data, size);

    ByteImage image = Patterned();
    const ByteImage before = image;
    const bool opened = OpenDatFile(s.input, image, log);
    if (size < static_cast<size_t>(kDataFileSize)) {
        FUZZ_CHECK(!opened);
        FUZZ_CHECK(image == before);
    } else {
        FUZZ_CHECK(opened);
        for (int a = 0; a < 16; ++a) FUZZ_CHECK(image.at(a) == data[a]);
        for (int a = 16; a < kRadioMemorySize; ++a) FUZZ_CHECK(image.at(a) == data[a + 16]);
        for (int a = kRadioMemorySize; a < kDataFileSize; ++a) FUZZ_CHECK(image.at(a) == data[a]);
    }

    // The same file as the template of New: the model and band bytes survive, TempArray
    // keeps the file as stored, and a short template changes neither array.
    {
        ByteImage iicDat = Patterned(), tempArray = Patterned();
        const ByteImage iicBefore = iicDat, tempBefore = tempArray;
        NewFileImage(s.input, iicDat, tempArray, log);
        if (size < static_cast<size_t>(kDataFileSize)) {
            FUZZ_CHECK(iicDat == iicBefore && tempArray == tempBefore);
        } else {
            for (int a = 0; a < kDataFileSize; ++a) FUZZ_CHECK(tempArray.at(a) == data[a]);
            for (int a = kKeptByNewFirst; a <= kKeptByNewLast; ++a)
                FUZZ_CHECK(iicDat.at(a) == iicBefore.at(a));
            for (int a = 0x0010; a < kKeptByNewFirst; ++a) FUZZ_CHECK(iicDat.at(a) == image.at(a));
        }
    }

    // The language only picks which shipped layout decodes the image.
    const int language = 1 + static_cast<int>(size % 3);
    ChannelTable chInfo;
    ToneTexts toneText;
    ChannelCodec codec(image, s.tempArray, chInfo, toneText,
                       s.layouts[static_cast<size_t>(language)],
                       s.tones[static_cast<size_t>(language)], log);
    codec.IicDatToChInfo();
    for (int n = 1; n <= codec.ChannelCount(); ++n) {
        const int32_t rx = chInfo(n, chf::RxFre), tx = chInfo(n, chf::TxFre);
        FUZZ_CHECK(rx == -1 || (rx >= 0 && rx <= 99999999));
        FUZZ_CHECK(tx == -1 || (tx >= 0 && tx <= 99999999));
    }

    const Band band = IicDatToBand(image);
    FUZZ_CHECK(band.low >= kAbsLow && band.high <= kAbsHigh && band.low <= band.high);
    FUZZ_CHECK(band.index >= 0 && band.index < kBandCount);
    const Band again = IicDatToBand(image);
    FUZZ_CHECK(again.low == band.low && again.high == band.high && again.index == band.index);

    // Encoding what was decoded may normalise the image once; a second round must not.
    codec.ChInfoToIicDat();
    const ByteImage encoded = image;
    codec.IicDatToChInfo();
    codec.ChInfoToIicDat();
    FUZZ_CHECK(image == encoded);

    // Save and open again: the radio's bytes 0x0006-0x03FF come back exactly.
    if (SaveDatFile(s.saved, image, log)) {
        ByteImage back = Patterned();
        FUZZ_CHECK(OpenDatFile(s.saved, back, log));
        for (int a = 0x0006; a < kRadioMemorySize; ++a) FUZZ_CHECK(back.at(a) == image.at(a));
        for (size_t i = 0; i < kDataFileSignature.size(); ++i)
            FUZZ_CHECK(back.at(static_cast<int>(i)) == kDataFileSignature[i]);
    }

    // The checked accessors stopped an access outside the image or a table.
    FUZZ_CHECK(!sink.logged(err::IndexOutOfRange));
    return 0;
}

// A settings file of any content: the keys read at start-up (choices, image size, transfer
// ranges), the channel layout of the language the file names, and single keys written back.
//
// What must hold: nothing crashes; a value read is never longer than its read length allows,
// and a snapshot of the file or the same text held in memory reads the same value;
// the layout stays inside the channel table (at most 16 channels, 20 columns, 49 items a
// column); the image size and the end addresses stay inside what the image can hold; and
// writing one key leaves every other key's value as it was while the written key reads back
// exactly as written.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/error_log.h"
#include "base/face_text.h"
#include "base/settings_file.h"
#include "data/shipped_files.h"
#include "fuzz/fuzz_support.h"
#include "link/range_settings.h"
#include "memory/channel_layout.h"
#include "memory/data_file.h"
#include "memory/image.h"
#include "memory/image_settings.h"

using namespace tarvos;
using tarvos::fuzz::FailureSink;

namespace {

struct Key {
    const char* section;
    const char* key;
    const char* def;
    int readLength;
};

// The keys the application reads, with their defaults and read lengths, and a few layout
// keys of the English block.
const Key kKeys[] = {
    {"Setting", "FirRun", "1", 3},
    {"Setting", "Language", "2", 10},
    {"Setting", "COM", "1", 10},
    {"Setting", "DatNum", "0", 10},
    {"Setting", "EngFont", "Times New Roman", 30},
    {"Setting", "ChsFont", "宋体", 30},
    {"Setting", "OverColor", "255", 30},
    {"Setting", "DefColor", "0", 30},
    {"Setting", "VolumeMode", "0", 30},
    {"Setting", "TableMaxAddr", "1FFF", 15},
    {"Setting", "ReadStartAddr", "0000", 15},
    {"Setting", "ReadEndAddr", "1FFF", 15},
    {"Setting", "WriteStartAddr", "0000", 15},
    {"Setting", "WriteEndAddr", "1FFF", 15},
    {"Setting", "ChannelLock", "ShowNo", 15},
    {"ChInfo", "3000", "16", 5},
    {"ChInfo", "3003", "0|0|0|0|0|0|0|0|0|0", 200},
    {"ChInfo", "3202", "0", 100},
    {"Ports", "COM3", "", 260},
};

// The writes the application makes: a choice, a column default ("Save as default"), a port
// pin, and a key that may not exist yet.
const std::pair<const Key*, const char*> kWrites[] = {
    {&kKeys[2], "3"},
    {&kKeys[17], "7"},
    {&kKeys[18], "/dev/ttyUSB0"},
    {&kKeys[10], "0010"},
};

size_t CodePoints(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::vector<std::string> ReadAll(const SettingsFile& file) {
    std::vector<std::string> values;
    for (const auto& k : kKeys) values.push_back(file.read(k.section, k.key, k.def, 1000));
    return values;
}

std::filesystem::path* path = nullptr;

void WriteSeeds() {
    auto shipped = ShippedFile(kSettingsFileName);
    const std::string text(shipped.begin(), shipped.end());
    fuzz::WriteSeed("shipped", {text.begin(), text.end()});
    // The choices and only the English layout block: quick to read, so the fuzzer starts
    // from a file whose layout it can reach.
    std::string small =
        "[Setting]\r\nLanguage=3\r\nDatNum=1039\r\nReadEndAddr=03FF\r\n[ChInfo]\r\n";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (line.rfind("3", 0) == 0) small += line + "\n";
        at = end + 1;
    }
    fuzz::WriteSeed("english", {small.begin(), small.end()});
    const std::string odd =
        "\xEF\xBB\xBF; comment\n[setting]\nlanguage = 1 \n[Setting]\nCOM=\"  9 \"\n[Ports]\n"
        "COM3=/dev/ttyS0\n[ChInfo]\n1000=2\n1002=1\n1201=*EndOfThisItem*\n";
    fuzz::WriteSeed("odd", {odd.begin(), odd.end()});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (fuzz::SeedFolder()) {
        WriteSeeds();
        std::exit(0);
    }
    path = new std::filesystem::path(fuzz::ScratchPath("tarvosk.def"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteWhole(*path, data, size);
    const SettingsFile file(*path);
    FailureSink sink;
    ErrorLog log(&sink);

    // A snapshot and a text held in memory answer from an index of the keys; they must
    // find exactly what reading the file finds.
    const SettingsFile snap = file.snapshot();
    const SettingsFile text =
        SettingsFile::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& k : kKeys) {
        const std::string v = file.read(k.section, k.key, k.def, k.readLength);
        FUZZ_CHECK(CodePoints(v) <= static_cast<size_t>(k.readLength - 1));
        FUZZ_CHECK(snap.read(k.section, k.key, k.def, k.readLength) == v);
        FUZZ_CHECK(text.read(k.section, k.key, k.def, k.readLength) == v);
    }

    int language = 3;
    try {
        language = NormalizeLanguage(std::stoi(file.read("Setting", "Language", "2", 10)));
    } catch (const std::exception&) {
    }
    const ChannelLayout layout = ReadChInfo(file, language, log);
    FUZZ_CHECK(layout.channelCount >= 0 && layout.channelCount <= 16);
    FUZZ_CHECK(layout.columnCount >= 0 && layout.columnCount <= kMaxColumnCount);
    for (int c = 1; c <= kMaxColumnCount; ++c)
        FUZZ_CHECK(layout.columnItems[static_cast<size_t>(c)].size() <= kItemSlots);
    for (int c = 1; c <= layout.columnCount; ++c) {
        (void)layout.key(c);
        try {
            (void)layout.columnDefault(c);
        } catch (const Failure& f) {
            FUZZ_CHECK(f.number() == err::TypeMismatch);
        }
    }
    FUZZ_CHECK(!layout.captions().empty());

    const int datNum = ReadDatNum(file);
    FUZZ_CHECK(datNum >= kMinDatNum && datNum <= kMaxDatNum);
    link::RangeSettings r;
    r.load(file, log, datNum);
    FUZZ_CHECK(r.TableMaxAddr >= 0 && r.TableMaxAddr <= datNum);
    FUZZ_CHECK(r.ReadEndAddr >= 0 && r.ReadEndAddr <= datNum);
    FUZZ_CHECK(r.WriteEndAddr >= 0 && r.WriteEndAddr <= datNum);
    FUZZ_CHECK(r.ReadStartAddr >= 0 && r.WriteStartAddr >= 0);

    for (const auto& [key, value] : kWrites) {
        const auto before = ReadAll(file);
        FUZZ_CHECK(file.write(key->section, key->key, value));
        const auto after = ReadAll(file);
        for (size_t i = 0; i < before.size(); ++i) {
            if (&kKeys[i] == key) {
                FUZZ_CHECK(after[i] == value);
            } else {
                FUZZ_CHECK(after[i] == before[i]);
            }
        }
    }
    return 0;
}

#include "memory/image_settings.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "memory/image.h"
#include "shell/settings_file.h"

namespace tarvos {

namespace {
constexpr const char* kSection = "Setting";
}

int DatNumFromText(std::string_view text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (first == last || ptr != last) return kMinDatNum;
    if (ec == std::errc::result_out_of_range) return kMaxDatNum;
    if (ec != std::errc()) return kMinDatNum;
    return static_cast<int>(std::clamp<long long>(value, kMinDatNum, kMaxDatNum));
}

int ReadDatNum(const SettingsFile& settings) {
    return DatNumFromText(settings.read(kSection, "DatNum", "0", 10));
}

int HexAddressFromText(std::string_view text) {
    if (text.empty() || text.size() > 8) return -1;
    unsigned value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || ptr != text.data() + text.size() || value > 0xFFFFFF) return -1;
    return static_cast<int>(value);
}

AddressRanges ReadAddressRanges(const SettingsFile& settings, int datNum) {
    auto read = [&](const char* key, const char* def) {
        int v = HexAddressFromText(settings.read(kSection, key, def, 15));
        return v >= 0 ? v : HexAddressFromText(def);
    };
    AddressRanges r;
    r.tableMaxAddr = std::min(read("TableMaxAddr", "1FFF"), datNum);
    r.readStartAddr = read("ReadStartAddr", "0000");
    r.readEndAddr = std::min(read("ReadEndAddr", "1FFF"), datNum);
    r.writeStartAddr = read("WriteStartAddr", "0000");
    r.writeEndAddr = std::min(read("WriteEndAddr", "1FFF"), datNum);
    return r;
}

}  // namespace tarvos

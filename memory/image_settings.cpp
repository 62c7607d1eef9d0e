#include "memory/image_settings.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "base/settings_file.h"
#include "memory/image.h"

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

}  // namespace tarvos

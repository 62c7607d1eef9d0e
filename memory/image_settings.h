#pragma once
// The image size from section Setting of the settings file. DatNum (the image's last index)
// must reach 0x040F: a missing value, one that is not a number, or one below 1039 gives
// 1039; values above 0xFFFF (addresses are 16 bits) give 0xFFFF. The transfer ranges, whose
// end addresses are brought down to DatNum, are read by the link (link/range_settings.h).

#include <string_view>

namespace tarvos {

class SettingsFile;

inline constexpr int kMaxDatNum = 0xFFFF;

int DatNumFromText(std::string_view text);
int ReadDatNum(const SettingsFile& settings);

}  // namespace tarvos

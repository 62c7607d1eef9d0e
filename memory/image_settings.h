#pragma once
// The image size and the transfer ranges from section Setting of the settings file.
// DatNum (the image's last index) must reach 0x040F: a missing value, one that is not a
// number, or one below 1039 gives 1039; values above 0xFFFF (addresses are 16 bits) give
// 0xFFFF. The end addresses TableMaxAddr, ReadEndAddr and WriteEndAddr are brought down to
// DatNum so no transfer or view runs past the image.

#include <string_view>

namespace tarvos {

class SettingsFile;

inline constexpr int kMaxDatNum = 0xFFFF;

int DatNumFromText(std::string_view text);
int ReadDatNum(const SettingsFile& settings);

struct AddressRanges {
    int tableMaxAddr = 0x1FFF;
    int readStartAddr = 0x0000;
    int readEndAddr = 0x1FFF;
    int writeStartAddr = 0x0000;
    int writeEndAddr = 0x1FFF;
};

// Hexadecimal text without prefix ("1FFF"); nullopt-like -1 when it is not one.
int HexAddressFromText(std::string_view text);

// The five keys as the application reads them at start-up: a key that is not a hexadecimal
// number takes its default; end addresses above datNum become datNum.
AddressRanges ReadAddressRanges(const SettingsFile& settings, int datNum);

}  // namespace tarvos

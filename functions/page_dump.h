#pragma once
// The function pages as they show an image after loading it: each control's entry, tick or
// text, which controls are enabled, the two-tone cells, the volume table and whether a
// read/write code is stored. `tarvos-cli dump` prints it and the comparison compares it.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "functions/two_tone.h"
#include "memory/image.h"

namespace tarvos {

// One control (the two-tone grids are under PageDump::twoTone).
struct SettingDump {
    int row = 0;  // its row in FunctionBindings()
    int selected = -1;
    bool checked = false;
    std::string text;
};

struct PageDump {
    std::vector<SettingDump> settings;          // in the binding table's order
    std::vector<std::pair<int, bool>> enabled;  // rows whose state another control decides
    TwoToneTable twoTone{};
    std::array<int, 11> volumeCodes{};  // levels 0..10
    bool volumeUseTable = false;
    bool rdWrCodeStored = false;
    // The stored code itself, only to tell two stored codes apart: it is never shown.
    std::string rdWrCode;
};

// Loads a page of the language from image as an open or a read does (the VOX check
// included), which normalises what the load rules reject: give it a copy to keep the original.
PageDump DumpFunctionPage(int language, ByteImage& image);

}  // namespace tarvos

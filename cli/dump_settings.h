#pragma once
// The function-settings part of `tarvos-cli dump`.

#include <string>

#include "memory/image.h"

namespace tarvos::cli {

// JSON members (without surrounding braces, no trailing comma; members after the first
// start on a new line indented by two spaces) describing the function
// settings as the function page shows them after loading a copy of image, in English:
// "settings": {...}, "enabled": {...}, "twoTone": [...], "volume": {...}, "rdWrCode": ...
// Empty when this build has no function settings.
std::string FunctionSettingsJsonMembers(const ByteImage& image);

}  // namespace tarvos::cli

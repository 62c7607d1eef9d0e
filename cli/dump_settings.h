#pragma once
// The function-settings part of `tarvos-cli dump`.

#include <string>

#include "functions/page_dump.h"
#include "memory/image.h"

namespace tarvos::cli {

// JSON members (without surrounding braces, no trailing comma; members after the first
// start on a new line indented by two spaces) describing the function settings as the
// function page shows them after loading: "settings": {...}, "enabled": {...},
// "twoTone": [...], "volume": {...}, "rdWrCode": ...
std::string FunctionSettingsJsonMembers(const PageDump& page);
// The same for a copy of image loaded by an English page (the image itself is not changed).
std::string FunctionSettingsJsonMembers(const ByteImage& image);

}  // namespace tarvos::cli

#pragma once
// The JSON of what the application shows for an image: `tarvos-cli dump` prints a whole
// dump, `tarvos-cli diff` the values it compares, in the same form.

#include <string>

#include "document/dump_entries.h"

namespace tarvos::cli {

// null, a number, true/false, a string, [a, b], {"low": .., "high": .., "index": ..}, or
// bytes as "01 02 03".
std::string JsonOf(const DumpValue& value);

// The whole dump, as `tarvos-cli dump` prints it (a closing newline included).
std::string DumpJson(const ImageDump& dump);

}  // namespace tarvos::cli

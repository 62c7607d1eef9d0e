#pragma once
// The transfer ranges and the memory view's last address, kept in section "Setting" of the
// settings file as hexadecimal text. Each change stores the text first and then takes its
// value; text that is not a hexadecimal number leaves the value as it was and is logged.

#include <string>
#include <string_view>

#include "base/error_log.h"
#include "base/settings_file.h"

namespace tarvos::link {

struct RangeSettings {
    int ReadStartAddr = 0x0000;
    int ReadEndAddr = 0x1FFF;
    int WriteStartAddr = 0x0000;
    int WriteEndAddr = 0x1FFF;
    int TableMaxAddr = 0x1FFF;

    // Start-up: read the five keys (defaults "0000" and "1FFF"). The end addresses are
    // brought down to datNum, the image's last index, so a missing key or an old settings
    // file does not make every transfer run past the image.
    void load(const SettingsFile& settings, ErrorLog& log, int datNum);
    // A change of one of the range boxes; key is "ReadStartAddr", "ReadEndAddr",
    // "WriteStartAddr", "WriteEndAddr" or "TableMaxAddr".
    void change(SettingsFile* settings, ErrorLog& log, std::string_view key, std::string_view text);
    int* field(std::string_view key);
};

}  // namespace tarvos::link

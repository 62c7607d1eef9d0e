#include "link/range_settings.h"

#include <algorithm>
#include <string>

#include "link/hex_text.h"

namespace tarvos::link {

namespace {
struct Key {
    const char* name;
    const char* def;
    const char* location;
};
const Key kKeys[] = {
    {"ReadStartAddr", "0000", "frmCommun->txtReadStartAddr_Change"},
    {"ReadEndAddr", "1FFF", "frmCommun->txtReadEndAddr_Change"},
    {"WriteStartAddr", "0000", "frmCommun->txtWriteStartAddr_Change"},
    {"WriteEndAddr", "1FFF", "frmCommun->txtWriteEndAddr_Change"},
    {"TableMaxAddr", "1FFF", "frmCommun->txtMaxAddr_Change"},
};

// A 16-bit address from hexadecimal text; failure 13 for text that is not a number and 6
// for one too large for an address.
int AddressOf(std::string_view text) {
    auto v = ParseHex(text);
    if (!v) Raise(err::TypeMismatch, "not a hexadecimal address");
    if (*v > 0xFFFF) Raise(err::Overflow, "address too large");
    return static_cast<int>(*v);
}
}  // namespace

int* RangeSettings::field(std::string_view key) {
    if (key == "ReadStartAddr") return &ReadStartAddr;
    if (key == "ReadEndAddr") return &ReadEndAddr;
    if (key == "WriteStartAddr") return &WriteStartAddr;
    if (key == "WriteEndAddr") return &WriteEndAddr;
    if (key == "TableMaxAddr") return &TableMaxAddr;
    return nullptr;
}

void RangeSettings::load(const SettingsFile& settings, ErrorLog& log, int datNum) {
    for (const auto& k : kKeys) {
        std::string text = settings.read("Setting", k.name, k.def, 15);
        Guard(log, k.location, [&] { *field(k.name) = AddressOf(text); });
    }
    for (int* end : {&ReadEndAddr, &WriteEndAddr, &TableMaxAddr}) *end = std::min(*end, datNum);
}

void RangeSettings::change(SettingsFile* settings, ErrorLog& log, std::string_view key,
                           std::string_view text) {
    for (const auto& k : kKeys) {
        if (key != k.name) continue;
        Guard(log, k.location, [&] {
            if (settings) settings->write("Setting", k.name, text);
            *field(k.name) = AddressOf(text);
        });
        return;
    }
}

}  // namespace tarvos::link

#pragma once
// Hexadecimal text as the scripts and the settings write it: bytes as two upper-case digits,
// addresses as four, high byte first.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvos::link {

std::string Hex2(unsigned value);  // "0A"
std::string Hex4(unsigned value);  // "0380"
// A token read as hexadecimal; nullopt when it is not hexadecimal.
std::optional<unsigned> ParseHex(std::string_view text);

}  // namespace tarvos::link

#pragma once
// The installation data compiled into the programs: the settings file "tarvosk.def", the
// template "dhcpqec.def", the defaults "DefRadioSet.def" and whatever else data/ ships
// (help pages under "help/..."). The application copies missing files into its application
// folder from here (shell/ui/app_folder); tarvos-cli reads them directly.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tarvos {

// The bytes of a shipped file by its name relative to the application folder
// ("dhcpqec.def", "help/EngHelp.html"); empty when there is no such file.
std::span<const uint8_t> ShippedFile(std::string_view name);
// Every shipped file's name.
std::vector<std::string_view> ShippedFileNames();

}  // namespace tarvos

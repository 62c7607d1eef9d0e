#pragma once
// The installation data compiled into the programs: the settings file "tarvosk.def", the
// template "dhcpqec.def", the defaults "DefRadioSet.def" and whatever else data/ ships
// (help pages under "help/..."). The application and tarvos-cli copy missing files into an
// application folder from here; a file already there is never overwritten.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace tarvos {

// The bytes of a shipped file by its name relative to the application folder
// ("dhcpqec.def", "help/EngHelp.html"); empty when there is no such file.
std::span<const uint8_t> ShippedFile(std::string_view name);
// Every shipped file's name.
std::vector<std::string_view> ShippedFileNames();
// Copies each shipped file that is missing from folder into it (creating subfolders).
// Returns false when a file could not be written; files already present are left alone.
bool InstallShippedFiles(const std::filesystem::path& folder);

}  // namespace tarvos

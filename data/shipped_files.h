#pragma once
// The installation data compiled into the programs: the settings file "tarvosk.def", the
// template "dhcpqec.def", the defaults "DefRadioSet.def" and whatever else data/ ships
// (help pages under "help/..."). The application copies missing files into its application
// folder from here (shell/ui/app_folder); tarvos-cli reads them directly.

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

// An installed program (`cmake --install`, the .deb) keeps its installation data in
// <prefix>/share/tarvos beside <prefix>/bin. That folder, when it holds the settings file, is
// the program's source of installation data: its files are the ones copied into a new
// application folder and the ones tarvos-cli starts from, so a packager or administrator may
// change them there. It is only read; the application folder (TARVOS_HOME or the per-user
// folder) stays where settings and data files are written. A program run from its build
// folder has no installed folder and uses the copies built into it.
//
// The installed folder for a program in programDir; empty when there is none.
std::filesystem::path InstalledDataFolder(const std::filesystem::path& programDir);
// The same for the running program (empty where its own path is unknown).
std::filesystem::path InstalledDataFolder();
// An installation file's bytes: the installed folder's copy when it has one, else the copy
// built into the program; empty when neither has it.
std::vector<uint8_t> InstallationFile(std::string_view name);

}  // namespace tarvos

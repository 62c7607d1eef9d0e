#include "data/shipped_files.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "memory/data_file.h"

#ifndef TARVOS_DATA_FROM_BIN
#define TARVOS_DATA_FROM_BIN "../share/tarvos"
#endif

namespace tarvos {

namespace shipped {
struct Entry {
    std::string_view name;
    const uint8_t* data;
    unsigned long size;
};
extern const Entry kEntries[];
extern const int kEntryCount;
}  // namespace shipped

std::span<const uint8_t> ShippedFile(std::string_view name) {
    for (int i = 0; i < shipped::kEntryCount; ++i)
        if (shipped::kEntries[i].name == name)
            return {shipped::kEntries[i].data, shipped::kEntries[i].size};
    return {};
}

std::vector<std::string_view> ShippedFileNames() {
    std::vector<std::string_view> names;
    for (int i = 0; i < shipped::kEntryCount; ++i) names.push_back(shipped::kEntries[i].name);
    return names;
}

std::filesystem::path InstalledDataFolder(const std::filesystem::path& programDir) {
    if (programDir.empty()) return {};
    std::error_code ec;
    const std::filesystem::path folder =
        std::filesystem::weakly_canonical(programDir / TARVOS_DATA_FROM_BIN, ec);
    if (ec || !std::filesystem::is_regular_file(folder / kSettingsFileName, ec)) return {};
    return folder;
}

std::filesystem::path InstalledDataFolder() {
    static const std::filesystem::path folder = [] {
#ifdef __linux__
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (!ec) return InstalledDataFolder(exe.parent_path());
#endif
        return std::filesystem::path();
    }();
    return folder;
}

std::vector<uint8_t> InstallationFile(std::string_view name) {
    if (const auto folder = InstalledDataFolder(); !folder.empty()) {
        std::ifstream in(folder / std::string(name), std::ios::binary);
        if (in) return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    const auto shipped = ShippedFile(name);
    return {shipped.begin(), shipped.end()};
}

}  // namespace tarvos

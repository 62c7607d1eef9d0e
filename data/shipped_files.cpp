#include "data/shipped_files.h"

#include <fstream>
#include <system_error>

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

bool InstallShippedFiles(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    bool ok = true;
    for (int i = 0; i < shipped::kEntryCount; ++i) {
        const auto& e = shipped::kEntries[i];
        const fs::path target = folder / fs::path(std::string(e.name));
        std::error_code ec;
        if (fs::exists(target, ec)) continue;  // never overwrite the user's copy
        fs::create_directories(target.parent_path(), ec);
        fs::path tmp = target;
        tmp += ".installing";
        {
            std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(e.data), static_cast<std::streamsize>(e.size));
            if (!out) {
                ok = false;
                continue;
            }
        }
        fs::rename(tmp, target, ec);
        if (ec) {
            fs::remove(tmp, ec);
            ok = false;
        }
    }
    return ok;
}

}  // namespace tarvos

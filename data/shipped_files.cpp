#include "data/shipped_files.h"

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

}  // namespace tarvos

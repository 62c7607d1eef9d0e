#include "shell/shipped_data.h"

#include "data/shipped_files.h"

namespace tarvos::ui {

std::vector<ShippedItem> ShippedCoreData() {
    std::vector<ShippedItem> items;
    for (std::string_view name : ShippedFileNames()) {
        const std::string n(name);
        items.push_back({QString::fromStdString(n), [n] {
                             const auto bytes = ShippedFile(n);
                             return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<qsizetype>(bytes.size()));
                         }});
    }
    return items;
}

}  // namespace tarvos::ui

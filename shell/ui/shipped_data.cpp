#include "shell/ui/shipped_data.h"

namespace tarvos::ui {

std::vector<ShippedItem> ShippedCoreData() {
    return {};
}

}  // namespace tarvos::ui

#include "functions/bindings.h"

#include <cmath>

#include "functions/binding_groups.h"

namespace tarvos {

namespace {
std::vector<Binding> BuildTable() {
    std::vector<Binding> t;
    table::AddGeneralRows(t);
    table::AddVoxScanRows(t);
    table::AddDtmfRows(t);
    table::AddIdentityRows(t);
    return t;
}
}  // namespace

const std::vector<Binding>& FunctionBindings() {
    static const std::vector<Binding> table = BuildTable();
    return table;
}

int FindBinding(std::string_view name) {
    const auto& t = FunctionBindings();
    for (size_t i = 0; i < t.size(); ++i)
        if (t[i].name == name) return static_cast<int>(i);
    return -1;
}

std::string VoxCmpTooltip(int code) {
    return std::to_string(std::lround(code * 3300.0 / 255.0)) + "mv";
}

std::string VoxLevelCaption(const FaceTextTable& ft, int k) {
    return std::to_string(k + 1) + ft[402];
}

}  // namespace tarvos

#include "shell/error_log.h"

namespace tarvos {

// Placeholder: replaced by the full description table.
std::string VbErrNumDes(long long number) {
    switch (number) {
        case 9: return "数组索引超出范围";
        default: return {};
    }
}

}  // namespace tarvos

// Placeholder until the 'set' command is built.
#include <iostream>

#include "cli/commands.h"

namespace tarvos::cli {

int Set(const Args&) {
    std::cerr << "tarvos-cli: 'set' is not available in this build\n";
    return 2;
}

}  // namespace tarvos::cli

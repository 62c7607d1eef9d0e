// Placeholder until the 'dump' command is built.
#include <iostream>

#include "cli/commands.h"

namespace tarvos::cli {

int Dump(const Args&) {
    std::cerr << "tarvos-cli: 'dump' is not available in this build\n";
    return 2;
}

}  // namespace tarvos::cli

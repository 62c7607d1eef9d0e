// Placeholder until the 'simulate' command is built.
#include <iostream>

#include "cli/commands.h"

namespace tarvos::cli {

int Simulate(const Args&) {
    std::cerr << "tarvos-cli: 'simulate' is not available in this build\n";
    return 2;
}

}  // namespace tarvos::cli

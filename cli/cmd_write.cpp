// Placeholder until the 'write' command is built.
#include <iostream>

#include "cli/commands.h"

namespace tarvos::cli {

int Write(const Args&) {
    std::cerr << "tarvos-cli: 'write' is not available in this build\n";
    return 2;
}

}  // namespace tarvos::cli

// Placeholder until the 'read' command is built.
#include <iostream>

#include "cli/commands.h"

namespace tarvos::cli {

int Read(const Args&) {
    std::cerr << "tarvos-cli: 'read' is not available in this build\n";
    return 2;
}

}  // namespace tarvos::cli

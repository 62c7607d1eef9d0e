// Commands not built yet answer with a usage error. Each is replaced by its own cmd_*.cpp.
#include <iostream>

#include "cli/commands.h"

namespace tarvos::cli {

static int NotYet(const char* name) {
    std::cerr << "tarvos-cli: '" << name << "' is not available in this build\n";
    return 2;
}

int Dump(const Args&) { return NotYet("dump"); }
int Set(const Args&) { return NotYet("set"); }
int Read(const Args&) { return NotYet("read"); }
int Write(const Args&) { return NotYet("write"); }
int Simulate(const Args&) { return NotYet("simulate"); }

}  // namespace tarvos::cli

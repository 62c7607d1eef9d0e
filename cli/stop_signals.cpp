#include "cli/stop_signals.h"

#include <atomic>
#include <csignal>

namespace tarvos::cli {

namespace {
std::atomic<int> gCaught{0};
struct sigaction gOldInt, gOldTerm;

extern "C" void NoteSignal(int sig) {
    int none = 0;
    gCaught.compare_exchange_strong(none, sig);  // the first one decides the exit code
}
}  // namespace

StopSignals::StopSignals() {
    gCaught = 0;
    struct sigaction sa {};
    sa.sa_handler = NoteSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &gOldInt);
    sigaction(SIGTERM, &sa, &gOldTerm);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &gOldInt, nullptr);
    sigaction(SIGTERM, &gOldTerm, nullptr);
}

int StopSignals::caught() {
    return gCaught.load();
}

}  // namespace tarvos::cli

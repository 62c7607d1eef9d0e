#include "cli/cli_log.h"

#include <algorithm>

namespace tarvos::cli {

namespace {

class QuietSink : public ErrorSink {
  public:
    void appendLine(const std::string&) override {}
};

bool gVerbose = false;  // set once by main, before any command runs

}  // namespace

bool TakeVerbose(std::vector<std::string>& args) {
    const auto kept = std::remove(args.begin(), args.end(), std::string("--verbose"));
    const bool found = kept != args.end();
    args.erase(kept, args.end());
    return found;
}

void SetVerbose(bool verbose) {
    gVerbose = verbose;
}

ErrorSink& LogSink() {
    static StderrSink loud;
    static QuietSink quiet;
    return gVerbose ? static_cast<ErrorSink&>(loud) : quiet;
}

}  // namespace tarvos::cli

#pragma once
// What tarvos-cli says when something fails: one English line of its own on standard error.
// The error log's entries (Chinese, naming the procedure that failed, as the window's error
// list shows them) go to standard error as well only with --verbose.

#include <string>
#include <vector>

#include "base/error_log.h"

namespace tarvos::cli {

// Takes every --verbose out of the arguments; true when there was one.
bool TakeVerbose(std::vector<std::string>& args);
void SetVerbose(bool verbose);

// The sink for a command's error log: standard error with --verbose, else none.
ErrorSink& LogSink();

}  // namespace tarvos::cli

// Placeholder until the function settings core lands.
#include "cli/dump_settings.h"

namespace tarvos::cli {

std::string FunctionSettingsJsonMembers(const ByteImage&) { return {}; }

}  // namespace tarvos::cli

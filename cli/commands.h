#pragma once
// The commands of tarvos-cli. Each returns the process exit code:
// 0 done, 1 the transfer failed, 2 usage or file error.

#include <string>
#include <vector>

namespace tarvos::cli {

using Args = std::vector<std::string>;  // the arguments after the command name

int Dump(const Args& args);
int Set(const Args& args);
int Read(const Args& args);
int Write(const Args& args);
int Simulate(const Args& args);

}  // namespace tarvos::cli

#pragma once
// The commands of tarvos-cli. Each returns the process exit code:
// 0 done, 1 the transfer failed, 2 usage or file error.

#include <cstddef>
#include <string>
#include <vector>

namespace tarvos::cli {

using Args = std::vector<std::string>;  // the arguments after the command name

inline constexpr int kEnglish = 3;  // the language of everything tarvos-cli prints

// The value after the option at args[i]: moves i onto it and copies it to out; false when the
// option is the last argument.
inline bool TakeValue(const Args& args, size_t& i, std::string& out) {
    if (i + 1 >= args.size()) return false;
    out = args[++i];
    return true;
}

int Dump(const Args& args);
int Diff(const Args& args);
int Set(const Args& args);
int Edit(const Args& args);
int Csv(const Args& args);
int Print(const Args& args);
int Read(const Args& args);
int Write(const Args& args);
int Fleet(const Args& args);
int Simulate(const Args& args);

}  // namespace tarvos::cli

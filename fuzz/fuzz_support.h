#pragma once
// Small pieces shared by the fuzz targets: a scratch file per process, a way for a target to
// write its own seed corpus, and a check that stops the run with a readable reason.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/error_log.h"

namespace tarvos::fuzz {

// A property of the code under test does not hold: say which, then crash so libFuzzer keeps
// the input.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "\n*** fuzz property broken: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

#define FUZZ_CHECK(cond)                            \
    do {                                            \
        if (!(cond)) ::tarvos::fuzz::Broken(#cond); \
    } while (0)

// A file of this process under the temporary folder (shared memory where there is one, so
// writing it every run costs no disk).
inline std::filesystem::path ScratchPath(const std::string& name) {
    std::filesystem::path dir = std::filesystem::exists("/dev/shm")
                                    ? std::filesystem::path("/dev/shm")
                                    : std::filesystem::temp_directory_path();
    return dir / ("tarvos-fuzz-" + std::to_string(::getpid()) + "-" + name);
}

inline void WriteWhole(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// When TARVOS_FUZZ_SEEDS names a folder, the target writes its seeds there and the process
// ends; scripts/fuzz.sh uses this to start each corpus from inputs the code itself made.
inline const char* SeedFolder() {
    return std::getenv("TARVOS_FUZZ_SEEDS");
}

inline void WriteSeed(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::filesystem::path dir = SeedFolder();
    std::filesystem::create_directories(dir);
    WriteWhole(dir / name, bytes.data(), bytes.size());
}

// Keeps the location and number of every failure logged (taken from the second line of
// each entry), so a target can tell a refused input from an access the checks had to stop.
struct FailureSink : ErrorSink {
    struct Entry {
        std::string location;
        long long number;
    };
    void appendLine(const std::string& line) override {
        static const std::string kAt = "错误:  ", kNo = "出错号:  ";
        auto at = line.find(kAt), no = line.find(kNo);
        if (at == std::string::npos || no == std::string::npos) return;
        auto from = at + kAt.size();
        auto to = line.find(' ', from);
        entries.push_back(
            {line.substr(from, to - from), std::atoll(line.c_str() + no + kNo.size())});
    }
    bool logged(long long number) const {
        for (const auto& e : entries)
            if (e.number == number) return true;
        return false;
    }
    std::vector<Entry> entries;
};

}  // namespace tarvos::fuzz

// bench_fleet: tarvos-cli fleet write --verify of the factory defaults to N virtual radios at
// once, each a `tarvos-cli simulate --pace` of its own (the real wire rate, 11 bits a byte at
// 9600 baud), for N = 1 and N = 8. Prints for each the wall time and the CPU time the fleet
// process itself used (user + system, radios not counted), then the two ratios:
//   8 radios / 1 radio, wall time      goal: 1.15 or less (the wire, not the computer, bounds it)
//   fleet CPU / wall time, 8 radios    goal: under 5 %
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Simulator {
    pid_t pid = -1;
    std::string device;
};

// Starts `tarvos-cli simulate --pace` and reads the device path it prints first.
Simulator StartSimulator() {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out[1], 1);
    posix_spawn_file_actions_addclose(&fa, out[0]);
    std::vector<std::string> args{TARVOS_CLI, "simulate", "--pace"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    Simulator s;
    if (posix_spawn(&s.pid, TARVOS_CLI, &fa, nullptr, argv.data(), environ) != 0) s.pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    close(out[1]);
    char ch;
    while (read(out[0], &ch, 1) == 1 && ch != '\n') s.device += ch;
    close(out[0]);
    return s;
}

struct Measured {
    bool ok = false;
    double wallMs = 0, cpuMs = 0;
};

Measured FleetWrite(int radios) {
    std::vector<Simulator> sims;
    std::string ports;
    for (int i = 0; i < radios; ++i) {
        sims.push_back(StartSimulator());
        ports += (i ? "," : "") + sims.back().device;
    }
    std::vector<std::string> args{TARVOS_CLI, "fleet", "write",         "--ports",
                                  ports,      "--in",  TARVOS_DEFAULTS, "--verify"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    Measured m;
    const auto t0 = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawn(&pid, TARVOS_CLI, &fa, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        const auto t1 = std::chrono::steady_clock::now();
        m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        m.wallMs = std::chrono::duration<double, std::milli>(t1 - t0).count();
        auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
        m.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    }
    posix_spawn_file_actions_destroy(&fa);
    for (const Simulator& s : sims) {
        kill(s.pid, SIGTERM);
        waitpid(s.pid, nullptr, 0);
    }
    return m;
}

void Print(int radios, const Measured& m) {
    std::printf("%d radio%s  %s  wall %8.1f ms  fleet CPU %7.1f ms (%.2f %% of wall)\n", radios,
                radios == 1 ? " " : "s", m.ok ? "ok    " : "FAILED", m.wallMs, m.cpuMs,
                100.0 * m.cpuMs / m.wallMs);
}

}  // namespace

int main() {
    const Measured one = FleetWrite(1);
    Print(1, one);
    const Measured eight = FleetWrite(8);
    Print(8, eight);
    std::printf("8 radios / 1 radio, wall time: %.3f  (goal 1.15 or less)\n",
                eight.wallMs / one.wallMs);
    std::printf("fleet CPU / wall time, 8 radios: %.2f %%  (goal under 5 %%)\n",
                100.0 * eight.cpuMs / eight.wallMs);
    return one.ok && eight.ok ? 0 : 1;
}

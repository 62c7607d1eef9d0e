// tarvos-cli fleet against virtual radios on pseudo-terminals, as a user runs it: numbering by
// port, one failing port among good ones, the report, reads saved one file each, refused
// arguments with nothing started, and Ctrl-C.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "sim/pty_radio.h"

extern char** environ;

namespace tarvos::sim {
namespace {

namespace fs = std::filesystem;

const std::string kCli = std::string(TARVOS_BINARY_DIR) + "/cli/tarvos-cli";
const std::string kDefaults = std::string(TARVOS_BINARY_DIR) + "/data/DefRadioSet.def";

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// tarvos-cli started with its standard output and error in files; `whileRunning` runs once it
// is started, with its process id.
struct FleetRun {
    int code = -1;
    std::string out, err;
};
FleetRun Fleet(std::vector<std::string> args, std::function<void(pid_t)> whileRunning = {}) {
    char outPath[] = "/tmp/tarvos-fleet-outXXXXXX", errPath[] = "/tmp/tarvos-fleet-errXXXXXX";
    const int outFd = mkstemp(outPath), errFd = mkstemp(errPath);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, outFd, 1);
    posix_spawn_file_actions_adddup2(&fa, errFd, 2);
    args.insert(args.begin(), {kCli, "fleet"});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    int status = -1;
    if (posix_spawn(&pid, kCli.c_str(), &fa, nullptr, argv.data(), environ) == 0) {
        if (whileRunning) whileRunning(pid);
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&fa);
    close(outFd);
    close(errFd);
    FleetRun r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(outPath), Slurp(errPath)};
    std::remove(outPath);
    std::remove(errPath);
    return r;
}

std::unique_ptr<PtyRadio> Radio(bool silent = false, bool paced = false) {
    PtyRadioOptions options;
    options.memory.fill(0xFF);
    options.faults.silent = silent;
    options.paced = paced;
    auto radio = std::make_unique<PtyRadio>(options);
    EXPECT_TRUE(radio->start());
    return radio;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class CliFleet : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tarvos-cli-fleet-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(CliFleet, WritesEveryPortAtOnceNumberedByPortAndReportsTheOneThatFailed) {
    auto first = Radio(), silent = Radio(true), third = Radio();
    const fs::path report = dir / "report.csv";
    const FleetRun r = Fleet(
        {"write", "--ports",
         first->devicePath() + "," + silent->devicePath() + "," + third->devicePath(), "--in",
         kDefaults, "--verify", "--number", "txtDtmfIdCode=0101:5", "--report", report.string()});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(Lines(r.out), 3) << r.out;
    EXPECT_NE(r.out.find(first->devicePath() + ": write ok, verified, number 0101"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(third->devicePath() + ": write ok, verified, number 0111"),
              std::string::npos);
    EXPECT_NE(r.out.find(silent->devicePath() + ": write failed: no radio answered"),
              std::string::npos);
    // The k-th port's radio holds START + k × STEP in its identity code.
    const RadioMemory a = first->memory(), c = third->memory();
    EXPECT_EQ(std::string(a.begin() + 0x0120, a.begin() + 0x0124), "0101");
    EXPECT_EQ(a[0x0124], 0xFF);
    EXPECT_EQ(std::string(c.begin() + 0x0120, c.begin() + 0x0124), "0111");

    const std::string csv = Slurp(report);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "time,port,device,operation,result,reason,verified,number,fingerprint");
    EXPECT_EQ(Lines(csv), 4);
    EXPECT_NE(csv.find("," + silent->devicePath() + "," + silent->devicePath() +
                       ",write,failed,no radio answered,,0106,"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",write,ok,,yes,0111,"), std::string::npos) << csv;
}

TEST_F(CliFleet, ReadsEveryPortIntoAFileOfItsOwn) {
    auto first = Radio(), second = Radio();
    const FleetRun r = Fleet({"read", "--ports", first->devicePath() + "," + second->devicePath(),
                              "--out-dir", (dir / "auto").string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Lines(r.out), 2) << r.out;
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir / "auto")) {
        ++files;
        EXPECT_EQ(fs::file_size(e.path()), 1040u);
        EXPECT_NE(r.out.find("saved in " + e.path().string()), std::string::npos) << r.out;
    }
    EXPECT_EQ(files, 2);
}

TEST_F(CliFleet, BadArgumentsStartNothing) {
    auto radio = Radio();
    const std::string port = radio->devicePath();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"write", "--ports", port, "--in", kDefaults, "--start", "0300", "--end", "0100"},
             {"read", "--ports", port, "--out-dir", dir.string(), "--start", "0000", "--end",
              "0500"},
             {"write", "--ports", port + "," + port, "--in", kDefaults},
             {"write", "--ports", port + ",/dev/null", "--in", kDefaults, "--number",
              "txtDtmfIdCode=9999999999"},
             {"write", "--ports", port, "--in", kDefaults, "--number", "txtDtmfCloseCode=1"},
             {"write", "--ports", port, "--in", kDefaults, "--start", "0010"},
             {"write", "--ports", port},
             {"read", "--ports", port, "--out-dir", dir.string(), "--verify"},
             {"read", "--ports", port, "--out-dir", dir.string(), "--report",
              "/nonexistent-folder/r.csv"},
             {"copy", "--ports", port}}) {
        const FleetRun r = Fleet(args);
        EXPECT_EQ(r.code, 2) << args[0] << " " << args.back() << "\n" << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(radio->bytesIn(), 0);
}

TEST_F(CliFleet, CtrlCStopsEveryLineAndReportsTheRadiosUnfinished) {
    // A radio at the real wire rate takes seconds to write; the other never answers. Ctrl-C
    // comes once the paced radio has taken 200 bytes (an event, polled): its write is then
    // under way with about two seconds of wire time left, and the silent port is still in
    // its twenty handshake tries (over three seconds of reply timeouts). Both spans are wire
    // and timeout time, not computing time, so a busy machine shifts neither outcome.
    auto paced = Radio(false, true), silent = Radio(true);
    const FleetRun r = Fleet({"write", "--ports", paced->devicePath() + "," + silent->devicePath(),
                              "--in", kDefaults, "--verify"},
                             [&](pid_t pid) {
                                 while (paced->bytesIn() < 200)
                                     std::this_thread::sleep_for(std::chrono::milliseconds(5));
                                 kill(pid, SIGINT);
                             });
    EXPECT_EQ(r.code, 130) << r.err;  // 128 + SIGINT, as read and write exit
    // The write in progress ran to its end, as with the window's stop box, and was not
    // verified; the port still searching for its radio gave up at once.
    EXPECT_NE(r.out.find(paced->devicePath() +
                         ": write unfinished: stopped after the write, not verified"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(silent->devicePath() + ": write unfinished: stopped during the transfer"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(paced->closings(), 1);
}

}  // namespace
}  // namespace tarvos::sim

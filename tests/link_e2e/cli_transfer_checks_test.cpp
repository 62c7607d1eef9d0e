// tarvos-cli read and write as a user runs them against the virtual radio on a
// pseudo-terminal: a range that cannot be transferred is refused before the port is opened,
// Ctrl-C and SIGTERM stop a transfer under way, and read --check settles a garbled byte or
// names the bytes it cannot settle.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include "link/hex_text.h"
#include "sim/pty_radio.h"

extern char** environ;

namespace tarvos::link {
namespace {

namespace fs = std::filesystem;
const std::string kCli = std::string(TARVOS_BINARY_DIR) + "/cli/tarvos-cli";

// A tarvos-cli run with its standard error read as it comes.
class CliProcess {
  public:
    explicit CliProcess(std::vector<std::string> args) {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, fds[1], 2);
        posix_spawn_file_actions_addclose(&fa, fds[0]);
        args.insert(args.begin(), kCli);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&pid_, kCli.c_str(), &fa, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&fa);
        close(fds[1]);
        err_ = fds[0];
    }
    ~CliProcess() {
        if (err_ >= 0) close(err_);
    }

    // Reads standard error until a line matches; false when the program ended first.
    bool waitForLine(const std::regex& line) {
        size_t from = 0;
        for (;;) {
            size_t nl;
            while ((nl = text.find('\n', from)) != std::string::npos) {
                if (std::regex_match(text.substr(from, nl - from), line)) return true;
                from = nl + 1;
            }
            if (!readSome()) return false;
        }
    }
    // The exit code once the program ends (-1 when a signal ended it).
    int finish() {
        while (readSome()) {
        }
        int status = 0;
        waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void signal(int sig) { kill(pid_, sig); }

    std::string text;  // standard error so far

  private:
    bool readSome() {
        pollfd p{err_, POLLIN, 0};
        if (poll(&p, 1, 120000) <= 0) return false;  // a hang ends the test, not the suite
        char buf[512];
        const ssize_t n = read(err_, buf, sizeof buf);
        if (n <= 0) return false;
        text.append(buf, static_cast<size_t>(n));
        return true;
    }
    pid_t pid_ = -1;
    int err_ = -1;
};

struct TempDir {
    fs::path path;
    explicit TempDir(const char* name) : path(fs::temp_directory_path() / name) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

sim::RadioMemory Pattern() {
    sim::VirtualRadio r;
    for (int a = 0; a < sim::kRadioBytes; ++a)
        r.memory[static_cast<size_t>(a)] = static_cast<uint8_t>(a * 151 + a / 256 + 9);
    r.setLetters("");
    r.setCode("");
    return r.memory;
}

// A data file any radio can take: the factory defaults.
const std::string kDefaults = std::string(TARVOS_BINARY_DIR) + "/data/DefRadioSet.def";

TEST(CliTransferChecks, ARangeThatCannotBeTransferredIsRefusedBeforeAnything) {
    TempDir dir("tarvos-cli-reversed");
    sim::PtyRadioOptions options;
    options.memory = Pattern();
    sim::PtyRadio radio(options);
    ASSERT_TRUE(radio.start());
    const std::string out = (dir.path / "read.dat").string();
    const std::string& in = kDefaults;

    struct Case {
        std::vector<std::string> args;
        const char* said;
    };
    const std::string port = radio.devicePath();
    const Case cases[] = {
        {{"read", "--port", port, "--start", "0300", "--end", "0100", "--out", out},
         "tarvos-cli: Read range 0300-0100 is reversed: its start lies above its end.\n"},
        {{"write", "--port", port, "--in", in, "--start", "0300", "--end", "0100", "--verify"},
         "tarvos-cli: Write range 0300-0100 is reversed: its start lies above its end.\n"},
        {{"read", "--port", port, "--start", "0000", "--end", "1FFF", "--out", out},
         "tarvos-cli: Read range 0000-1FFF lies outside the memory image 0000-040F.\n"},
        // A port that is not there does not hide the range's fault.
        {{"read", "--port", "/dev/tarvos-no-such-port", "--start", "0300", "--end", "0100", "--out",
          out},
         "tarvos-cli: Read range 0300-0100 is reversed: its start lies above its end.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[4] + c.args[5]);
        CliProcess p(c.args);
        EXPECT_EQ(p.finish(), 2);
        EXPECT_NE(p.text.find(c.said), std::string::npos) << p.text;
        EXPECT_FALSE(fs::exists(out));
    }

    // The same range from the settings file says where it comes from.
    const fs::path home = dir.path / "home";
    fs::create_directories(home);
    std::ofstream(home / "tarvosk.def") << "[Setting]\nReadStartAddr=0300\nReadEndAddr=0100\n";
    setenv("TARVOS_HOME", home.c_str(), 1);
    CliProcess p({"read", "--port", port, "--out", out});
    const int code = p.finish();
    unsetenv("TARVOS_HOME");
    EXPECT_EQ(code, 2);
    EXPECT_NE(p.text.find("tarvos-cli: Read range 0300-0100 is reversed: its start lies above "
                          "its end. It comes from ReadStartAddr and ReadEndAddr in "
                          "tarvosk.def.\n"),
              std::string::npos)
        << p.text;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(radio.journal().empty());  // nothing was ever sent
}

// The radio is paced at the wire rate, so a transfer is still under way when the signal
// comes at 10 %.
TEST(CliTransferChecks, CtrlCAndSigtermStopATransferUnderWay) {
    TempDir dir("tarvos-cli-signals");
    sim::PtyRadioOptions options;
    options.memory = Pattern();
    options.paced = true;
    sim::PtyRadio radio(options);
    ASSERT_TRUE(radio.start());
    const std::regex tenPercent("(1[0-9]|[2-9][0-9]) %");

    const std::string out = (dir.path / "read.dat").string();
    CliProcess read({"read", "--port", radio.devicePath(), "--out", out});
    ASSERT_TRUE(read.waitForLine(tenPercent)) << read.text;
    read.signal(SIGINT);
    EXPECT_EQ(read.finish(), 130);
    EXPECT_NE(read.text.find("Read stopped; nothing was taken from the radio."), std::string::npos)
        << read.text;
    EXPECT_FALSE(fs::exists(out));

    const size_t before = radio.journal().size();
    CliProcess write({"write", "--port", radio.devicePath(), "--in", kDefaults});
    ASSERT_TRUE(write.waitForLine(tenPercent)) << write.text;
    write.signal(SIGTERM);
    EXPECT_EQ(write.finish(), 143);
    std::smatch m;
    const std::regex said(
        "Write stopped at ([0-9A-F]{4}): 0010-([0-9A-F]{4}) was written, "
        "\\1-037F was not\\. The radio is partly written; write again to "
        "finish\\.");
    ASSERT_TRUE(std::regex_search(write.text, m, said)) << write.text;
    EXPECT_EQ(radio.closings(), 0);
    // The report agrees with the radio: its last block write ends where the report says.
    const std::vector<std::string> journal = radio.journal();
    std::string last;
    for (size_t i = before; i < journal.size(); ++i)
        if (journal[i].rfind("57 ", 0) == 0 || journal[i].rfind("58 ", 0) == 0) last = journal[i];
    ASSERT_EQ(last.size(), 10u) << last;
    const unsigned end = *ParseHex(last.substr(3, 4)) + *ParseHex(last.substr(8, 2)) - 1;
    EXPECT_EQ(Hex4(end), m[2].str());
}

TEST(CliTransferChecks, ReadCheckSettlesAGarbledByteAndNamesOnesItCannot) {
    TempDir dir("tarvos-cli-check");
    const std::string out = (dir.path / "read.dat").string();
    struct Case {
        const char* name;
        sim::Faults faults;
        bool check;
        int code;
        const char* said;  // on standard error, no file; "" when a file is saved
        int wrongBytes;    // in the saved file
    };
    sim::Faults garbled, weak;
    garbled.corruptByte = 600;  // a data byte of the first read
    weak.weakCell = 0x0123;
    const Case cases[] = {
        {"garbled byte, unchecked", garbled, false, 0, "", 1},
        {"garbled byte, checked", garbled, true, 0, "", 0},
        {"worn cell, checked", weak, true, 1,
         "Read check failed: no two of three reads agree at 1 address: 0123. Nothing was "
         "taken.",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(out);
        sim::PtyRadioOptions options;
        options.memory = Pattern();
        options.faults = c.faults;
        sim::PtyRadio radio(options);
        ASSERT_TRUE(radio.start());
        std::vector<std::string> args{"read", "--port", radio.devicePath(), "--out", out};
        if (c.check) args.push_back("--check");
        CliProcess p(args);
        EXPECT_EQ(p.finish(), c.code) << p.text;
        if (*c.said) {
            EXPECT_NE(p.text.find(c.said), std::string::npos) << p.text;
            EXPECT_FALSE(fs::exists(out));
            continue;
        }
        std::ifstream f(out, std::ios::binary);
        const std::vector<char> file{std::istreambuf_iterator<char>(f), {}};
        ASSERT_EQ(file.size(), 1040u);
        int wrong = 0;
        for (int a = 0x10; a < sim::kRadioBytes; ++a)
            if (static_cast<uint8_t>(file[static_cast<size_t>(a + 0x10)]) !=
                options.memory[static_cast<size_t>(a)])
                ++wrong;
        EXPECT_EQ(wrong, c.wrongBytes);
    }
}

}  // namespace
}  // namespace tarvos::link

// End-to-end runs over a real pseudo-terminal: the link through QtSerialPort against the
// virtual radio, and tarvos-cli read, write and simulate as a user would run them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "base/error_log.h"
#include "fill_pattern.h"
#include "link/link.h"
#include "link/qt/qt_serial_port.h"
#include "memory/data_file.h"
#include "sim/pty_radio.h"

extern char** environ;

namespace tarvos::link {
namespace {

sim::RadioMemory Pattern(const std::string& letters) {
    sim::VirtualRadio r;
    for (int a = 0; a < sim::kRadioBytes; ++a)
        r.memory[static_cast<size_t>(a)] = test::PatternByte(a, 2);
    r.setLetters(letters);
    r.setCode("");
    return r.memory;
}

struct QtLink {
    RecordingSink sink;
    ErrorLog errors{&sink};
    FaceTextTable text{3};
    ByteImage image;
    TransferHost host;
    QtSerialPorts ports{PortMap()};
    SleepWaiter waiter;
    Link link{ports, waiter, errors, nullptr, image, host, text};

    explicit QtLink(const std::string& device) {
        static int argc = 1;
        static char name[] = "tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
        ports.map().pin(1, device);
        link.ports.setComPort(1);
        link.ports.VerdictCom(1);
        link.ranges = {0x0000, 0x03FF, 0x0000, 0x03FF, 0x03FF};
        link.lists.SetComCmdStd();
    }
};

TEST(PtyTransfer, ReadAndWriteByteExact) {
    struct Case {
        const char* name;
        const char* letters;
        bool echo;
    };
    for (const Case& c : {Case{"standard", "", false}, Case{"echo cable", "", true},
                          Case{"own letters I/M", "ZIM", false}}) {
        SCOPED_TRACE(c.name);
        sim::PtyRadioOptions options;
        options.memory = Pattern(c.letters);
        options.faults.echo = c.echo;
        sim::PtyRadio radio(options);
        ASSERT_TRUE(radio.start());
        QtLink q(radio.devicePath());
        ASSERT_EQ(q.link.ports.PortState(1), link::PortStatus::Opened);

        ASSERT_EQ(q.link.transfer.Read(), Outcome::Done);
        for (int a = 0; a < sim::kRadioBytes; ++a)
            ASSERT_EQ(q.image[a], options.memory[static_cast<size_t>(a)]) << a;
        EXPECT_EQ(q.link.interp.SingleWire(), c.echo);

        for (int a = 0x0010; a < 0x0110; ++a) q.image[a] = static_cast<uint8_t>(~q.image[a]);
        ASSERT_EQ(q.link.transfer.Write(), Outcome::Done);
        const sim::RadioMemory after = radio.memory();
        std::map<int, uint8_t> expected;  // the last value each acknowledged write left
        for (const auto& area : q.link.transfer.written())
            for (size_t i = 0; i < area.bytes.size(); ++i)
                expected[area.addr + static_cast<int>(i)] = area.bytes[i];
        EXPECT_GT(expected.size(), 1000u);
        for (const auto& [addr, value] : expected)
            ASSERT_EQ(after[static_cast<size_t>(addr)], value) << addr;
        for (int a = 0x0010; a < 0x0110; ++a)
            ASSERT_EQ(after[static_cast<size_t>(a)], q.image[a]) << a;  // the changed bytes
        EXPECT_EQ(radio.closings(), 1);
    }
}

TEST(PtyTransfer, AbsentDeviceIsReported) {
    QtLink q("/dev/tarvos-no-such-port");
    EXPECT_EQ(q.link.ports.PortState(1), link::PortStatus::Failed);
    EXPECT_NE(q.link.ports.PortReason(1).find("absent"), std::string::npos);
    EXPECT_EQ(q.link.transfer.Read(), Outcome::NoPort);
}

// --- tarvos-cli ------------------------------------------------------------------------------

const std::string kCli = std::string(TARVOS_BINARY_DIR) + "/cli/tarvos-cli";

struct CliRun {
    int code;
    std::string err;
};

CliRun RunCli(std::vector<std::string> args) {
    char errPath[] = "/tmp/tarvos-cli-errXXXXXX";
    int errFd = mkstemp(errPath);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, errFd, 2);
    args.insert(args.begin(), kCli);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    int status = -1;
    if (posix_spawn(&pid, kCli.c_str(), &fa, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&fa);
    close(errFd);
    std::ifstream in(errPath);
    std::string err((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(errPath);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, err};
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CliTransfer, ReadThenWriteWithVerify) {
    const auto dir = std::filesystem::temp_directory_path() / "tarvos-cli-e2e";
    std::filesystem::create_directories(dir);
    sim::PtyRadioOptions options;
    options.memory = Pattern("ZHN");
    options.faults.echo = true;
    sim::PtyRadio radio(options);
    ASSERT_TRUE(radio.start());

    const auto out = (dir / "read.dat").string();
    CliRun r = RunCli({"read", "--port", radio.devicePath(), "--out", out});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto file = FileBytes(out);
    ASSERT_EQ(file.size(), 1040u);
    for (int a = 0x0010; a < sim::kRadioBytes; ++a)
        ASSERT_EQ(file[static_cast<size_t>(a + 0x10)], options.memory[static_cast<size_t>(a)]);

    r = RunCli({"write", "--port", radio.devicePath(), "--in", out, "--verify"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Verified"), std::string::npos) << r.err;
    EXPECT_EQ(radio.closings(), 1);
    std::filesystem::remove_all(dir);
}

TEST(CliTransfer, ExitCodes) {
    EXPECT_EQ(RunCli({"read", "--out", "/tmp/x.dat"}).code, 2);  // no port
    EXPECT_EQ(RunCli({"write", "--port", "/dev/null", "--in", "/tmp/tarvos-none.dat"}).code, 2);
    CliRun r = RunCli({"read", "--port", "/dev/tarvos-no-such-port", "--out", "/tmp/x.dat"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("absent"), std::string::npos) << r.err;

    sim::PtyRadioOptions options;
    options.faults.silent = true;
    sim::PtyRadio silent(options);
    ASSERT_TRUE(silent.start());
    r = RunCli({"read", "--port", silent.devicePath(), "--out", "/tmp/x.dat"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Communication failed"), std::string::npos) << r.err;
}

// Without --code a read still checks the code, as the window's does: a radio that holds one
// is refused with the window's message and no file is written.
TEST(CliTransfer, ReadChecksTheCodeAsTheWindowDoes) {
    const auto dir = std::filesystem::temp_directory_path() / "tarvos-cli-code";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    sim::VirtualRadio coded;
    coded.memory = Pattern("ZHN");
    coded.setCode("A1");
    sim::PtyRadioOptions options;
    options.memory = coded.memory;
    sim::PtyRadio radio(options);
    ASSERT_TRUE(radio.start());

    const auto out = (dir / "read.dat").string();
    CliRun r = RunCli({"read", "--port", radio.devicePath(), "--out", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Program Code Error"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    r = RunCli({"read", "--port", radio.devicePath(), "--code", "A1", "--out", out});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(out));
    std::filesystem::remove_all(dir);
}

// Without --start/--end a write sends the settings file's range (0010-037F as shipped): the
// radio keeps its own bytes 0000-000F and its code and command letters at 0380-038F, so a
// radio with the letters "ZIM" still answers the next session.
TEST(CliTransfer, WriteSendsTheSettingsFilesRange) {
    const auto dir = std::filesystem::temp_directory_path() / "tarvos-cli-range";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    sim::PtyRadioOptions options;
    options.memory = Pattern("ZIM");
    sim::PtyRadio radio(options);
    ASSERT_TRUE(radio.start());

    // A file whose bookkeeping and code area differ from the radio's.
    std::vector<uint8_t> file(1040, 0x11);
    file[0x0170 + 0x10] = 0xA5;  // a byte no editor owns: sent as it is
    for (int a = 0x0385; a <= 0x038D; ++a) file[static_cast<size_t>(a + 0x10)] = 0xFF;
    const auto in = dir / "in.dat";
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), 1040);

    CliRun r = RunCli({"write", "--port", radio.devicePath(), "--in", in.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const sim::RadioMemory after = radio.memory();
    for (int a = 0x0000; a <= 0x000F; ++a)
        EXPECT_EQ(after[static_cast<size_t>(a)], options.memory[static_cast<size_t>(a)]) << a;
    for (int a = 0x0380; a <= 0x038F; ++a)
        EXPECT_EQ(after[static_cast<size_t>(a)], options.memory[static_cast<size_t>(a)]) << a;
    EXPECT_EQ(after[0x0170], 0xA5);

    r = RunCli({"read", "--port", radio.devicePath(), "--out", (dir / "back.dat").string()});
    EXPECT_EQ(r.code, 0) << r.err;
    std::filesystem::remove_all(dir);
}

TEST(CliSimulate, ServesUntilTerminatedAndSavesItsMemory) {
    const auto saved = std::filesystem::temp_directory_path() / "tarvos-sim-saved.dat";
    std::filesystem::remove(saved);
    int outPipe[2];
    ASSERT_EQ(pipe(outPipe), 0);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, outPipe[1], 1);
    posix_spawn_file_actions_addclose(&fa, outPipe[0]);
    std::vector<std::string> args{kCli,  "simulate",     "--letters",
                                  "ZIM", "--save-image", saved.string()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, kCli.c_str(), &fa, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&fa);
    close(outPipe[1]);
    std::string path;
    char ch;
    while (read(outPipe[0], &ch, 1) == 1 && ch != '\n') path += ch;
    close(outPipe[0]);
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;

    QtLink q(path);
    for (int a = 0; a < 0x400; ++a) q.image[a] = static_cast<uint8_t>(a);
    q.image[0x0388] = 'Z';  // keep the radio's letters as they are
    q.image[0x0389] = 'I';
    q.image[0x038A] = 'M';
    EXPECT_EQ(q.link.transfer.Write(), Outcome::Done);
    EXPECT_EQ(q.link.lists.WriteCmd(), 0x4D);  // the radio's own write letter

    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto file = FileBytes(saved);
    ASSERT_EQ(file.size(), 1040u);
    EXPECT_EQ(file[0x0010 + 0x10], 0x10);
    std::filesystem::remove(saved);
}

}  // namespace
}  // namespace tarvos::link

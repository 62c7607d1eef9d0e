// tarvos-cli: the settings part of dump, and the set command run as a program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/error_log.h"
#include "cli/dump_settings.h"
#include "functions/bindings.h"
#include "memory/data_file.h"

namespace tarvos {
namespace {

namespace fs = std::filesystem;

TEST(DumpSettings, MembersInTheDocumentedShape) {
    ByteImage image;
    image[0x0130] = 200;  // normalised on the copy only
    image[0x0300] = 'H';
    image[0x0302] = 'I';
    int r = 0x0280;
    image[r] = 0x20, image[r + 1] = 0x4E, image[r + 2] = 3, image[r + 7] = 90;
    for (int e = 2; e <= 16; ++e) image[0x0280 + 8 * (e - 1) + 7] = 0xFF;
    image[0x01AB] = 90;
    std::string json = cli::FunctionSettingsJsonMembers(image);
    EXPECT_EQ(image[0x0130], 200);

    EXPECT_EQ(json.rfind("\"settings\": {\"cboTot\": 4, \"cboPreTot\": 0,", 0), 0u) << json;
    EXPECT_NE(json.find("\"chkBeep\": false"), std::string::npos);
    EXPECT_NE(json.find("\"txtInfo(1)\": \"HI\""), std::string::npos);
    EXPECT_NE(json.find("\"cboVoxCmpDat(1)\": 170"), std::string::npos);  // marker was missing
    EXPECT_NE(json.find("\"cboRadioId(0)\": 0"), std::string::npos);
    EXPECT_NE(json.find("\"listSk1Short\": 0"), std::string::npos);
    EXPECT_NE(json.find("\"txtAutoMem(7)\": \"\""), std::string::npos);
    EXPECT_EQ(json.find("vsfgGridTwoTone"), std::string::npos);
    EXPECT_NE(json.find("\n  \"enabled\": {\"cboSaveMode\": false, "), std::string::npos);
    EXPECT_NE(json.find("\"cboDtmfCloseSort\": false}"), std::string::npos);
    EXPECT_EQ(json.find("\"cboTot\": true"), std::string::npos);
    EXPECT_NE(
        json.find("\n  \"twoTone\": [{\"entry\": 1, \"aFre\": \"2000.0\", \"aTime\": \"0.3\", "
                  "\"bFre\": \"\", \"bTime\": \"\", \"interval\": \"\"}, {\"entry\": 2,"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("\n  \"volume\": {\"codes\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0], "
                        "\"useTable\": true},\n  \"rdWrCode\": false"),
              std::string::npos);
    EXPECT_EQ(json.back(), 'e');  // no trailing comma

    // Every list, check and text control is there once.
    for (const auto& b : FunctionBindings()) {
        if (b.kind == ControlKind::Grid) continue;
        EXPECT_NE(json.find("\"" + b.name + "\": "), std::string::npos) << b.name;
    }
}

// --- tarvos-cli set ----------------------------------------------------------------------

class CliSet : public ::testing::Test {
  protected:
    void SetUp() override {
        cli_ = fs::path(TARVOS_BINARY_DIR) / "cli" / "tarvos-cli";
        tmpl_ = fs::path(TARVOS_BINARY_DIR) / "data" / "dhcpqec.def";
        if (!fs::exists(cli_) || !fs::exists(tmpl_)) GTEST_SKIP() << "tarvos-cli not built";
        dir_ = fs::temp_directory_path() /
               ("tarvos-set-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
    }
    int run(const std::string& assignments) {
        std::string cmd = "'" + cli_.string() + "' set '" + tmpl_.string() + "' --out '" +
                          out().string() + "' " + assignments + " 2> '" +
                          (dir_ / "err.txt").string() + "'";
        int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string err() const {
        std::ifstream f(dir_ / "err.txt");
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    fs::path out() const { return dir_ / "out.dat"; }
    ByteImage load(const fs::path& p) const {
        ErrorLog log;
        ByteImage image;
        EXPECT_TRUE(OpenDatFile(p, image, log));
        return image;
    }

    fs::path cli_, tmpl_, dir_;
};

TEST_F(CliSet, AppliesPicksWithTheirCouplingsAndKeepsEverythingElse) {
    ASSERT_EQ(run("cboCodeContiTime=12 cboCodeSpaceTime=30 chkTxEndTone=false "
                  "txtPttBot='12ab*#x' 'txtInfo(2)=HI' 'twoTone(9).aFre=100' 'cboRadioId(3)=0'"),
              0)
        << err();
    ByteImage before = load(tmpl_), after = load(out());
    EXPECT_EQ(after[0x03DA], 19);
    EXPECT_EQ(after[0x03DB], 37);
    EXPECT_EQ(after[0x036D] & 0x01, 0);
    EXPECT_EQ(after[0x0367] & 0x10, 0);  // the monitor tone followed
    EXPECT_EQ(after[0x0140], 0x31);
    EXPECT_EQ(after[0x0145], 0x23);
    EXPECT_EQ(after[0x0146], 0xFF);
    EXPECT_EQ(after[0x0320], 'H');
    int r = 0x0280 + 8 * 8;
    EXPECT_EQ(after[r] | (after[r + 1] << 8), 3500);
    EXPECT_EQ(after[0x03EA] >> 4, 0xC);
    for (int a = 0x0010; a < 0x0110; ++a) ASSERT_EQ(after[a], before[a]) << a;  // channels
}

TEST_F(CliSet, RefusesBadAssignmentsWithoutWriting) {
    struct Case {
        const char* args;
        const char* names;
    };
    const Case cases[] = {{"cboNoSuch=1", "cboNoSuch"},
                          {"cboTot=19", "cboTot"},
                          {"cboTot=-1", "cboTot"},
                          {"cboTot=x", "cboTot"},
                          {"chkBeep=yes", "chkBeep"},
                          {"'twoTone(17).aFre=1000'", "twoTone(17)"},
                          {"'twoTone(1).aTime=0.25'", "twoTone(1).aTime"},
                          {"'twoTone(1).cFre=1'", "twoTone(1).cFre"},
                          {"cboTot=3 'vsfgGridTwoTone(0)=1'", "vsfgGridTwoTone(0)"},
                          {"cboTot", "cboTot"}};
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.args;
        EXPECT_FALSE(fs::exists(out())) << c.args;
        std::string e = err();
        EXPECT_NE(e.find(c.names), std::string::npos) << e;
        EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << e;
    }
}

}  // namespace
}  // namespace tarvos

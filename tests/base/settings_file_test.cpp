#include "base/settings_file.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

using namespace tarvos;
namespace fs = std::filesystem;

namespace {

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tarvos-settings-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = dir_ / "tarvosk.def";
    }
    void TearDown() override { fs::remove_all(dir_); }

    void put(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
    std::string content() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir_, path_;
};

// Root reads and writes a file whatever its permissions say. While this lives the process
// does not: the two override powers leave its effective set, and come back at the end. For
// any other user it changes nothing.
class PermissionsBindRoot {
  public:
    PermissionsBindRoot() {
        ok_ = ::syscall(SYS_capget, &header_, saved_) == 0;
        if (!ok_) return;
        __user_cap_data_struct bound[2] = {saved_[0], saved_[1]};
        bound[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ok_ = ::syscall(SYS_capset, &header_, bound) == 0;
    }
    ~PermissionsBindRoot() {
        if (ok_) ::syscall(SYS_capset, &header_, saved_);
    }
    PermissionsBindRoot(const PermissionsBindRoot&) = delete;
    PermissionsBindRoot& operator=(const PermissionsBindRoot&) = delete;
    bool ok() const { return ok_; }

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool ok_ = false;
};

const char* const kSample =
    "; Tarvos settings\r\n"
    "[Setting]\r\n"
    "Language = 1   \r\n"
    "COM=3\r\n"
    "EngFont=  Times New Roman  \r\n"
    "ChsFont=宋体\r\n"
    "ReadEndAddr=1FFF0\r\n"
    "Quoted=\"  spaced \"\r\n"
    "Blank=\r\n"
    "\r\n"
    "; the channel layout of each language\r\n"
    "[ChInfo]\r\n"
    "1000=16\r\n";

}  // namespace

TEST_F(SettingsFileTest, ReadsWithDefaultTrimAndReadLength) {
    put(kSample);
    const SettingsFile file(path_);
    const struct {
        const char* section;
        const char* key;
        const char* def;
        int length;
        const char* want;
    } cases[] = {
        {"Setting", "Language", "2", 10, "1"},  // trailing blanks go
        {"setting", "LANGUAGE", "2", 10, "1"},  // names ignore case
        {"Setting", "EngFont", "x", 30, "Times New Roman"},
        {"Setting", "ChsFont", "x", 30, "宋体"},        // UTF-8 text
        {"Setting", "ChsFont", "x", 2, "宋"},           // length counts characters
        {"Setting", "ReadEndAddr", "1FFF", 5, "1FFF"},  // cut to length - 1
        {"Setting", "COM", "1", 1, ""},                 // room for nothing
        {"Setting", "Quoted", "x", 30, "  spaced "},    // quotes keep inner blanks
        {"Setting", "Blank", "dflt", 10, ""},           // present but empty is not missing
        {"Setting", "Missing", "dflt", 10, "dflt"},     // missing key
        {"Nowhere", "Language", "2", 10, "2"},          // missing section
        {"ChInfo", "Language", "2", 10, "2"},           // key of another section
        {"ChInfo", "1000", "16", 10, "16"},
        {"Setting", "Missing", "  Times New Roman ", 30, "Times New Roman"},  // default too
        {"Setting", "Missing", "1FFF", 3, "1F"},
        {"Setting", "Missing", "宋体abc", 3, "宋体"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + "/" + std::to_string(c.length));
        EXPECT_EQ(file.read(c.section, c.key, c.def, c.length), c.want);
    }
}

TEST_F(SettingsFileTest, MissingFileGivesDefaults) {
    const SettingsFile file(path_);
    EXPECT_EQ(file.read("Setting", "Language", "2", 10), "2");
    EXPECT_EQ(file.read("Setting", "ChsFont", "宋体", 30), "宋体");
    EXPECT_FALSE(fs::exists(path_));  // reading creates nothing
}

TEST_F(SettingsFileTest, ReadsPastAByteOrderMarkAndLoneLineFeeds) {
    put("\xEF\xBB\xBF[Setting]\nLanguage=3\nCOM=7\n");
    const SettingsFile file(path_);
    EXPECT_EQ(file.read("Setting", "Language", "2", 10), "3");
    EXPECT_EQ(file.read("Setting", "COM", "1", 10), "7");
}

TEST_F(SettingsFileTest, WriteCreatesFileAndSection) {
    const SettingsFile file(path_);
    ASSERT_TRUE(file.write("Setting", "FirRun", "0"));
    ASSERT_TRUE(file.write("Setting", "Language", "3"));
    ASSERT_TRUE(file.write("ChInfo", "1152", "44612500"));
    EXPECT_EQ(content(),
              "[Setting]\r\nFirRun=0\r\nLanguage=3\r\n\r\n[ChInfo]\r\n1152=44612500\r\n");
    EXPECT_EQ(file.read("Setting", "Language", "2", 10), "3");
    EXPECT_EQ(file.read("ChInfo", "1152", "0", 20), "44612500");
}

TEST_F(SettingsFileTest, WriteChangesOnlyItsOwnLine) {
    put(kSample);
    const SettingsFile file(path_);
    ASSERT_TRUE(file.write("SETTING", "com", "12"));  // names ignore case: no second key
    std::string want = kSample;
    want.replace(want.find("COM=3"), 5, "com=12");
    EXPECT_EQ(content(), want);
    EXPECT_EQ(file.read("Setting", "COM", "1", 10), "12");
}

// A snapshot answers from the file as it was when taken, until it writes itself.
TEST_F(SettingsFileTest, SnapshotReadsTheFileOnce) {
    put("[Setting]\nCOM=3\nLanguage=1\n");
    SettingsFile file(path_);
    const SettingsFile snap = file.snapshot();
    put("[Setting]\nCOM=9\n");
    EXPECT_EQ(snap.read("Setting", "COM", "", 10), "3");
    EXPECT_EQ(snap.read("Setting", "Language", "", 10), "1");
    EXPECT_EQ(file.read("Setting", "COM", "", 10), "9");
    EXPECT_TRUE(snap.write("Setting", "Language", "2"));
    EXPECT_EQ(snap.read("Setting", "COM", "", 10), "9");
    EXPECT_EQ(snap.read("Setting", "Language", "", 10), "2");
    EXPECT_EQ(content(), "[Setting]\nCOM=9\nLanguage=2\n");
}

// A snapshot looks its keys up in an index; it must find what a read of the file finds, on
// a file with names in other cases, a section given twice, keys before any section, comments
// and lines that are neither.
TEST_F(SettingsFileTest, SnapshotFindsWhatTheFileFinds) {
    put("Early=0\n"
        "[Setting]\n"
        "COM=3\n"
        "; Skipped=1\n"
        "not a key\n"
        "com=4\n"
        "[ChInfo]\n"
        "1000=16\n"
        "[setting]\n"
        "COM=5\n"
        "Late = \"  x \"\n"
        "[Broken\n"
        "Inside=1\n");
    const SettingsFile file(path_);
    const SettingsFile snap = file.snapshot();
    const SettingsFile copy = snap.snapshot();
    const SettingsFile text = SettingsFile::FromText(content());
    const char* const keys[][2] = {
        {"Setting", "COM"},   {"SETTING", "com"},  {"Setting", "Late"}, {"Setting", "Skipped"},
        {"Setting", "Early"}, {"", "Early"},       {"ChInfo", "1000"},  {"Setting", "Inside"},
        {"Broken", "Inside"}, {"Setting", "1000"}, {"Nothing", "COM"},
    };
    for (const auto& [section, key] : keys) {
        const std::string want = file.read(section, key, "def", 10);
        EXPECT_EQ(snap.read(section, key, "def", 10), want) << section << "/" << key;
        EXPECT_EQ(copy.read(section, key, "def", 10), want) << section << "/" << key;
        EXPECT_EQ(text.read(section, key, "def", 10), want) << section << "/" << key;
    }
    EXPECT_EQ(snap.read("setting", "Com", "", 10), "3");
    EXPECT_EQ(snap.read("Setting", "Late", "", 3), "  ");
}

TEST_F(SettingsFileTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
    put(kSample);
    const SettingsFile file(path_);
    ASSERT_TRUE(file.write("Setting", "ChannelLock", "ShowLock"));
    ASSERT_TRUE(file.write("ChInfo", "1001", "240"));
    std::string want = kSample;
    want.insert(want.find("\r\n\r\n; the channel") + 2, "ChannelLock=ShowLock\r\n");
    want += "1001=240\r\n";
    EXPECT_EQ(content(), want);
}

TEST_F(SettingsFileTest, Utf8ValuesRoundTrip) {
    const SettingsFile file(path_);
    for (const char* value : {"宋体", "微软雅黑 Light", "對講機", "Noto Sans CJK SC"}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(file.write("Setting", "ChsFont", value));
        EXPECT_EQ(file.read("Setting", "ChsFont", "", 30), value);
    }
}

TEST_F(SettingsFileTest, WriteKeepsTheFilesLineEndsAndByteOrderMark) {
    put("\xEF\xBB\xBF; unix file\n[Setting]\nLanguage=1\n");
    const SettingsFile file(path_);
    ASSERT_TRUE(file.write("Setting", "Language", "2"));
    ASSERT_TRUE(file.write("Setting", "COM", "4"));
    EXPECT_EQ(content(), "\xEF\xBB\xBF; unix file\n[Setting]\nLanguage=2\nCOM=4\n");
}

TEST_F(SettingsFileTest, ValueCannotSmuggleInAnotherLine) {
    // The address boxes store whatever is typed; a pasted line break must not become a key.
    put(kSample);
    const SettingsFile file(path_);
    ASSERT_TRUE(file.write("Setting", "ReadStartAddr", "00\r\nChannelLock=ShowLock\n[Evil]\nx=1"));
    EXPECT_EQ(file.read("Setting", "ReadStartAddr", "", 15), "00");
    EXPECT_EQ(file.read("Setting", "ChannelLock", "ShowNo", 15), "ShowNo");
    EXPECT_EQ(file.read("Evil", "x", "none", 10), "none");
}

TEST_F(SettingsFileTest, WriteIntoAMissingFolderFails) {
    const SettingsFile nowhere(dir_ / "no-such-folder" / "tarvosk.def");
    EXPECT_FALSE(nowhere.write("Setting", "COM", "2"));
}

TEST_F(SettingsFileTest, UnreadableFileIsNeverReplaced) {
    // A file that exists but cannot be read must not be replaced by a one-key file. The test
    // command runs as root, who could read it: root's power over permissions is put aside.
    put(kSample);
    fs::permissions(path_, fs::perms::none);
    {
        const PermissionsBindRoot bound;
        ASSERT_TRUE(bound.ok());
        ASSERT_FALSE(std::ifstream(path_).is_open()) << "the file is readable after all";
        const SettingsFile file(path_);
        EXPECT_FALSE(file.write("Setting", "COM", "2"));
    }
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(content(), kSample);
}

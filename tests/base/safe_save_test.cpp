// Saving files safely, and reading only regular files: what a planted link, a FIFO, a device,
// a file-size limit and an existing file do to a save, and what is left in the folder after.
#include "base/safe_save.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "base/file_reading.h"

using namespace tarvos;
namespace fs = std::filesystem;

namespace {

class SafeSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tarvos-safe-save-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path at(const std::string& name) const { return dir_ / name; }
    static std::string content(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void put(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    // The names in the folder: a save leaves nothing of its own behind.
    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(dir_)) out.insert(e.path().filename().string());
        return out;
    }

    fs::path dir_;
};

// The name the saves of earlier versions wrote first: a link planted there was followed.
TEST_F(SafeSaveTest, APlantedLinkBesideTheTargetIsNeverFollowed) {
    put(at("victim"), "keep me");
    put(at("o.dat"), "old");
    fs::create_symlink(at("victim"), at("o.dat.saving"));
    fs::create_symlink(at("victim"), at(".o.dat.saving"));
    ASSERT_FALSE(SaveFileSafely(at("o.dat"), std::string_view("new bytes")));
    EXPECT_EQ(content(at("o.dat")), "new bytes");
    EXPECT_FALSE(fs::is_symlink(at("o.dat")));
    EXPECT_EQ(content(at("victim")), "keep me");
    EXPECT_EQ(names(), (std::set<std::string>{".o.dat.saving", "o.dat", "o.dat.saving", "victim"}));
}

// A FIFO, a device or a folder is no file to save over, nor is a link to one: refused,
// nothing written, and a FIFO is refused without waiting for a reader.
TEST_F(SafeSaveTest, TargetsThatAreNoRegularFileAreRefused) {
    ASSERT_EQ(::mkfifo(at("fifo").c_str(), 0644), 0);
    fs::create_symlink(at("fifo"), at("to-fifo"));
    fs::create_symlink("/dev/null", at("to-device"));
    fs::create_directories(at("folder"));
    const std::set<std::string> before = names();
    for (const char* name : {"fifo", "to-fifo", "to-device", "folder"}) {
        const auto e = SaveFileSafely(at(name), std::string_view("x"));
        ASSERT_TRUE(e) << name;
        EXPECT_NE(e->message.find("not a regular file"), std::string::npos) << e->message;
        EXPECT_NE(e->message.find(at(name).string()), std::string::npos) << e->message;
    }
    EXPECT_EQ(names(), before);
    EXPECT_TRUE(fs::is_fifo(at("fifo")));
    EXPECT_TRUE(fs::is_symlink(at("to-device")));

    // Reading refuses them the same way, without opening a FIFO.
    std::vector<uint8_t> bytes;
    for (const char* name : {"fifo", "to-device", "folder"}) {
        const auto e = ReadRegularFile(at(name), 10, bytes);
        ASSERT_TRUE(e) << name;
        EXPECT_NE(e->message.find("not a regular file"), std::string::npos) << e->message;
    }
    const auto missing = ReadRegularFile(at("missing"), 10, bytes);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->message,
              "cannot open " + at("missing").string() + ": No such file or directory");
    EXPECT_EQ(missing->number, err::FileNotFound);
}

// Under a file-size limit the write fails instead of ending the program, the temporary file
// goes, and the old file stays whole. Run in a child, which the limit is set for.
TEST_F(SafeSaveTest, AFileSizeLimitLeavesTheOldFileAndNoTemporaryFile) {
    const std::string old(100, 'o');
    put(at("o.dat"), old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{512, 512};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto e = SaveFileSafely(at("o.dat"), std::string(1040, 'n'));
        const bool told = e && e->sysErrno == EFBIG && e->number == err::DeviceIO &&
                          e->message.find("File too large") != std::string::npos;
        ::_exit(told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child was ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(content(at("o.dat")), old);
    EXPECT_EQ(names(), std::set<std::string>{"o.dat"});
}

// A new file gets the permissions any new file of the user gets (not the temporary file's
// private ones); a replaced one keeps its own.
TEST_F(SafeSaveTest, PermissionsOfNewAndReplacedFiles) {
    const mode_t mask = ::umask(027);
    ASSERT_FALSE(SaveFileSafely(at("new"), std::string_view("a")));
    EXPECT_EQ(fs::status(at("new")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    put(at("old"), "b");
    fs::permissions(at("old"), fs::perms::owner_read | fs::perms::owner_write |
                                   fs::perms::others_read | fs::perms::others_write);
    ASSERT_FALSE(SaveFileSafely(at("old"), std::string_view("c")));
    EXPECT_EQ(fs::status(at("old")).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                       fs::perms::others_read |
                                                       fs::perms::others_write);
    ::umask(mask);
}

// A file marked read-only is kept as it is, even for root (who could write it anyway); the
// message says why.
TEST_F(SafeSaveTest, AReadOnlyFileIsNotReplaced) {
    put(at("kept.dat"), "old");
    fs::permissions(at("kept.dat"), fs::perms::owner_read | fs::perms::group_read);
    const auto e = SaveFileSafely(at("kept.dat"), std::string_view("new"));
    ASSERT_TRUE(e);
    EXPECT_NE(e->message.find("the file is read-only"), std::string::npos) << e->message;
    EXPECT_EQ(e->number, err::PermissionDenied);
    EXPECT_EQ(content(at("kept.dat")), "old");
    EXPECT_EQ(names(), std::set<std::string>{"kept.dat"});
}

// A new file only: an existing name, or a link there (even one leading nowhere), is kept.
TEST_F(SafeSaveTest, CreateNewNeverReplacesNorFollowsALink) {
    put(at("taken"), "first");
    fs::create_symlink(at("elsewhere"), at("dangling"));
    for (const char* name : {"taken", "dangling"}) {
        const auto e = SaveFileSafely(at(name), std::string_view("second"), SaveMode::CreateNew);
        ASSERT_TRUE(e) << name;
        EXPECT_EQ(e->sysErrno, EEXIST) << name;
    }
    EXPECT_EQ(content(at("taken")), "first");
    EXPECT_FALSE(fs::exists(at("elsewhere")));
    ASSERT_FALSE(SaveFileSafely(at("free"), std::string_view("third"), SaveMode::CreateNew));
    EXPECT_EQ(content(at("free")), "third");
    EXPECT_EQ(names(), (std::set<std::string>{"dangling", "free", "taken"}));
}

}  // namespace

// Data files: open, save, template load, New, the data folder, and the shipped images.
#include "memory/data_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fill_pattern.h"
#include "memory/band.h"
#include "memory/channel_codec.h"
#include "memory_fixture.h"

namespace tarvos {
namespace {

using test::FileBytes;
using test::Logged;
using test::TempFolder;
using test::WriteBytes;

ByteImage Patterned(int datNum = kMinDatNum) {
    ByteImage image(datNum);
    for (int i = 0; i < image.size(); ++i) image[i] = test::PatternByte(i, 4);
    return image;
}

TEST(DataFile, SaveWritesTheFileLayoutAndOpenRestoresTheImage) {
    TempFolder dir;
    Logged l;
    ByteImage image = Patterned();
    const ByteImage before = image;
    ASSERT_TRUE(SaveDatFile(dir / "a.dat", image, l.log));
    const auto file = FileBytes(dir / "a.dat");
    ASSERT_EQ(file.size(), 1040u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "QD6251");
    for (int i = 6; i < 16; ++i) EXPECT_EQ(file[i], before[i]) << i;
    for (int i = 16; i < 32; ++i) EXPECT_EQ(file[i], 0xFF) << i;
    for (int a = 0x10; a < 0x400; ++a) EXPECT_EQ(file[a + 16], before[a]) << a;

    // The image after a save: signature at 0..5, 0x0400.. copies 0x03F0.., rest unchanged.
    for (int i = 0; i < image.size(); ++i) {
        const uint8_t expected = i < 6        ? kDataFileSignature[i]
                                 : i >= 0x400 ? before[i - 16]
                                              : before[i];
        EXPECT_EQ(image[i], expected) << i;
    }

    ByteImage opened(kMinDatNum);
    ASSERT_TRUE(OpenDatFile(dir / "a.dat", opened, l.log));
    for (int a = 6; a < 0x400; ++a) EXPECT_EQ(opened[a], before[a]) << a;
    EXPECT_EQ(opened[0], 'Q');
    EXPECT_TRUE(l.locations().empty());
}

TEST(DataFile, SaveEncodesTheChannelTableFirst) {
    TempFolder dir;
    Logged l;
    ByteImage image(kMinDatNum), temp(kMinDatNum);
    image.fill(0xFF);
    ChannelTable chInfo;
    ToneTexts toneText;
    ChannelLayout layout;
    layout.columnCount = 4;
    ToneList tones(3);
    ChannelCodec codec(image, temp, chInfo, toneText, layout, tones, l.log);
    for (int n = 1; n <= 16; ++n) chInfo(n, chf::RxFre) = chInfo(n, chf::TxFre) = -1;
    chInfo(1, chf::RxFre) = 44612500;
    ASSERT_TRUE(SaveDatFile(dir / "c.dat", image, l.log, &codec));
    const auto file = FileBytes(dir / "c.dat");
    EXPECT_EQ(file[0x20], 0x00);
    EXPECT_EQ(file[0x23], 0x44);
}

// Saving over a longer file leaves exactly 1040 bytes.
TEST(DataFile, SaveOverALongerFileShortensIt) {
    TempFolder dir;
    Logged l;
    WriteBytes(dir / "long.dat", std::vector<uint8_t>(5000, 0x11));
    ByteImage image = Patterned();
    ASSERT_TRUE(SaveDatFile(dir / "long.dat", image, l.log));
    EXPECT_EQ(FileBytes(dir / "long.dat").size(), 1040u);
}

// A save that cannot write (here: a file-size limit, in a child the limit is set for) leaves
// the old file whole, is logged with the reason, and still leaves the image in image layout.
TEST(DataFile, FailedSaveKeepsTheOldFile) {
    TempFolder dir;
    const std::vector<uint8_t> old(1040, 0x5A);
    WriteBytes(dir / "keep.dat", old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{512, 512};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        Logged l;
        ByteImage image = Patterned();
        const ByteImage before = image;
        FileError why;
        bool ok = !SaveDatFile(dir / "keep.dat", image, l.log, nullptr, &why) &&
                  why.message.find("File too large") != std::string::npos &&
                  l.locations() == std::vector<std::string>{"mdifrmMain->SaveDatFile"};
        for (int a = 6; a < 0x400; ++a) ok = ok && image[a] == before[a];
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(FileBytes(dir / "keep.dat"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    Logged l;
    ByteImage image = Patterned();
    EXPECT_FALSE(SaveDatFile(dir / "no-such-folder" / "x.dat", image, l.log));
}

// Saving over a file keeps what the user had made of it: its permissions, and a symbolic
// link stays a link while the file it leads to gets the new bytes.
TEST(DataFile, SaveKeepsPermissionsAndLinks) {
    namespace fs = std::filesystem;
    TempFolder dir;
    Logged l;
    ByteImage image = Patterned();
    for (fs::perms p : {fs::perms::owner_read | fs::perms::owner_write,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read}) {
        const fs::path file = dir / "private.dat";
        WriteBytes(file, std::vector<uint8_t>(1040, 0x11));
        fs::permissions(file, p);
        ASSERT_TRUE(SaveDatFile(file, image, l.log));
        EXPECT_EQ(fs::status(file).permissions(), p);
        EXPECT_EQ(FileBytes(file).size(), 1040u);
        EXPECT_NE(FileBytes(file)[0x20], 0x11);
    }

    fs::create_directories(dir / "real");
    WriteBytes(dir / "real" / "radio.dat", std::vector<uint8_t>(1040, 0x11));
    fs::create_symlink("real/radio.dat", dir / "link.dat");   // relative, as users make them
    fs::create_symlink(dir / "link.dat", dir / "link2.dat");  // a link to the link
    ASSERT_TRUE(SaveDatFile(dir / "link2.dat", image, l.log));
    EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
    EXPECT_TRUE(fs::is_symlink(dir / "link2.dat"));
    const auto saved = FileBytes(dir / "real" / "radio.dat");
    ASSERT_EQ(saved.size(), 1040u);
    EXPECT_EQ(saved[0], 'Q');

    // A link to a file not there yet: the file is made where the link points.
    fs::create_symlink("real/new.dat", dir / "ahead.dat");
    ASSERT_TRUE(SaveDatFile(dir / "ahead.dat", image, l.log));
    EXPECT_TRUE(fs::is_symlink(dir / "ahead.dat"));
    EXPECT_EQ(FileBytes(dir / "real" / "new.dat").size(), 1040u);

    // Links that loop are a failed save.
    fs::create_symlink("loop2.dat", dir / "loop1.dat");
    fs::create_symlink("loop1.dat", dir / "loop2.dat");
    EXPECT_FALSE(SaveDatFile(dir / "loop1.dat", image, l.log));
    EXPECT_TRUE(l.sink.lines.size() > 0);
}

// A file the user may not write is not replaced: the save fails as any failed save does and
// the file keeps its bytes. The file here has no write permission at all, which refuses the
// save for every user, root included (root may write any file the system lets it).
TEST(DataFile, SaveOverAReadOnlyFileFails) {
    namespace fs = std::filesystem;
    TempFolder dir;
    Logged l;
    const std::vector<uint8_t> old(1040, 0x5A);
    const fs::path file = dir / "locked.dat";
    WriteBytes(file, old);
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    ByteImage image = Patterned();
    EXPECT_FALSE(SaveDatFile(file, image, l.log));
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(l.locations(), (std::vector<std::string>{"mdifrmMain->SaveDatFile"}));

    // Through a link the file it leads to counts.
    fs::create_symlink("locked.dat", dir / "via.dat");
    EXPECT_FALSE(SaveDatFile(dir / "via.dat", image, l.log));
    EXPECT_EQ(FileBytes(file), old);
    EXPECT_TRUE(fs::is_symlink(dir / "via.dat"));
}

// Files that are no data file give the "Wrong file type!" path and leave the image exactly
// as it was: any size but 1040 (a list renamed to .dat, a file cut short or grown), what
// cannot be opened, and what is no regular file; why says which. Any 1040 bytes open.
TEST(DataFile, OpenChecksBeforeReplacingTheImage) {
    TempFolder dir;
    WriteBytes(dir / "short.dat", std::vector<uint8_t>(1039, 0x00));
    WriteBytes(dir / "long.dat", std::vector<uint8_t>(1041, 0x00));
    const std::string list = "Location,Frequency\r\n1,446.00625\r\n";
    WriteBytes(dir / "list.dat", std::vector<uint8_t>(list.begin(), list.end()));
    WriteBytes(dir / "empty.dat", {});
    std::filesystem::create_directories(dir / "folder.dat");
    ASSERT_EQ(::mkfifo((dir / "fifo.dat").c_str(), 0644), 0);
    struct Case {
        const char* name;
        const char* why;
    };
    const Case cases[] = {{"short.dat", "(1039 bytes; a data file has 1040)"},
                          {"long.dat", "(more than 1040 bytes; a data file has 1040)"},
                          {"list.dat", "(33 bytes; a data file has 1040)"},
                          {"empty.dat", "(0 bytes; a data file has 1040)"},
                          {"missing.dat", ": No such file or directory"},
                          {"folder.dat", "a folder, not a regular file"},
                          {"fifo.dat", "a FIFO, not a regular file"}};
    for (const Case& c : cases) {
        Logged l;
        ByteImage image = Patterned();
        const ByteImage before = image;
        FileError why;
        EXPECT_FALSE(OpenDatFile(dir / c.name, image, l.log, &why)) << c.name;
        EXPECT_EQ(image, before) << c.name;
        EXPECT_EQ(l.locations(), (std::vector<std::string>{"mdifrmMain->OpenFile"})) << c.name;
        EXPECT_NE(why.message.find(c.why), std::string::npos) << why.message;
        EXPECT_NE(why.message.find((dir / c.name).string()), std::string::npos) << why.message;
    }

    std::vector<uint8_t> zeros(1040, 0x00);
    zeros[0x20 + 3] = 0x44;  // channel 1 byte 3
    WriteBytes(dir / "zeros.dat", zeros);
    Logged l;
    ByteImage image(2047);
    image.fill(0xEE);
    FileError why{err::DiskFull, 0, "from before"};
    ASSERT_TRUE(OpenDatFile(dir / "zeros.dat", image, l.log, &why));
    EXPECT_TRUE(why.message.empty());
    for (int a = 0; a < 0x400; ++a) ASSERT_EQ(image[a], a == 0x13 ? 0x44 : 0) << a;
    EXPECT_EQ(image[1040], 0xEE);  // beyond the file's 1040 bytes nothing changes
}

TEST(DataFile, InitTempArrayKeepsTheTemplateInFileLayout) {
    Logged l;
    ByteImage image(2047), temp(2047);
    image.fill(0xAB);
    temp.fill(0xAB);
    ASSERT_TRUE(InitTempArray(test::BuiltData(kTemplateFileName), image, temp, l.log));
    const auto file = FileBytes(test::BuiltData(kTemplateFileName));
    ASSERT_EQ(file.size(), 1040u);
    for (int i = 0; i < 1040; ++i) ASSERT_EQ(temp[i], file[i]) << i;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image[i], file[i]) << i;
    for (int a = 0x10; a < 0x400; ++a) ASSERT_EQ(image[a], file[a + 16]) << a;
    for (int i = 1024; i < 1040; ++i) EXPECT_EQ(image[i], file[i]) << i;
    EXPECT_EQ(image[1040], 0xAB);
    EXPECT_EQ(temp[1040], 0xAB);
}

TEST(DataFile, MissingTemplateIsLoggedAndChangesNothing) {
    TempFolder dir;
    Logged l;
    ByteImage image = Patterned(), temp = Patterned();
    const ByteImage before = image;
    EXPECT_FALSE(InitTempArray(dir / "dhcpqec.def", image, temp, l.log));
    EXPECT_EQ(image, before);
    EXPECT_EQ(temp, before);
    EXPECT_EQ(l.locations(), (std::vector<std::string>{"mdifrmMain->InitTempArray"}));
}

TEST(DataFile, NewKeepsModelAndBand) {
    Logged l;
    ByteImage image = Patterned(), temp(kMinDatNum);
    NewFileImage(test::BuiltData(kTemplateFileName), image, temp, l.log);
    const ByteImage tmpl = test::ShippedImage(kTemplateFileName);
    const ByteImage before = Patterned();
    for (int a = 6; a < 0x400; ++a) {
        const bool kept = a >= 0x0379 && a <= 0x037D;
        ASSERT_EQ(image[a], kept ? before[a] : tmpl[a]) << a;
    }
    EXPECT_TRUE(l.locations().empty());
}

TEST(DataFile, GenerateDatFolder) {
    TempFolder dir;
    Logged l;
    auto folder = GenerateDatFolder(dir.path(), l.log);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Data"));
    EXPECT_EQ(folder.untitledPath, dir / "Data" / "Untitled.dat");
    GenerateDatFolder(dir.path(), l.log);  // already there: fine
    EXPECT_TRUE(l.locations().empty());

    WriteBytes(dir / "file", {1});
    GenerateDatFolder(dir / "file", l.log);
    EXPECT_EQ(l.locations(), (std::vector<std::string>{"mdifrmMain->GenerateDatFolder"}));
}

// The shipped images: the data-file format, the identification block, the VOX values and
// marker, the band, empty channels in the template and programmed ones in the defaults.
TEST(ShippedImages, HoldWhatTheRadioExpects) {
    for (const char* name : {kTemplateFileName, kDefaultsFileName}) {
        const auto file = FileBytes(test::BuiltData(name));
        ASSERT_EQ(file.size(), 1040u) << name;
        EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "QD6251");
        for (int i = 16; i < 32; ++i) EXPECT_EQ(file[i], 0xFF);
        ByteImage image = test::ShippedImage(name);
        EXPECT_EQ(std::string(&image.bytes()[0x01B8], &image.bytes()[0x01BE]), "K48159");
        EXPECT_EQ(image[0x01BE], 0xF8);
        EXPECT_EQ(image[0x01BF], 0xFF);
        const uint8_t vox[] = {170, 155, 140, 125, 110, 95, 80, 65, 50, 35};
        for (int k = 0; k < 10; ++k) EXPECT_EQ(image[0x0194 + k], vox[k]);
        EXPECT_EQ(image[0x019E], 90);
        EXPECT_EQ(image[0x0379], 0);
        const Band band = IicDatToBand(image);
        EXPECT_EQ(band.index, 12) << name;
        EXPECT_EQ(band.low, 40000000);
        EXPECT_EQ(band.high, 52000000);
    }
    const ByteImage tmpl = test::ShippedImage(kTemplateFileName);
    const ByteImage defs = test::ShippedImage(kDefaultsFileName);
    int used = 0;
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(tmpl[ChannelRecordAddr(n, 3)], 0xFF) << n;
        const auto rx =
            FrequencyFromBcd({defs[16 * n], defs[16 * n + 1], defs[16 * n + 2], defs[16 * n + 3]});
        ASSERT_TRUE(rx) << n;
        EXPECT_GE(*rx, 40000000) << n;
        EXPECT_LE(*rx, 52000000) << n;
        used += defs[ChannelRecordAddr(n, 8)] != 0xFF;
    }
    EXPECT_GT(used, 10);
}

}  // namespace
}  // namespace tarvos

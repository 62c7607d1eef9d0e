// Backups of reads: their names, two reads in one second, keeping the newest fifty, and a
// backup that cannot be written.
#include "memory/read_backup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fill_pattern.h"
#include "memory_fixture.h"

namespace tarvos {
namespace {

using test::FileBytes;
using test::Logged;
using test::TempFolder;

std::tm Time(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    return t;
}

std::time_t Stamp(int y, int mo, int d, int h, int mi, int s) {
    std::tm t = Time(y, mo, d, h, mi, s);
    return std::mktime(&t);  // local time, as the names are
}

void Touch(const std::filesystem::path& p) {
    std::ofstream(p) << "x";
}

TEST(ReadBackup, NamesFollowTheLocalTimeAndTheSequenceWithinTheSecond) {
    EXPECT_EQ(BackupFileName(Time(2024, 1, 31, 23, 59, 7), 1), "20240131-235907.dat");
    EXPECT_EQ(BackupFileName(Time(2024, 1, 31, 23, 59, 7), 2), "20240131-235907-2.dat");
    EXPECT_EQ(BackupFileName(Time(1999, 12, 1, 0, 0, 0), 12), "19991201-000000-12.dat");
}

TEST(ReadBackup, HoldsTheImageInTheDataFileLayoutAndNeverOverwrites) {
    TempFolder dir;
    Logged l;
    ByteImage image;
    for (int a = 0; a < image.size(); ++a) image[a] = test::PatternByte(a);
    const std::time_t t = Stamp(2024, 5, 6, 7, 8, 9);
    const auto folder = dir / "Data" / "backups";  // made when missing

    const auto first = SaveReadBackup(folder, image, l.log, t);
    EXPECT_EQ(first, folder / "20240506-070809.dat");
    EXPECT_EQ(FileBytes(first), ImageToFileBytes(image));

    // The same second again: a new name, the first backup untouched.
    ByteImage other = image;
    other[0x0100] ^= 0xFF;
    const auto second = SaveReadBackup(folder, other, l.log, t);
    EXPECT_EQ(second, folder / "20240506-070809-2.dat");
    EXPECT_EQ(FileBytes(first), ImageToFileBytes(image));
    EXPECT_EQ(FileBytes(second), ImageToFileBytes(other));
    EXPECT_EQ(SaveReadBackup(folder, other, l.log, t), folder / "20240506-070809-3.dat");
    // What Open refuses is no backup: each one opens.
    ByteImage opened;
    EXPECT_TRUE(OpenDatFile(second, opened, l.log));
    EXPECT_EQ(opened[0x0100], other[0x0100]);
    EXPECT_TRUE(l.sink.lines.empty());
}

TEST(ReadBackup, KeepsTheNewestFiftyAndLeavesOtherFilesAlone) {
    TempFolder dir;
    Logged l;
    const auto folder = dir / "backups";
    std::filesystem::create_directories(folder);
    // 55 older backups, two of them in one second, and files that are no backups.
    for (int i = 0; i < 54; ++i)
        Touch(folder / BackupFileName(Time(2023, 3, 1 + i / 24, i % 24, 0, 0), 1));
    Touch(folder / "20230301-000000-2.dat");
    Touch(folder / "notes.txt");
    Touch(folder / "20230301-000000-x.dat");
    Touch(folder / "mine.dat");

    const auto written = SaveReadBackup(folder, ByteImage(), l.log, Stamp(2024, 1, 1, 12, 0, 0));
    ASSERT_FALSE(written.empty());
    int backups = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        backups += e.path().filename().string().starts_with("202") &&
                   e.path().filename().string() != "20230301-000000-x.dat";
    EXPECT_EQ(backups, kBackupsKept);
    EXPECT_TRUE(std::filesystem::exists(written));
    // The six oldest went, oldest first: 00:00 and its "-2", then 01:00 .. 04:00.
    EXPECT_FALSE(std::filesystem::exists(folder / "20230301-000000.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder / "20230301-000000-2.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder / "20230301-040000.dat"));
    EXPECT_TRUE(std::filesystem::exists(folder / "20230301-050000.dat"));
    for (const char* kept : {"notes.txt", "20230301-000000-x.dat", "mine.dat"})
        EXPECT_TRUE(std::filesystem::exists(folder / kept)) << kept;

    // A clock put back behind every kept backup: the new one stays all the same.
    const auto early = SaveReadBackup(folder, ByteImage(), l.log, Stamp(2020, 1, 1, 0, 0, 0));
    EXPECT_TRUE(std::filesystem::exists(early));
    EXPECT_TRUE(l.sink.lines.empty());
}

TEST(ReadBackup, ABackupThatCannotBeWrittenIsLoggedAndNamesNoFile) {
    TempFolder dir;
    Logged l;
    Touch(dir / "backups");  // a file where the folder should be
    EXPECT_TRUE(SaveReadBackup(dir / "backups", ByteImage(), l.log, 0).empty());
    ASSERT_EQ(l.locations().size(), 1u);
    EXPECT_EQ(l.locations()[0], "frmCommun->SaveReadBackup");
}

}  // namespace
}  // namespace tarvos

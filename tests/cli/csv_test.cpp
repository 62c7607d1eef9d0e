// tarvos-cli csv, run as a user would: an export read back into the same file changes no
// byte, a hand-written list with rows the radio cannot hold, and the files that are no list.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "cli_run.h"

namespace tarvos::cli::test {
namespace {

TEST(CliCsv, AnExportReadBackChangesNoByte) {
    QTemporaryDir dir;
    const CliRun exported = Cli({"csv", "export", kDefaults});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
    EXPECT_FALSE(exported.out.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(exported.out.endsWith("\r\n"));
    EXPECT_EQ(exported.out.count('\n'), exported.out.count("\r\n"));

    const QString list = dir.filePath("list.csv");
    ASSERT_EQ(Cli({"csv", "export", kDefaults, "--out", list}).code, 0);
    EXPECT_EQ(ReadAll(list), exported.out);

    // The same file saved without the import, as File > Save saves it.
    const QString plain = dir.filePath("plain.dat"), back = dir.filePath("back.dat");
    ASSERT_EQ(Cli({"set", kDefaults, "--out", plain}).code, 0);
    const CliRun imported = Cli({"csv", "import", list, "--in", kDefaults, "--out", back});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(ReadAll(back), ReadAll(plain));
}

TEST(CliCsv, RowsTheRadioCannotHoldAreNamed) {
    QTemporaryDir dir;
    const QString list = dir.filePath("list.csv"), out = dir.filePath("out.dat");
    Write(list,
          "location,frequency,tone,rtonefreq\n"
          "1,438.5,Tone,88.50\n"
          "17,438.5,,\n"
          "2,438.5,Tone,60.0\n");
    const CliRun r = Cli({"csv", "import", list, "--in", kDefaults, "--out", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("location 17")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("location 2")) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 2);
    const QByteArray saved = ReadAll(out);
    ASSERT_EQ(saved.size(), 1040);
    // Channel 1 at file offset 0x20: 438.50000 MHz, encode tone 88.5 Hz (885 = 0x0375).
    EXPECT_EQ(static_cast<uint8_t>(saved[0x20 + 3]), 0x43);
    EXPECT_EQ(static_cast<uint8_t>(saved[0x20 + 10]), 0x75);
    EXPECT_EQ(static_cast<uint8_t>(saved[0x20 + 11]), 0x03);
}

TEST(CliCsv, FilesThatAreNoListOrNoDataFile) {
    QTemporaryDir dir;
    const QString notList = dir.filePath("x.csv"), out = dir.filePath("out.dat");
    Write(notList, "Name,Comment\nx,y\n");
    EXPECT_EQ(Cli({"csv", "import", notList, "--in", kDefaults, "--out", out}).code, 2);
    EXPECT_FALSE(QFile::exists(out));
    const QString shortFile = dir.filePath("short.dat");
    Write(shortFile, QByteArray(100, '\0'));
    EXPECT_EQ(Cli({"csv", "export", shortFile}).code, 2);
    EXPECT_EQ(Cli({"csv", "import", notList, "--in", shortFile, "--out", out}).code, 2);
    EXPECT_EQ(Cli({"csv"}).code, 2);
    EXPECT_EQ(Cli({"csv", "export"}).code, 2);
}

}  // namespace
}  // namespace tarvos::cli::test

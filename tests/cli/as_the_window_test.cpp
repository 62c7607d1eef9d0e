// tarvos-cli set saves as the window's File > Save does: the channel table is encoded into
// the image first, so a record the editors would rewrite is rewritten here too.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
const QString kDefaults = QStringLiteral(TARVOS_BINARY_DIR "/data/DefRadioSet.def");

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

TEST(CliSet, SavesTheChannelTableAsSaveDoes) {
    QTemporaryDir dir;
    QByteArray file = ReadAll(kDefaults);
    ASSERT_EQ(file.size(), 1040);
    // Channel 1 (file offset 0x20) is in use; its byte 12 holds "11" in the two-bit fields of
    // options 11 and 15, which decode as 0 and are written back as 00.
    ASSERT_GE(static_cast<uint8_t>(file[0x20 + 3]), 0x01);
    ASSERT_LE(static_cast<uint8_t>(file[0x20 + 3]), 0x99);
    file[0x20 + 12] = static_cast<char>(0x66);
    const QString in = dir.filePath("in.dat"), out = dir.filePath("out.dat");
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();

    QProcess p;
    p.start(kCli, {"set", in, "--out", out, "cboTot=3"});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QByteArray saved = ReadAll(out);
    ASSERT_EQ(saved.size(), 1040);
    EXPECT_EQ(static_cast<uint8_t>(saved[0x20 + 12]) & 0x66, 0);
    EXPECT_EQ(static_cast<uint8_t>(saved[0x0130 + 0x10]), 3);  // cboTot
}

}  // namespace

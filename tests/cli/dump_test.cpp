// tarvos-cli dump, run as a user would: golden output for the shipped images, a hand-made
// file, the error paths, and the file left untouched.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "base/error_log.h"
#include "memory/band.h"
#include "memory/channel_codec.h"
#include "memory/data_file.h"

namespace {

const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
const QString kData = QStringLiteral(TARVOS_BINARY_DIR "/data/");
const QString kGolden = QStringLiteral(TARVOS_SOURCE_DIR "/tests/cli/golden/");

struct CliRun {
    int exitCode = -1;
    QByteArray out, err;
};

CliRun Dump(const QStringList& args) {
    QProcess p;
    p.start(kCli, QStringList{"dump"} + args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QJsonObject Parse(const QByteArray& json) {
    QJsonParseError error;
    auto doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

// The members this command owns; the function settings that follow them are checked by
// their own tests.
QJsonObject MemoryPart(const QJsonObject& o) {
    QJsonObject part;
    for (const char* key : {"model", "band", "channels"}) part[key] = o[key];
    return part;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

TEST(Dump, ShippedImagesMatchTheirGoldenOutput) {
    for (const char* name : {"dhcpqec", "DefRadioSet"}) {
        const QString file = kData + name + ".def";
        const QByteArray before = ReadAll(file);
        const CliRun run = Dump({file});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
        const QJsonObject out = Parse(run.out);
        const QJsonObject golden = Parse(ReadAll(kGolden + name + ".json"));
        EXPECT_EQ(MemoryPart(out), golden) << name << "\n" << run.out.toStdString();
        // The output starts with the documented members, in order.
        EXPECT_TRUE(run.out.startsWith("{\n  \"model\": 0,\n  \"band\": {\"low\": "));
        EXPECT_EQ(ReadAll(file), before);
    }
}

// The whole output, byte for byte: other programs read it as it stands.
TEST(Dump, WholeOutputStaysByteForByte) {
    for (const char* name : {"dhcpqec", "DefRadioSet"}) {
        const CliRun run = Dump({kData + name + ".def"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, ReadAll(kGolden + name + ".whole.json")) << name;
    }
}

// A hand-made file: a used channel with every option set, a receive frequency that is not
// BCD, an inverted DCS tone, a channel without transmit frequency, and band bytes that are
// refused (40 MHz low) - the dump shows the corrected band and leaves the file alone.
TEST(Dump, HandMadeFile) {
    QTemporaryDir dir;
    std::vector<uint8_t> file(tarvos::kDataFileSize, 0xFF);
    auto rec = [&](int n, std::vector<uint8_t> bytes) {
        for (size_t i = 0; i < bytes.size(); ++i) file[16 * n + 16 + i] = bytes[i];
    };
    rec(1, {0x00, 0x25, 0x61, 0x44, 0x50, 0x37, 0x61, 0x44, 0x9E, 0x02, 0xEC, 0xA9, 0x7F, 0xF0,
            0xF1, 0xF7});
    rec(2, {0x00, 0x2A, 0x61, 0x44, 0xFF, 0xFF, 0xFF, 0xFF, 0x57, 0x02, 0x13, 0x28, 0x00, 0x00,
            0x00, 0x00});
    rec(3, {0x00, 0x00, 0x00, 0x00});  // byte 3 = 00: empty
    file[0x017E + 16] = 0x01;          // scan: channel 1
    file[0x017F + 16] = 0x00;
    file[0x0379 + 16] = 0x02;
    const uint8_t band[] = {0x04, 0x00, 0x48, 0x00};
    for (int i = 0; i < 4; ++i) file[0x037A + 16 + i] = band[i];
    const QString path = dir.filePath("hand.dat");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(file.data()), static_cast<qint64>(file.size()));
    }
    const CliRun run = Dump({path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject out = Parse(run.out);
    EXPECT_EQ(out["model"].toInt(), 2);
    EXPECT_EQ(out["band"].toObject(),
              (QJsonObject{{"low", 40000000}, {"high", 48000000}, {"index", 8}}));
    const QJsonArray channels = out["channels"].toArray();
    ASSERT_EQ(channels.size(), 16);
    const QJsonObject expected1 = Parse(
        R"({"channel": 1, "rx": 44612500, "tx": 44613750, "decode": "67.0", "encode": "D754I",
            "fields": {"5": 1, "6": 1, "7": 1, "8": 0, "9": 1, "10": 3, "11": 0, "12": 7,
                       "13": 15, "14": 15, "15": 0}})");
    // Byte 12 = 7F: both busy-lockout bits (and both bits of options 11 and 15) set read as 0.
    EXPECT_EQ(channels[0].toObject(), expected1) << run.out.toStdString();
    const QJsonObject expected2 = Parse(
        R"({"channel": 2, "rx": 12000000, "tx": null, "decode": "None", "encode": null,
            "fields": {"5": 0, "6": 0, "7": 0, "8": 0, "9": 0, "10": 0, "11": 0, "12": 0,
                       "13": 0, "14": 0, "15": 0}})");
    EXPECT_EQ(channels[1].toObject(), expected2);
    for (int n = 3; n <= 16; ++n)
        EXPECT_EQ(channels[n - 1].toObject(), (QJsonObject{{"channel", n}, {"rx", QJsonValue()}}));
    EXPECT_EQ(ReadAll(path), QByteArray(reinterpret_cast<const char*>(file.data()),
                                        static_cast<qsizetype>(file.size())));
}

// A file saved by the codec dumps as the table it was saved from.
TEST(Dump, FileSavedByTheCodec) {
    using namespace tarvos;
    QTemporaryDir dir;
    RecordingSink sink;
    ErrorLog log(&sink);
    ByteImage image, temp;
    ASSERT_TRUE(InitTempArray((kData + "dhcpqec.def").toStdString(), image, temp, log));
    ChannelTable chInfo;
    ToneTexts toneText;
    ChannelLayout layout;
    layout.columnCount = 0;
    ToneList tones(3);
    ChannelCodec codec(image, temp, chInfo, toneText, layout, tones, log);
    codec.IicDatToChInfo();
    chInfo(5, chf::RxFre) = 13612500;
    chInfo(5, chf::TxFre) = 13700000;
    toneText.decode(5) = "D023N";
    toneText.encode(5) = "None";
    chInfo(5, chf::BusyLock) = 2;
    WriteBandLimits(image, 13600000, 17400000);
    const std::string path = dir.filePath("saved.dat").toStdString();
    ASSERT_TRUE(SaveDatFile(path, image, log, &codec));
    const QJsonObject out = Parse(Dump({QString::fromStdString(path)}).out);
    EXPECT_EQ(out["band"].toObject()["index"].toInt(), 1);
    const QJsonObject ch5 = out["channels"].toArray()[4].toObject();
    EXPECT_EQ(ch5["rx"].toInt(), 13612500);
    EXPECT_EQ(ch5["tx"].toInt(), 13700000);
    EXPECT_EQ(ch5["decode"].toString(), "D023N");
    EXPECT_EQ(ch5["encode"].toString(), "None");
    EXPECT_EQ(ch5["fields"].toObject()["8"].toInt(), 2);
}

// Files that are no data file: one line on standard error, exit code 2, nothing on
// standard output.
TEST(Dump, Errors) {
    QTemporaryDir dir;
    QFile shortFile(dir.filePath("short.dat"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(1039, '\0'));
    shortFile.close();
    const QStringList cases[] = {
        {dir.filePath("missing.dat")}, {dir.filePath("short.dat")}, {dir.path()}, {}, {"a", "b"}};
    for (const auto& args : cases) {
        const CliRun run = Dump(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
    EXPECT_EQ(QFile(dir.filePath("short.dat")).size(), 1039);
}

}  // namespace

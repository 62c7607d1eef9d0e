// tarvos-cli diff, run as a user would: a file against itself and its Save, every kind of
// difference in the JSON shape other programs read, the lines in the window's words, and the
// ways it refuses.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli_run.h"

namespace {

using namespace tarvos::cli::test;

// Image byte addr of a data file (the file holds 0x0010.. sixteen bytes further on).
void Poke(QByteArray& file, int addr, int value) {
    file[addr < 0x10 ? addr : addr + 0x10] = static_cast<char>(value);
}

class CliDiff : public ::testing::Test {
  protected:
    QString file(const char* name) { return dir.filePath(name); }
    // Saved by the window's Save through tarvos-cli set, with the assignments given.
    void saveAs(const QString& in, const char* out, QStringList assignments = {}) {
        const CliRun r = Cli(QStringList{"set", in, "--out", file(out)} + assignments);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
    }
    QTemporaryDir dir;
};

TEST_F(CliDiff, AFileAgainstItselfAndItsSaveHasNoDifference) {
    // A file the open corrects: a time-out beyond its list, no identification block.
    QByteArray bytes = ReadAll(kDefaults);
    Poke(bytes, 0x0130, 200);
    for (int a = 0x01B8; a < 0x01C0; ++a) Poke(bytes, a, 0);
    Write(file("a.dat"), bytes);
    saveAs(file("a.dat"), "saved.dat");
    ASSERT_NE(ReadAll(file("a.dat")), ReadAll(file("saved.dat")));
    for (const QString& other : {file("a.dat"), file("saved.dat")}) {
        const CliRun text = Cli({"diff", file("a.dat"), other});
        EXPECT_EQ(text.code, 0) << text.out.toStdString();
        EXPECT_TRUE(text.out.isEmpty());
        const CliRun json = Cli({"diff", "--json", file("a.dat"), other});
        EXPECT_EQ(json.code, 0);
        EXPECT_EQ(json.out, "{\"same\": true, \"differences\": []}\n");
    }
}

TEST_F(CliDiff, EveryKindOfDifferenceInOrderAsJsonAndAsLines) {
    saveAs(kDefaults, "old.dat", {"twoTone(2).aFre=1000"});
    saveAs(file("old.dat"), "new.dat", {"twoTone(2).aFre=1200", "cboTot=3", "txtRdWrCode=123"});
    QByteArray bytes = ReadAll(file("new.dat"));
    Poke(bytes, 0x0379, 1);
    const int band[] = {0x13, 0x60, 0x17, 0x40};
    for (int i = 0; i < 4; ++i) Poke(bytes, 0x037A + i, band[i]);
    const int rx[] = {0x50, 0x37, 0x61, 0x44};  // channel 3: 446.1375 MHz
    for (int i = 0; i < 4; ++i) Poke(bytes, 0x0030 + i, rx[i]);
    Poke(bytes, 0x01A1, 70);
    for (int i = 0; i < 4; ++i) Poke(bytes, 0x0190 + i, i + 1);
    Write(file("new.dat"), bytes);

    const CliRun json = Cli({"diff", file("old.dat"), file("new.dat"), "--json", "--lang", "1"});
    ASSERT_EQ(json.code, 1) << json.err.toStdString();
    const QJsonDocument parsed = QJsonDocument::fromJson(json.out);
    ASSERT_TRUE(parsed.isObject()) << json.out.toStdString();
    const QJsonDocument expected = QJsonDocument::fromJson(R"({"same": false, "differences": [
        {"kind": "model", "old": 0, "new": 1},
        {"kind": "band", "old": {"low": 40000000, "high": 52000000, "index": 12},
                         "new": {"low": 13600000, "high": 17400000, "index": 1}},
        {"kind": "channel", "channel": 3, "field": "rx", "old": 42000000, "new": 44613750},
        {"kind": "setting", "name": "cboTot", "old": 4, "new": 3},
        {"kind": "twoTone", "entry": 2, "field": "aFre", "old": "1000.0", "new": "1200.0"},
        {"kind": "volume", "field": "codes", "old": [0, 69, 148, 120, 227, 79, 185, 156, 173, 175,
         253], "new": [0, 70, 148, 120, 227, 79, 185, 156, 173, 175, 253]},
        {"kind": "rdWrCode", "old": "none", "new": "set"},
        {"kind": "bytes", "start": "0190", "end": "0193", "old": "FF FF FF FF",
         "new": "01 02 03 04"}]})");
    EXPECT_EQ(parsed, expected) << json.out.toStdString();

    const CliRun english = Cli({"diff", file("old.dat"), file("new.dat")});
    EXPECT_EQ(english.code, 1);
    const QList<QByteArray> lines = english.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 8) << english.out.toStdString();
    EXPECT_EQ(lines[2], "CH 3  Rx Freq.: 420.00000 -> 446.13750");
    EXPECT_EQ(lines[3], "Time-out Timer[s]: 60s -> 45s");
    EXPECT_EQ(lines[7], "0190-0193: FF FF FF FF -> 01 02 03 04");
    const CliRun traditional = Cli({"diff", "--lang", "2", file("old.dat"), file("new.dat")});
    EXPECT_TRUE(traditional.out.contains(QString::fromUtf8("信道 3  接收頻率: ").toUtf8()))
        << traditional.out.toStdString();
    EXPECT_TRUE(traditional.out.contains(QString::fromUtf8("讀寫密碼: 無 -> 已設置").toUtf8()));
}

TEST_F(CliDiff, TroubleIsExitCodeTwoAndOneLine) {
    Write(file("short.dat"), QByteArray(1039, '\0'));
    const QStringList cases[] = {
        {kDefaults, file("missing.dat")},      {file("short.dat"), kDefaults},
        {kDefaults, kDefaults, "--lang", "4"}, {kDefaults, kDefaults, "--lang"},
        {kDefaults, kDefaults, "--html"},      {kDefaults},
        {kDefaults, kDefaults, kDefaults}};
    for (const QStringList& args : cases) {
        const CliRun r = Cli(QStringList{"diff"} + args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

}  // namespace

// tarvos-cli edit plays the channel window's gestures on a data file: the same gestures on
// the document give the same bytes, and a bad action writes nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "document/auto_input.h"
#include "document/channel_clipboard.h"
#include "document/channel_editor.h"
#include "document/channel_moves.h"
#include "document/document_fixture.h"
#include "document/memory_editor.h"

namespace tarvos::test {
namespace {

const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");
const QString kDefaults = QStringLiteral(TARVOS_BINARY_DIR "/data/DefRadioSet.def");

struct CliRun {
    int exitCode = -1;
    QByteArray err;
};

CliRun Edit(const QStringList& args) {
    QProcess p;
    p.start(kCli, QStringList{"edit"} + args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), p.readAllStandardError()};
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(CliEdit, GivesTheBytesOfTheSameGesturesOnTheDocument) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.dat");
    const QStringList actions = {"type:3:1=145",     "tone:1:3=023i", "tone:2:4=d023",
                                 "pick:2:5=0",       "dblclick:4:7",  "dblclick:13:2",
                                 "delete:5",         "type:6:2=",     "type:7:9=On",
                                 "auto.start=8",     "auto.end=12",   "auto.rxfirst=440",
                                 "auto.rxstep=12.5", "auto:rx",       "auto:tone",
                                 "auto.bcl=carrier", "auto:bcl",      "auto.txeqrx=false",
                                 "auto.txfirst=460", "auto:tx",       "lock",
                                 "type:1:1=450",     "deleteall"};
    const CliRun run = Edit(QStringList{kDefaults, "--out", out, "--seed", "42"} + actions);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    StartedDocument s;
    ASSERT_TRUE(s.doc.OpenFile(kDefaults.toStdString()));
    ChannelEditor& e = s.doc.channelEditor();
    AutoInput a(e, 42);
    auto type = [&](int r, int c, const std::string& text, int chosen = -1) {
        if (!e.BeforeEdit(r, c).cancel) e.AfterEdit(r, c, text, chosen);
    };
    auto tone = [&](int r, int c, const std::string& text) {
        e.Click(r, c);
        e.SetToneBoxText(text);
        e.LeaveToneBox();
    };
    auto dblclick = [&](int r, int c) {
        e.Click(r, c);
        e.DblClick(e.current().row, e.current().col);
    };
    type(3, 1, "145");
    tone(1, 3, "023i");
    tone(2, 4, "d023");
    type(2, 5, "Low", 0);
    dblclick(4, 7);
    dblclick(13, 2);
    e.DeleteOne(5);
    type(6, 2, "");
    type(7, 9, "On", 1);
    a.controls.start = 8;
    a.controls.end = 12;
    a.controls.rxFirst = "440";
    a.LeaveBox(0);
    a.controls.rxStep = "12.5";
    a.LeaveBox(1);
    a.Set(0);
    a.Set(2);
    a.controls.busyLock = 1;
    a.Set(6);
    a.SetTxEqRx(false);
    a.controls.txFirst = "460";
    a.LeaveBox(2);
    a.Set(1);
    e.SetLocked(true);
    type(1, 1, "450");
    e.DeleteAll();
    ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "doc.dat"));

    const QByteArray cli = ReadAll(out);
    const std::vector<uint8_t> doc = FileBytes(s.folder / "doc.dat");
    ASSERT_EQ(cli.size(), 1040);
    EXPECT_EQ(std::vector<uint8_t>(cli.begin(), cli.end()), doc);
    // The gestures did change the file.
    EXPECT_NE(cli, ReadAll(kDefaults));
}

// Copy, paste, text from outside and swaps: the same functions on the document give the same
// bytes, and rows pasted past the last channel are said to be left out.
TEST(CliEdit, RowCommandsGiveTheBytesOfTheSameCommandsOnTheDocument) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.dat");
    const QString text = "440.0125\\t441\\tD023\\t\\tLow\\nx\\\\y\\t\\n\\t\\t\\t\\tHigh";
    const CliRun run = Edit({kDefaults, "--out", out, "dblclick:3:7", "copy:2-5", "paste:14",
                             "pastetext:6=" + text, "swap:1:9", "copy:16-16", "paste:5"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("paste:14: 1 row(s) past the last channel left out"))
        << run.err.toStdString();

    StartedDocument s;
    ASSERT_TRUE(s.doc.OpenFile(kDefaults.toStdString()));
    ChannelEditor& e = s.doc.channelEditor();
    e.Click(3, 7);
    e.DblClick(3, 7);
    PasteChannels(e, 14, CopyChannels(e, RowRange(2, 5)));
    PasteText(e, 6, "440.0125\t441\tD023\t\tLow\nx\\y\t\n\t\t\t\tHigh");
    SwapChannels(e, 1, 9);
    PasteChannels(e, 5, CopyChannels(e, {16}));
    ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "doc.dat"));

    const QByteArray cli = ReadAll(out);
    ASSERT_EQ(cli.size(), 1040);
    EXPECT_EQ(std::vector<uint8_t>(cli.begin(), cli.end()), FileBytes(s.folder / "doc.dat"));
    EXPECT_EQ(cli.mid(0x10 + 16 * 14, 16), cli.mid(0x10 + 16 * 2, 16));  // file offset 16 n + 16
}

// The memory view's gestures: the view is refreshed once after the open, then each action is
// played on it as on the document.
TEST(CliEdit, MemoryViewGesturesGiveTheBytesOfTheSameGesturesOnTheDocument) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.dat");
    const CliRun run =
        Edit({kDefaults, "--out", out, "--verbose", "type:2:2=", "hex:0011=12", "hex:0200=a",
              "hex:0201=1FF", "hex:0130=30", "fill:D:12:0005:0009", "fill:B:101:0300:0302",
              "fill:H:300:0310:0311", "fill:H:FFFF:0312:0313", "fill:D:abc:0:1",
              "fill:H:00:0020:0005", "fill:H:1:0:0410", "type:3:2=", "refresh", "hex:0022=61"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The refusals are logged (shown with --verbose) and change nothing; a fill value past
    // 32767 is B_To_D's overflow, logged there, and fills FF.
    EXPECT_TRUE(run.err.contains("frmMemDat->GridDataTemp")) << run.err.toStdString();
    EXPECT_EQ(run.err.count("frmPartFill->cmdFillData_Click"), 2) << run.err.toStdString();
    EXPECT_EQ(run.err.count("frmMemDat->B_To_D"), 1) << run.err.toStdString();

    StartedDocument s;
    ASSERT_TRUE(s.doc.OpenFile(kDefaults.toStdString()));
    ChannelEditor& e = s.doc.channelEditor();
    MemoryEditor m(s.doc, 0x03FF);
    m.TableFreDat(0x03FF);
    auto type = [&](int r, int c, const std::string& text) {
        if (!e.BeforeEdit(r, c).cancel) e.AfterEdit(r, c, text);
    };
    type(2, 2, "");
    m.AfterEdit(0x0011, "12");
    m.AfterEdit(0x0200, "a");
    m.AfterEdit(0x0201, "1FF");
    m.AfterEdit(0x0130, "30");
    m.PartFill({FillBase::Decimal, "12", "0005", "0009"});
    m.PartFill({FillBase::Binary, "101", "0300", "0302"});
    m.PartFill({FillBase::Hex, "300", "0310", "0311"});
    m.PartFill({FillBase::Hex, "FFFF", "0312", "0313"});
    m.PartFill({FillBase::Decimal, "abc", "0", "1"});
    m.PartFill({FillBase::Hex, "00", "0020", "0005"});
    m.PartFill({FillBase::Hex, "1", "0", "0410"});
    type(3, 2, "");
    m.FillGrid(0x03FF);
    m.AfterEdit(0x0022, "61");
    ASSERT_TRUE(s.doc.SaveAsFile(s.folder / "doc.dat"));

    const QByteArray cli = ReadAll(out);
    ASSERT_EQ(cli.size(), 1040);
    EXPECT_EQ(std::vector<uint8_t>(cli.begin(), cli.end()), FileBytes(s.folder / "doc.dat"));
    EXPECT_EQ(static_cast<uint8_t>(cli[0x0210]), 0x0A);  // image byte 0200 at file offset 0210
    EXPECT_EQ(static_cast<uint8_t>(cli[0x0322]), 0xFF);  // image byte 0312, filled from FFFF
}

TEST(CliEdit, ABadActionIsNamedAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.dat");
    const char* bad[] = {"frobnicate",      "type:17:1=440",    "type:1:11=x",     "type:0:1=440",
                         "type:1:1",        "pick:1:5=2",       "pick:1:1=0",      "pick:1:5=x",
                         "tone:1:2=023",    "delete:x",         "dblclick:1",      "auto.start=17",
                         "auto.power=max",  "auto.tonestep=26", "auto.random=yes", "auto:frob",
                         "auto.colour=red", "auto.target=all",  "lock:1",          "deleteall=1",
                         "hex:0400=1",      "hex:zz=1",         "hex:0010",        "hex:=1",
                         "fill:X:1:0:1",    "fill:H:1:0",       "fill:H:1:0:1=2",  "refresh=1",
                         "paste:3",         "copy:4-2",         "copy:4",          "copy:1-17",
                         "swap:1",          "swap:1:17",        "pastetext:17=1",  "pastetext:1"};
    for (const char* action : bad) {
        const CliRun run = Edit({kDefaults, "--out", out, "type:2:1=440", action});
        EXPECT_EQ(run.exitCode, 2) << action;
        EXPECT_EQ(run.err.count('\n'), 1) << action << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(action)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << action;
    }
    EXPECT_EQ(Edit({kDefaults, "--out", out, "--lang", "4"}).exitCode, 2);
    EXPECT_EQ(Edit({kDefaults, "type:1:1=440"}).exitCode, 2);
    EXPECT_EQ(Edit({dir.filePath("missing.dat"), "--out", out}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(out));
}

// The language picks the layout: the Simplified Chinese none text is stored as no tone.
TEST(CliEdit, TheLanguageGivesTheLayoutAndTheTones) {
    QTemporaryDir dir;
    const QString chs = dir.filePath("chs.dat"), eng = dir.filePath("eng.dat");
    ASSERT_EQ(Edit({kDefaults, "--out", chs, "--lang", "1", "tone:1:3=无", "pick:1:6=0"}).exitCode,
              0);
    ASSERT_EQ(Edit({kDefaults, "--out", eng, "tone:1:3=None", "pick:1:6=0"}).exitCode, 0);
    EXPECT_EQ(ReadAll(chs), ReadAll(eng));
    const QByteArray bytes = ReadAll(eng);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0x20 + 8]), 0xFF);  // channel 1 decode tone: none
}

}  // namespace
}  // namespace tarvos::test

// The window's side of the transfer checks, against the in-process virtual radio: a range the
// settings file makes impossible is refused before anything is sent, and Settings > "Check
// each read" reads twice, settles a garbled byte as tarvos-cli read --check does, and names
// the bytes no two reads agree on.

#include <QFile>
#include <QMenu>
#include <QProcess>

#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class TransferChecksTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        defaultsRadio();
    }
    long readsOf(const char* addr) {
        const std::string s = std::string("53 ") + addr + " 10",
                          r = std::string("52 ") + addr + " 10";
        return std::count(radio.journal.begin(), radio.journal.end(), s) +
               std::count(radio.journal.begin(), radio.journal.end(), r);
    }
    static QByteArray FileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(TransferChecksTest, AReversedRangeFromTheSettingsFileIsRefusedBeforeAnythingIsSent) {
    settled();
    for (const char* key : {"ReadStartAddr", "WriteStartAddr"}) setting(key, "0300");
    for (const char* key : {"ReadEndAddr", "WriteEndAddr"}) setting(key, "0100");
    setting("VerifyWrite", "1");
    start();
    window->StartRead();
    EXPECT_EQ(window->statusText(1), "Read Failed");
    EXPECT_TRUE(
        host.told.contains("Read range 0300-0100 is reversed: its start lies above its end."))
        << host.told.join("|").toStdString();
    EXPECT_TRUE(app->document.lastReadBackup().empty());

    window->OpenFile(path("DefRadioSet.def"));
    window->StartWrite();
    EXPECT_EQ(window->statusText(1), "Write Fail");  // and no verification
    EXPECT_TRUE(
        host.told.contains("Write range 0300-0100 is reversed: its start lies above its end."));
    EXPECT_TRUE(radio.journal.empty());
}

// The byte the radio sends 600th (a data byte of the first read) arrives inverted: the window
// and tarvos-cli read --check both read a third time and save what the radio holds; without
// the check the command line saves the inverted byte.
TEST_F(TransferChecksTest, CheckEachReadSettlesAGarbledByteAsTheCommandLineDoes) {
    settled();
    start();
    QAction* check = window->action("mnuVerifyRead");
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->isCheckable());
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(check->text(), "Check each &read");
    const QList<QAction*> menu =
        qobject_cast<QMenu*>(check->associatedObjects().value(0))->actions();
    EXPECT_EQ(menu.indexOf(check) + 1, menu.indexOf(window->action("mnuVerifyWrite")));
    check->trigger();
    EXPECT_EQ(readSetting("VerifyRead"), "1");

    line.faults.corruptByte = 600;
    window->StartRead();
    ASSERT_EQ(window->statusText(1), "Read Successful");
    EXPECT_EQ(readsOf("0100"), 3);  // the first two reads differed
    const QString backup = QString::fromStdString(app->document.lastReadBackup().string());
    const QByteArray windowRead = FileBytes(backup);
    ASSERT_EQ(windowRead.size(), 1040);
    for (int a = 0x0010; a < 0x0400; ++a)
        ASSERT_EQ(static_cast<uint8_t>(windowRead[a + 0x10]), radio.memory[static_cast<size_t>(a)])
            << a;

    // The same radio and fault on a pseudo-terminal, read from the command line.
    for (const bool checked : {true, false}) {
        SCOPED_TRACE(checked ? "read --check" : "read");
        QProcess sim;
        sim.start(kCli, {"simulate", "--image", path("DefRadioSet.def"), "--fault", "corrupt:600"});
        ASSERT_TRUE(sim.waitForReadyRead(30000));
        const QString port = QString::fromUtf8(sim.readLine()).trimmed();
        const QString out = path(checked ? "cli-checked.dat" : "cli.dat");
        QStringList args{"read", "--port", port, "--out", out};
        if (checked) args << "--check";
        QProcess cli;
        cli.start(kCli, args);
        ASSERT_TRUE(cli.waitForFinished(120000));
        sim.terminate();
        sim.waitForFinished(30000);
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        const QByteArray cliRead = FileBytes(out);
        ASSERT_EQ(cliRead.size(), 1040);
        int differing = 0;
        for (int i = 0; i < 1040; ++i) differing += cliRead[i] != windowRead[i];
        EXPECT_EQ(differing, checked ? 0 : 1);
    }
}

TEST_F(TransferChecksTest, ReadsThatNeverAgreeFailInTheInterfaceLanguage) {
    settled(1);
    setting("VerifyRead", "1");
    start();
    EXPECT_TRUE(window->action("mnuVerifyRead")->isChecked());
    EXPECT_EQ(window->action("mnuVerifyRead")->text(), QString::fromUtf8("读取时校验(&R)"));
    const ByteImage before = app->document.image();
    line.faults.weakCell = 0x0123;
    window->StartRead();
    EXPECT_EQ(window->statusText(1), ft(166));
    EXPECT_TRUE(host.told.contains(
        QString::fromUtf8("读取校验失败：三次读取在 1 个地址上互不一致：0123。未采用任何数据。")))
        << host.told.join("|").toStdString();
    EXPECT_TRUE(app->document.image() == before);
    EXPECT_TRUE(app->document.lastReadBackup().empty());
}

}  // namespace
}  // namespace tarvos::ui::test

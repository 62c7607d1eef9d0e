// What the window adds around a transfer: the backup of every read, and "Verify after write"
// reading the written areas back, against the in-process virtual radio.

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <filesystem>

#include "link/ui/comm_window.h"
#include "memory/read_backup.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class TransferExtrasTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        defaultsRadio();
    }

    std::vector<std::filesystem::path> backups() {
        std::vector<std::filesystem::path> found;
        const std::filesystem::path folder = path("Data/backups").toStdString();
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(folder, ec))
            found.push_back(e.path());
        std::sort(found.begin(), found.end());
        return found;
    }

    // Runs action on the second communication window that opens (the verification's).
    void onSecondWindow(std::function<void(CommWindow*)> action) {
        windowsSeen = 0;
        seen = nullptr;
        watch = [this, action] {
            auto* w = qobject_cast<CommWindow*>(QApplication::activeModalWidget());
            if (w && w != seen) {
                seen = w;
                if (++windowsSeen == 2) {
                    action(w);
                    return;
                }
            }
            QTimer::singleShot(0, watch);
        };
        QTimer::singleShot(0, watch);
    }

    int windowsSeen = 0;
    QPointer<CommWindow> seen;
    std::function<void()> watch;
};

TEST_F(TransferExtrasTest, EveryReadLeavesABackupOfWhatTheRadioSent) {
    start();
    // A radio without the identification block: the channel window writes it in afterwards.
    for (int a = 0x01B8; a < 0x01C0; ++a) radio.memory[static_cast<size_t>(a)] = 0;
    window->StartRead();
    window->StartRead();
    ASSERT_EQ(window->statusText(1), "Read Successful");
    const auto files = backups();
    ASSERT_EQ(files.size(), 2u);  // two reads within a second, or not: two backups
    ByteImage saved;
    RecordingSink s;
    ErrorLog log(&s);
    const std::filesystem::path last = app->document.lastReadBackup();
    ASSERT_NE(std::find(files.begin(), files.end(), last), files.end());
    ASSERT_TRUE(OpenDatFile(last, saved, log));
    for (int a = 0x0010; a < 0x0400; ++a) {
        if (a >= 0x0360 && a < 0x0370) continue;  // may take the 0x0260 copy
        ASSERT_EQ(saved.at(a), radio.memory[static_cast<size_t>(a)]) << a;
    }
    EXPECT_EQ(app->document.image().at(0x01B8), 'K');
}

TEST_F(TransferExtrasTest, VerifyAfterWriteIsOffUntilTickedAndThenReadsTheWriteBack) {
    start();
    QAction* verify = window->action("mnuVerifyWrite");
    ASSERT_NE(verify, nullptr);
    EXPECT_TRUE(verify->isCheckable());
    EXPECT_FALSE(verify->isChecked());
    EXPECT_EQ(verify->text(), "&Verify after write");

    // A read of 0x0010 with the standard letter or, for this radio without the marker, the
    // alternative one.
    const auto readsBack = [this] {
        return std::count(radio.journal.begin(), radio.journal.end(), "52 0010 10") +
                   std::count(radio.journal.begin(), radio.journal.end(), "53 0010 10") >
               0;
    };
    window->OpenFile(path("DefRadioSet.def"));
    window->StartWrite();
    EXPECT_EQ(window->statusText(1), "Write Successful");
    EXPECT_FALSE(readsBack());

    verify->trigger();
    EXPECT_EQ(readSetting("VerifyWrite"), "1");
    radio.journal.clear();
    window->StartWrite();
    EXPECT_TRUE(readsBack());
    // Panel 1 says the verification's result; its tip has the write's as well.
    EXPECT_TRUE(window->statusText(1).startsWith("Verified: all "))
        << window->statusText(1).toStdString();
    EXPECT_TRUE(window->statusText(1).endsWith(" bytes match"));
    EXPECT_TRUE(window->findChild<QLabel*>("statusNotice")
                    ->toolTip()
                    .startsWith("Write Successful\nVerified: all "));
    ASSERT_FALSE(errors.lines.empty());
    EXPECT_TRUE(QString::fromStdString(errors.lines.back()).endsWith(" bytes match"));
    // The read-back left the document alone: no backup, the file kept.
    EXPECT_TRUE(backups().empty());
    EXPECT_EQ(app->document.currentFilePath(), path("DefRadioSet.def").toStdString());

    // The tick is remembered for the next start.
    verify->trigger();
    EXPECT_EQ(readSetting("VerifyWrite"), "0");
}

TEST_F(TransferExtrasTest, VerifyNamesTheBytesTheRadioDidNotKeepAndAFailedReadBack) {
    setting("VerifyWrite", "1");
    setting("Language", "1");
    start();
    EXPECT_TRUE(window->action("mnuVerifyWrite")->isChecked());
    EXPECT_EQ(window->action("mnuVerifyWrite")->text(), QString::fromUtf8("写入后校验(&V)"));
    window->OpenFile(path("DefRadioSet.def"));

    // The radio loses two bytes of what was written before it is read back.
    onSecondWindow([this](CommWindow*) {
        radio.memory[0x0012] ^= 0x01;
        radio.memory[0x0345] ^= 0xFF;
    });
    window->StartWrite();
    const QString status = window->statusText(1);
    EXPECT_TRUE(status.startsWith(QString::fromUtf8("校验失败：")));
    EXPECT_TRUE(status.endsWith(QString::fromUtf8("2 个不一致，地址 0012、0345")))
        << status.toStdString();
    std::vector<std::string> tail(errors.lines.end() - 3, errors.lines.end());
    EXPECT_TRUE(QString::fromStdString(tail[0]).contains("0012")) << tail[0];
    EXPECT_TRUE(tail[1].starts_with("0012: wrote ")) << tail[1];
    EXPECT_TRUE(tail[2].starts_with("0345: wrote "));

    // A radio that no longer answers for the read-back: nothing compared, and said so.
    onSecondWindow([this](CommWindow* w) {
        line.faults.silent = true;
        CloseWhenDone(w, [w] { return w->ran(); });
    });
    window->StartWrite();
    EXPECT_TRUE(window->statusText(1).endsWith(QString::fromUtf8("读回不成功，无法比较")))
        << window->statusText(1).toStdString();
}

}  // namespace
}  // namespace tarvos::ui::test

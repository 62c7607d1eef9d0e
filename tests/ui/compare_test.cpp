// The comparison in the window: File > Compare with File…, Program > Compare with Radio and
// Settings > Show changes before writing, against the in-process virtual radio.

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>

#include "base/safe_save.h"
#include "compare/compare_window.h"
#include "compare/difference_list.h"
#include "compare/write_preview_dialog.h"
#include "functions/ui/function_pages.h"
#include "link/ui/comm_window.h"
#include "memory/read_backup.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

// Answers the question before a write whenever it is shown, and keeps what it showed.
struct PreviewAnswer : QObject {
    explicit PreviewAnswer(bool write) {
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, this, [this, write] {
            auto* d = qobject_cast<WritePreviewDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            ++shown;
            summary = d->summary();
            rows.clear();
            for (int i = 0; i < d->list()->topLevelItemCount(); ++i)
                rows << d->list()->rowTexts(i).join(" | ");
            (write ? d->writeButton() : d->cancelButton())->click();
        });
        timer.start();
    }
    QTimer timer;
    int shown = 0;
    QString summary;
    QStringList rows;
};

class CompareTest : public UiFixture {
  protected:
    // The defaults file with the time-out at 45 s and channel 3 at 446.1375 MHz.
    QString otherFile() {
        ByteImage image(kMinDatNum);
        RecordingSink s;
        ErrorLog log(&s);
        EXPECT_TRUE(OpenDatFile(path("DefRadioSet.def").toStdString(), image, log));
        image[0x0130] = 3;
        const uint8_t rx[] = {0x50, 0x37, 0x61, 0x44};
        for (int i = 0; i < 4; ++i) image[0x0030 + i] = rx[i];
        const QString file = path("other.dat");
        EXPECT_FALSE(SaveFileSafely(file.toStdString(), ImageToFileBytes(image)));
        return file;
    }
    CompareWindow* compareWindow() { return window->findChild<CompareWindow*>("frmCompare"); }
    QStringList rows(DifferenceList* list) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->rowTexts(i).join(" | ");
        return out;
    }
    // The addresses of the 16-byte blocks the radio was asked to read, and whether anything was
    // written to it.
    QStringList blocksRead() {
        QStringList out;
        static const QRegularExpression block("^5[23] ([0-9A-F]{4}) 10$");
        for (const std::string& e : radio.journal) {
            const auto m = block.match(QString::fromStdString(e));
            if (m.hasMatch()) out << m.captured(1);
        }
        return out;
    }
    bool anythingWritten() {
        for (const std::string& e : radio.journal)
            if (e.starts_with("57 ") || e.starts_with("58 ") || e.starts_with("75 ")) return true;
        return false;
    }
};

TEST_F(CompareTest, CompareWithFileListsWhatDiffersAsTheCommandLineDoesAndTouchesNothing) {
    settled();
    start();
    window->OpenFile(path("DefRadioSet.def"));
    const ByteImage before = app->document.image();
    QAction* compare = window->action("mnuCompareFile");
    ASSERT_NE(compare, nullptr);
    EXPECT_EQ(compare->text(), QString::fromUtf8("Co&mpare with File…"));

    host.openResult = path("other.dat");
    otherFile();
    compare->trigger();
    CompareWindow* w = compareWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->summary(), "2 differences.");
    const QStringList shown = rows(w->list());
    EXPECT_EQ(shown, (QStringList{"CH 3  Rx Freq. | 420.00000 | 446.13750",
                                  "Time-out Timer[s] | 60s | 45s"}));
    EXPECT_EQ(w->list()->headerItem()->text(1), "This document");
    EXPECT_EQ(app->document.image(), before);
    EXPECT_FALSE(app->document.modified());
    EXPECT_EQ(app->currentFilePath(), path("DefRadioSet.def"));

    // tarvos-cli diff of the same two files says the same.
    QProcess cli;
    cli.start(kCli, {"diff", path("DefRadioSet.def"), path("other.dat")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    QStringList lines;
    for (const QString& row : shown) {
        const QStringList parts = row.split(" | ");
        lines << parts[0] + ": " + parts[1] + " -> " + parts[2];
    }
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardOutput()).trimmed(), lines.join('\n'));

    // Double-clicks bring the channel's cell and the setting's control into view.
    QTabWidget* tabs = channels().setModeTabs();
    tabs->setCurrentIndex(1);
    emit w->list()->itemDoubleClicked(w->list()->topLevelItem(0), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(channels().grid()->row(), 3);
    EXPECT_EQ(channels().grid()->col(), 1);
    emit w->list()->itemDoubleClicked(w->list()->topLevelItem(1), 0);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(window->functionPages()->control("cboTot")->isVisibleTo(tabs));

    // Cancelling the file dialog shows nothing new; another comparison replaces the window.
    host.openResult.clear();
    compare->trigger();
    EXPECT_EQ(compareWindow(), w);
    host.openResult = path("DefRadioSet.def");
    compare->trigger();
    QApplication::processEvents();
    ASSERT_NE(compareWindow(), nullptr);
    EXPECT_EQ(compareWindow()->summary(), "No differences.");
}

TEST_F(CompareTest, TheTextsOfTheOtherLanguages) {
    settled(2);
    start();
    EXPECT_EQ(window->action("mnuCompareFile")->text(), QString::fromUtf8("與檔案比較(&M)…"));
    EXPECT_EQ(window->action("mnuCompareRadio")->text(), QString::fromUtf8("與對講機比較"));
    EXPECT_EQ(window->action("mnuConfirmWrite")->text(), QString::fromUtf8("寫入前顯示更改(&W)"));
    window->OpenFile(path("DefRadioSet.def"));
    host.openResult = otherFile();
    window->action("mnuCompareFile")->trigger();
    CompareWindow* w = compareWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->summary(), QString::fromUtf8("共 2 處差異。"));
    EXPECT_EQ(rows(w->list()).first(),
              QString::fromUtf8("信道 3  接收頻率 | 420.00000 | 446.13750"));
    EXPECT_EQ(w->list()->headerItem()->text(2), QString::fromUtf8("對比檔案"));
}

TEST_F(CompareTest, CompareWithRadioReadsIntoAnImageOfItsOwnAndKeepsItsBackup) {
    settled();
    defaultsRadio();
    for (int a = 0; a < 4; ++a) radio.memory[static_cast<size_t>(0x0190 + a)] = 0x11;
    start();
    const ByteImage before = app->document.image();  // the template, as started
    window->action("mnuCompareRadio")->trigger();
    CompareWindow* w = compareWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->list()->headerItem()->text(2), "The radio");
    EXPECT_TRUE(rows(w->list()).contains("0190-0193 | FF FF FF FF | 11 11 11 11"))
        << rows(w->list()).join('\n').toStdString();
    EXPECT_TRUE(rows(w->list()).contains("CH 1  Rx Freq. | empty | 400.02500"));
    EXPECT_EQ(app->document.image(), before);
    EXPECT_FALSE(app->document.modified());

    // The read's backup holds what the radio sent, and the window names it.
    const std::filesystem::path backup = app->document.lastReadBackup();
    ASSERT_FALSE(backup.empty());
    ByteImage saved;
    RecordingSink s;
    ErrorLog log(&s);
    ASSERT_TRUE(OpenDatFile(backup, saved, log));
    for (int a = 0x0010; a < 0x0360; ++a)
        ASSERT_EQ(saved.at(a), radio.memory[static_cast<size_t>(a)]) << a;
    EXPECT_TRUE(w->findChild<QLabel*>("lblBackup")
                    ->text()
                    .endsWith(QString::fromStdString(backup.string())));

    // A radio that does not answer: a failed read, and no comparison.
    w->close();
    QApplication::processEvents();
    line.faults.silent = true;
    OnModal<CommWindow>([](CommWindow* c) { CloseWhenDone(c, [c] { return c->ran(); }); });
    window->action("mnuCompareRadio")->trigger();
    EXPECT_EQ(window->statusText(1), "Read Failed");
    EXPECT_EQ(compareWindow(), nullptr);
}

TEST_F(CompareTest, ShowChangesBeforeWritingReadsTheWriteRangeAndWritesOnlyWhenTold) {
    settled();
    defaultsRadio();
    setting("WriteStartAddr", "0010");
    setting("WriteEndAddr", "004F");
    start();
    QAction* confirm = window->action("mnuConfirmWrite");
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm->text(), "Sho&w changes before writing");
    EXPECT_TRUE(confirm->isCheckable());
    EXPECT_FALSE(confirm->isChecked());
    confirm->trigger();
    EXPECT_EQ(readSetting("ConfirmWrite"), "1");

    window->OpenFile(path("DefRadioSet.def"));
    const uint8_t rx[] = {0x50, 0x37, 0x61, 0x44};  // the radio's channel 2 at 446.1375 MHz
    for (int i = 0; i < 4; ++i) radio.memory[static_cast<size_t>(0x0020 + i)] = rx[i];
    const sim::RadioMemory radioBefore = radio.memory;
    {
        PreviewAnswer cancel(false);
        window->StartWrite();
        EXPECT_EQ(cancel.shown, 1);
        EXPECT_TRUE(
            cancel.summary.startsWith("The write will change these on the radio "
                                      "(compared 0010-004F):"))
            << cancel.summary.toStdString();
        EXPECT_TRUE(cancel.rows.contains("CH 2  Rx Freq. | 446.13750 | 409.75000"))
            << cancel.rows.join('\n').toStdString();
    }
    EXPECT_EQ(blocksRead(), (QStringList{"0010", "0020", "0030", "0040"}));
    EXPECT_FALSE(anythingWritten());
    EXPECT_EQ(radio.memory, radioBefore);

    {
        PreviewAnswer write(true);
        window->StartWrite();
        EXPECT_EQ(write.shown, 1);
    }
    EXPECT_EQ(window->statusText(1), "Write Successful");
    EXPECT_EQ(radio.memory[0x0023], 0x40);  // 409.75 MHz again
    {
        PreviewAnswer cancel(false);
        radio.journal.clear();
        window->StartWrite();
        EXPECT_EQ(cancel.summary, "The write changes nothing on the radio (compared 0010-004F).");
        EXPECT_TRUE(cancel.rows.isEmpty());
    }
    EXPECT_FALSE(anythingWritten());

    // A radio that cannot be read is told as a failed read and is not written.
    line.faults.silent = true;
    radio.journal.clear();
    PreviewAnswer never(true);
    OnModal<CommWindow>([](CommWindow* c) { CloseWhenDone(c, [c] { return c->ran(); }); });
    window->StartWrite();
    EXPECT_EQ(never.shown, 0);
    EXPECT_EQ(window->statusText(1), "Read Failed");
    EXPECT_FALSE(anythingWritten());
}

// The comparison window and the question before a write open in each language; their pictures
// go into TARVOS_PAGE_SHOTS when it names a folder, for a person to look at, else into a
// temporary folder.
class CompareScreenshots : public CompareTest, public ::testing::WithParamInterface<int> {};

TEST_P(CompareScreenshots, WindowAndQuestion) {
    QTemporaryDir scratch;
    const QString folder = qEnvironmentVariableIsEmpty("TARVOS_PAGE_SHOTS")
                               ? scratch.path()
                               : qEnvironmentVariable("TARVOS_PAGE_SHOTS");
    const int language = GetParam();
    settled(language);
    defaultsRadio();
    setting("ConfirmWrite", "1");
    start();
    window->OpenFile(path("DefRadioSet.def"));
    host.openResult = otherFile();
    window->action("mnuCompareFile")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(compareWindow()->grab().save(
        QString("%1/compare_window_%2.png").arg(folder).arg(language)));
    radio.memory[0x0130] = 3;
    bool previewShown = false;
    OnModal<WritePreviewDialog>([&](WritePreviewDialog* d) {
        QApplication::processEvents();
        previewShown = d->grab().save(QString("%1/write_preview_%2.png").arg(folder).arg(language));
        d->reject();
    });
    window->StartWrite();
    EXPECT_TRUE(previewShown);
}

INSTANTIATE_TEST_SUITE_P(Languages, CompareScreenshots, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace tarvos::ui::test

// File commands with their questions and messages, the channel grid showing a data file,
// and the band rules of the model frame.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "channels/custom_band_dialog.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class FilesTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        start();
    }
    QByteArray fileBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int firstProgrammedRow() {
        for (int r = 1; r <= app->document.layout().channelCount; ++r)
            if (!cell(r, 1).isEmpty()) return r;
        return 0;
    }
};

TEST_F(FilesTest, TheChannelWindowIsBuiltFromTheLayoutOfTheLanguage) {
    ChannelWindow& w = channels();
    EXPECT_EQ(w.setModeTabs()->count(), 2);
    EXPECT_EQ(w.setModeTabs()->tabText(0), "Radio Info");
    EXPECT_EQ(w.setModeTabs()->tabText(1), "Function Parameter 1");
    EXPECT_FALSE(w.moreFuncTabs()->isVisible());
    EXPECT_EQ(w.moreFuncTabs()->count(), 4);
    EXPECT_EQ(w.grid()->rows(), app->document.layout().channelCount + 1);
    EXPECT_EQ(w.grid()->cols(), app->document.layout().columnCount + 1);
    EXPECT_EQ(w.grid()->text(0, 1).toStdString(), app->document.layout().captions()[1]);
    EXPECT_EQ(w.grid()->colEditMask(1), "###.#####");
    // The start-up band, and a new (empty) channel set from the template.
    EXPECT_EQ(w.bandBox()->currentIndex(), 12);
    EXPECT_EQ(w.windowTitle(), "400 - 520 MHz");
    EXPECT_EQ(firstProgrammedRow(), 0);
    EXPECT_EQ(app->document.image().at(0x037A), 0x40);
    EXPECT_EQ(app->document.image().at(0x037C), 0x52);
}

TEST_F(FilesTest, OpenShowsTheChannelsOfTheFileWithTheBandColouring) {
    host.openResult = path("DefRadioSet.def");
    window->action("mnuFileOpen")->trigger();
    EXPECT_EQ(host.openDialogs, 1);
    EXPECT_EQ(window->statusText(3), "File Name:" + path("DefRadioSet.def"));
    const int r = firstProgrammedRow();
    ASSERT_EQ(r, 1);
    const int32_t rx = app->document.chInfo()(1, 1);
    EXPECT_EQ(cell(1, 1), ChannelWindow::FrequencyText(rx));
    EXPECT_EQ(channels().grid()->foreColorAt(1, 1), app->defColor);
    EXPECT_EQ(cell(1, 3).toStdString(), app->document.toneText().decode(1));
    // A receive frequency outside the band is drawn in OverColor; the limits are inclusive.
    app->document.image().at(0x037A) = 0x13;  // band 136-174 MHz
    app->document.image().at(0x037B) = 0x60;
    app->document.image().at(0x037C) = 0x17;
    app->document.image().at(0x037D) = 0x40;
    channels().SoftDisplay();
    EXPECT_EQ(channels().bandBox()->currentIndex(), 1);
    EXPECT_EQ(firstProgrammedRow(), 1);  // opening a band keeps the channels
    EXPECT_EQ(channels().grid()->foreColorAt(1, 1), app->overColor);
}

TEST_F(FilesTest, FrequencyTextIsTheShortestDecimal) {
    EXPECT_EQ(ChannelWindow::FrequencyText(13612500), "136.125");
    EXPECT_EQ(ChannelWindow::FrequencyText(43850000), "438.5");
    EXPECT_EQ(ChannelWindow::FrequencyText(13600000), "136");
    EXPECT_EQ(ChannelWindow::FrequencyText(44600625), "446.00625");
}

TEST_F(FilesTest, OpenCancelledOrWrongChangesNothing) {
    const ByteImage before = app->document.image();
    host.openResult.clear();
    window->OpenFile();
    EXPECT_EQ(app->document.image(), before);
    EXPECT_TRUE(host.told.isEmpty());

    QFile shortFile(path("short.dat"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(100, 'x'));
    shortFile.close();
    window->OpenFile(path("short.dat"));
    EXPECT_EQ(host.told, QStringList{"Wrong file type!"});
    EXPECT_EQ(host.toldIcons.back(), DesktopHost::Icon::Critical);
    EXPECT_EQ(app->document.image(), before);
    EXPECT_EQ(app->currentFilePath(), app->untitledPath());
}

TEST_F(FilesTest, SaveAsksEveryTimeAndSaveAsWritesTheFile) {
    host.answers = {false};
    window->SaveFile();
    EXPECT_EQ(host.asked, QStringList{"TempData has changed,Do you want to save it now?"});
    EXPECT_EQ(host.saveDialogs, 0);

    window->RestoreDefaultSetting();
    EXPECT_EQ(app->currentFilePath(), path("DefRadioSet.def"));
    host.saveResult = path("Data/mine.dat");
    window->SaveFile();  // the queue is empty: Yes
    EXPECT_EQ(host.saveDialogs, 1);
    EXPECT_EQ(app->currentFilePath(), path("Data/mine.dat"));
    EXPECT_EQ(window->statusText(3), "File Name:" + path("Data/mine.dat"));
    const QByteArray saved = fileBytes(path("Data/mine.dat"));
    ASSERT_EQ(saved.size(), 1040);
    EXPECT_EQ(saved.left(6), "QD6251");
    EXPECT_EQ(saved.mid(0x20, 0x3F0), fileBytes(path("DefRadioSet.def")).mid(0x20, 0x3F0));

    // Save As cancelled: nothing changes.
    host.saveResult.clear();
    window->SaveAsFile();
    EXPECT_EQ(app->currentFilePath(), path("Data/mine.dat"));

    // A save that cannot reach the disk says so.
    host.saveResult = path("no/such/folder/x.dat");
    window->SaveAsFile();
    EXPECT_EQ(host.told.back(), "Save file failed!");

    // So does a file marked read-only, which stays as it was.
    ASSERT_TRUE(QFile::copy(path("DefRadioSet.def"), path("Data/locked.dat")));
    QFile::setPermissions(path("Data/locked.dat"),
                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray locked = fileBytes(path("Data/locked.dat"));
    const qsizetype told = host.told.size();
    host.saveResult = path("Data/locked.dat");
    window->SaveAsFile();
    ASSERT_EQ(host.told.size(), told + 1);
    EXPECT_EQ(host.told.back(), "Save file failed!");
    EXPECT_EQ(fileBytes(path("Data/locked.dat")), locked);
}

TEST_F(FilesTest, NewAsksAndKeepsTheModelAndBand) {
    window->OpenFile(path("DefRadioSet.def"));
    ASSERT_EQ(firstProgrammedRow(), 1);
    host.answers = {false};
    window->NewFile();
    EXPECT_EQ(firstProgrammedRow(), 1);
    EXPECT_EQ(app->currentFilePath(), path("DefRadioSet.def"));

    const uint8_t band[] = {app->document.image().at(0x037A), app->document.image().at(0x037B),
                            app->document.image().at(0x037C), app->document.image().at(0x037D)};
    window->action("mnuFileNew")->trigger();
    EXPECT_EQ(host.asked.back(), "All data will be cleared,continue?");
    EXPECT_EQ(firstProgrammedRow(), 0);
    EXPECT_EQ(app->currentFilePath(), app->untitledPath());
    EXPECT_EQ(window->statusText(3), "File Name:" + app->untitledPath());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(app->document.image().at(0x037A + i), band[i]);
}

TEST_F(FilesTest, ChoosingABandWritesItAndStartsANewChannelSet) {
    window->OpenFile(path("DefRadioSet.def"));
    ASSERT_EQ(firstProgrammedRow(), 1);
    QComboBox* box = channels().bandBox();
    box->setCurrentIndex(1);
    channels().cboFrequency_Click();
    EXPECT_EQ(app->document.image().at(0x037A), 0x13);
    EXPECT_EQ(app->document.image().at(0x037B), 0x60);
    EXPECT_EQ(app->document.image().at(0x037C), 0x17);
    EXPECT_EQ(app->document.image().at(0x037D), 0x40);
    EXPECT_EQ(app->document.bandLow(), 13600000);
    EXPECT_EQ(channels().windowTitle(), "136 - 174 MHz");
    EXPECT_TRUE(window->windowTitle().endsWith("[136 - 174 MHz]"));
    EXPECT_EQ(firstProgrammedRow(), 0);
}

TEST_F(FilesTest, CustomBandDialogAcceptsAndRefuses) {
    struct Case {
        const char* min;
        const char* max;
        int32_t low, high;
        const char* shownMin;
        const char* shownMax;
        uint8_t b0, b1;
    };
    const Case cases[] = {{"136.125", "173.9", 13612500, 17390000, "136.125", "173.9", 0x13, 0x61},
                          {"100", "200", 12000000, 52000000, "120", "520", 0x12, 0x00},
                          {"abc", "200", 12000000, 52000000, "120", "520", 0x12, 0x00}};
    for (const Case& c : cases) {
        app->document.SetCurrentFilePath(path("x.dat").toStdString());
        OnModal<CustomBandDialog>([&c](CustomBandDialog* d) {
            d->minBox()->setText(c.min);
            d->maxBox()->setText(c.max);
            d->findChild<QPushButton*>("cmdOk")->click();
        });
        channels().bandBox()->setCurrentIndex(14);
        channels().cboFrequency_Click();
        EXPECT_EQ(app->document.bandLow(), c.low) << c.min;
        EXPECT_EQ(app->document.bandHigh(), c.high) << c.min;
        EXPECT_EQ(QString::fromStdString(app->document.customMinText()), c.shownMin);
        EXPECT_EQ(QString::fromStdString(app->document.customMaxText()), c.shownMax);
        EXPECT_EQ(app->document.image().at(0x037A), c.b0) << c.min;
        EXPECT_EQ(app->document.image().at(0x037B), c.b1) << c.min;
        EXPECT_EQ(app->currentFilePath(), app->untitledPath());
        EXPECT_EQ(window->statusText(3), "File Name:" + app->untitledPath());
    }
    EXPECT_EQ(channels().windowTitle(), "Custom  120 - 520 MHz");

    // Cancel keeps the limits.
    OnModal<CustomBandDialog>(
        [](CustomBandDialog* d) { d->findChild<QPushButton*>("cmdCancel")->click(); });
    channels().cboFrequency_Click();
    EXPECT_EQ(app->document.bandLow(), 12000000);
}

}  // namespace
}  // namespace tarvos::ui::test

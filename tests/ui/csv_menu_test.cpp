// The File menu's channel-list commands: an import lists the rows it left out and what it
// warns of in one message and shows the channels it set; an export writes the list (never
// into a FIFO); the lock refuses an import.

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

#include "memory/channel_codec.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class CsvMenuTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        start();
    }
    void write(const QString& file, const QByteArray& bytes) {
        QFile f(path(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(CsvMenuTest, ImportShowsTheChannelsAndNamesTheRowsLeftOut) {
    write("list.csv", "Location,Frequency,Duplex,Offset\r\n3,430,,\r\n3,438.5,+,5\r\n20,440,,\r\n");
    host.openResult = path("list.csv");
    window->action("mnuImportCsv")->trigger();
    EXPECT_EQ(cell(3, 1), "438.5");
    EXPECT_EQ(cell(3, 2), "443.5");
    EXPECT_TRUE(app->document.modified());
    ASSERT_EQ(host.told.size(), 1);
    EXPECT_EQ(host.told[0],
              "These rows were not imported:\n"
              "location 20 (line 4): the radio has channels 1..16 only\n\n"
              "Imported, but please check:\n"
              "location 3 is given in 2 rows; the last (line 3) is used");
    EXPECT_EQ(window->action("mnuImportCsv")->text(), QString("&Import CSV…"));
}

// The defaults with channels 3, 7 and 12 emptied: a row for each of the other thirteen.
TEST_F(CsvMenuTest, ExportWritesTheChannelsInUse) {
    QFile defaults(path("DefRadioSet.def"));
    ASSERT_TRUE(defaults.open(QIODevice::ReadOnly));
    QByteArray file = defaults.readAll();
    for (int ch : {3, 7, 12})
        for (int i = 0; i < 16; ++i) file[0x10 + ChannelRecordAddr(ch, i)] = '\xFF';
    write("gaps.dat", file);
    window->OpenFile(path("gaps.dat"));
    host.saveResult = path("out.csv");
    window->action("mnuExportCsv")->trigger();
    QFile f(path("out.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 15);  // the header, thirteen rows, nothing after the last break
    EXPECT_TRUE(lines[0].startsWith("Location,Name,Frequency,"));
    EXPECT_TRUE(lines.back().isEmpty());
    QStringList locations;
    for (int i = 1; i + 1 < lines.size(); ++i) locations << QString(lines[i].split(',')[0]);
    EXPECT_EQ(locations.join(' '), "1 2 4 5 6 8 9 10 11 13 14 15 16");
    EXPECT_TRUE(lines[3].startsWith("4,,430.125000,")) << lines[3].toStdString();
    EXPECT_TRUE(host.told.isEmpty());

    // A FIFO is no file to export to: refused as a failed save, the FIFO left as it was.
    ASSERT_EQ(::mkfifo(path("list.fifo").toLocal8Bit().constData(), 0644), 0);
    host.saveResult = path("list.fifo");
    window->action("mnuExportCsv")->trigger();
    EXPECT_EQ(host.told, QStringList{"Save file failed!"});
    EXPECT_FALSE(QFileInfo(path("list.fifo")).isFile());
}

TEST_F(CsvMenuTest, NoListAndTheLockAreTold) {
    write("x.csv", "a,b\r\n1,2\r\n");
    host.openResult = path("x.csv");
    window->ImportCsv();
    ASSERT_EQ(host.told.size(), 1);
    EXPECT_TRUE(host.told[0].startsWith("Not a channel list")) << host.told[0].toStdString();

    write("list.csv", "Location,Frequency\r\n1,438.5\r\n");
    host.openResult = path("list.csv");
    window->action("mnuLockFace")->trigger();
    window->ImportCsv();
    EXPECT_EQ(host.told.back(), ft(116));
    EXPECT_EQ(cell(1, 1), "");
}

}  // namespace
}  // namespace tarvos::ui::test

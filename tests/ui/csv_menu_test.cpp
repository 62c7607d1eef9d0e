// The File menu's channel-list commands: an import lists the rows it left out and what it
// warns of in one message and shows the channels it set; an export writes the list (never
// into a FIFO); the lock refuses an import.

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

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
    EXPECT_EQ(window->action("mnuImportCsv")->text(), QString("Import CSV…"));
}

TEST_F(CsvMenuTest, ExportWritesTheChannelsInUse) {
    window->OpenFile(path("DefRadioSet.def"));
    host.saveResult = path("out.csv");
    window->action("mnuExportCsv")->trigger();
    QFile f(path("out.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith("Location,Name,Frequency,"));
    EXPECT_GT(text.count("\r\n"), 1);
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

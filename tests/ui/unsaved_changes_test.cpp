// Unsaved changes are never thrown away without a word: every command that would replace the
// document asks Save / Discard / Cancel first, and the title shows the file and whether it
// holds changes. A document without changes is replaced as it always was, without asking.

#include "shell/unsaved_changes.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "document/channel_editor.h"
#include "link/ui/comm_window.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

using Answer = DesktopHost::Answer;

class UnsavedChangesTest : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        settled();
        defaultsRadio();
    }
    // An edit of channel 1 the document holds unsaved.
    void edit(const char* rx = "438.5") {
        ChannelEditor& e = app->document.channelEditor();
        ASSERT_FALSE(e.BeforeEdit(1, 1).cancel);
        e.AfterEdit(1, 1, rx);
        ASSERT_TRUE(app->document.modified());
        host.asked.clear();
    }
    QString question(const QString& file) { return UnsavedChanges::Question(3, file); }
};

// Each command, answered Cancel, Discard and Save in turn: Cancel leaves the edit and stops
// the command; Discard lets it run; Save runs Save As for the untitled document first, and a
// Save As cancelled stops the command as Cancel does.
TEST_F(UnsavedChangesTest, CommandsThatReplaceTheDocumentAskFirst) {
    struct Command {
        const char* name;
        std::function<void()> run;
        int spoken;  // questions the command asks of its own before the save question
    };
    start();
    const std::vector<Command> commands = {
        {"New", [&] { window->action("mnuFileNew")->trigger(); }, 1},
        {"Open",
         [&] {
             host.openResult = path("DefRadioSet.def");
             window->action("mnuFileOpen")->trigger();
         },
         0},
        {"Restore Default Setting", [&] { window->RestoreDefaultSetting(); }, 0},
        {"Read", [&] { window->action("mnuReadFre")->trigger(); }, 0},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.name);
        edit();
        host.threeWay = {Answer::Cancel};
        c.run();
        EXPECT_EQ(host.asked.size(), c.spoken + 1);
        EXPECT_EQ(host.asked.last(), question("Untitled.dat"));
        EXPECT_EQ(cell(1, 1), "438.5");  // stopped
        EXPECT_TRUE(app->document.modified());

        host.asked.clear();
        host.threeWay = {Answer::Yes};
        host.saveResult = "";  // Save As cancelled: stops as well
        c.run();
        EXPECT_EQ(cell(1, 1), "438.5");

        host.threeWay = {Answer::No};
        c.run();
        EXPECT_NE(cell(1, 1), "438.5");  // replaced

        // Save: to a file of the user's choosing, then the command.
        app->document.NewFile();
        edit("439.5");
        host.threeWay = {Answer::Yes};
        host.saveResult = path("Data/saved.dat");
        const int dialogs = host.saveDialogs;
        c.run();
        EXPECT_EQ(host.saveDialogs, dialogs + 1);
        EXPECT_TRUE(QFileInfo::exists(path("Data/saved.dat")));
        EXPECT_NE(cell(1, 1), "439.5");
        QFile::remove(path("Data/saved.dat"));
        app->document.NewFile();
    }
}

TEST_F(UnsavedChangesTest, SaveWritesTheDocumentsOwnFileButNeverTheDefaults) {
    start();
    window->OpenFile(path("DefRadioSet.def"));
    const QByteArray defaults = fileBytes(path("DefRadioSet.def"));
    // Opened from the defaults file: Save asks for a name, the defaults stay as shipped.
    edit();
    host.threeWay = {Answer::Yes};
    host.saveResult = path("Data/mine.dat");
    window->action("mnuFileNew")->trigger();
    EXPECT_EQ(host.saveDialogs, 1);
    EXPECT_EQ(fileBytes(path("DefRadioSet.def")), defaults);

    // A file of its own: saved there, no dialog.
    window->OpenFile(path("Data/mine.dat"));
    edit("440.5");
    host.threeWay = {Answer::Yes};
    window->action("mnuFileNew")->trigger();
    EXPECT_EQ(host.saveDialogs, 1);
    EXPECT_EQ(host.asked.last(), question("mine.dat"));
    window->OpenFile(path("Data/mine.dat"));
    EXPECT_EQ(cell(1, 1), "440.5");

    // A save that fails stops the command and says so.
    QFile::remove(path("Data/mine.dat"));
    ASSERT_TRUE(QDir().mkdir(path("Data/mine.dat")));  // no file can be written there now
    edit("441.5");
    host.told.clear();
    host.threeWay = {Answer::Yes};
    window->action("mnuFileNew")->trigger();
    EXPECT_EQ(host.told, QStringList{ft(84)});
    EXPECT_EQ(cell(1, 1), "441.5");
}

TEST_F(UnsavedChangesTest, ExitAsksAfterItsOwnQuestionAndCancelKeepsTheWindow) {
    start();
    // Nothing unsaved: exactly the one question.
    host.answers = {false};
    window->action("mnuExit")->trigger();
    EXPECT_EQ(host.asked, QStringList{ft(73)});

    edit();
    host.answers = {true};
    host.threeWay = {Answer::Cancel};
    window->action("mnuExit")->trigger();
    EXPECT_EQ(host.asked, (QStringList{ft(73), question("Untitled.dat")}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(app->exitConfirmed);

    host.answers = {true};
    host.threeWay = {Answer::No};
    window->action("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(UnsavedChangesTest, NothingUnsavedMeansNothingAskedAndAReadToCompareNeverAsks) {
    start();
    window->action("mnuFileNew")->trigger();  // its own question only
    EXPECT_EQ(host.asked, QStringList{ft(72)});
    host.asked.clear();
    window->action("mnuReadFre")->trigger();
    EXPECT_TRUE(host.asked.isEmpty());
    EXPECT_EQ(window->statusText(1), "Read Successful");
    // A read leaves the document unsaved; a window that only compares with the radio does
    // not replace it and asks nothing, one that replaces it asks through the context.
    ASSERT_TRUE(app->document.modified());
    host.threeWay = {Answer::Cancel};
    EXPECT_FALSE(app->MayDiscardChanges(window.get()));
    EXPECT_EQ(host.asked, QStringList{question("Untitled.dat")});
}

TEST_F(UnsavedChangesTest, TheTitleShowsTheFileAndItsMark) {
    setting("Language", "1");
    start();
    EXPECT_EQ(window->windowTitle().left(23),
              QString::fromUtf8("Untitled.dat[*] - 对讲机写频软件V2.3").left(23));
    EXPECT_FALSE(window->isWindowModified());
    edit();
    EXPECT_TRUE(window->isWindowModified());
    window->Undo();
    EXPECT_FALSE(window->isWindowModified());
    window->OpenFile(path("DefRadioSet.def"));
    EXPECT_TRUE(window->windowTitle().startsWith("DefRadioSet.def[*] - "));
    // The channel window's caption (the band) changing keeps the file in the title.
    channels().bandBox()->setCurrentIndex(1);
    channels().cboFrequency_Click();
    EXPECT_TRUE(window->windowTitle().startsWith("DefRadioSet.def[*] - "))
        << window->windowTitle().toStdString();
    EXPECT_TRUE(window->windowTitle().endsWith("[136 - 174 MHz]"));
    window->Undo();
    // The question speaks the interface language.
    edit();
    host.threeWay = {Answer::Cancel};
    window->action("mnuFileNew")->trigger();
    EXPECT_EQ(host.asked.last(),
              QString::fromUtf8("“DefRadioSet.def”中的更改尚未保存。\n要先保存吗？"));
}

}  // namespace
}  // namespace tarvos::ui::test

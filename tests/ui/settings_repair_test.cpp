// A damaged settings file at start-up: the user is told which file and what is missing, in
// the interface language, and offered the shipped file (the damaged one kept beside it);
// either way the window comes up with its real grid and no error lines.

#include "shell/settings_repair.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class SettingsRepairTest : public UiFixture {
  protected:
    // A file that names no language is asked about in the system's: English here.
    void SetUp() override {
        UiFixture::SetUp();
        qputenv("LC_ALL", "C");
    }
    ~SettingsRepairTest() override {
        if (savedLcAll_.isNull())
            qunsetenv("LC_ALL");
        else
            qputenv("LC_ALL", savedLcAll_);
    }
    QByteArray savedLcAll_ = qgetenv("LC_ALL");

    QString settingsPath() { return path("tarvosk.def"); }
    void writeSettings(const QByteArray& bytes) {
        QFile::remove(settingsPath());
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The shipped file with the lines of section [ChInfo] left out.
    static QByteArray WithoutLayouts(const QByteArray& shipped) {
        QByteArray out;
        bool layouts = false;
        for (const QByteArray& line : shipped.split('\n')) {
            if (line.trimmed().startsWith('[')) layouts = line.trimmed() == "[ChInfo]";
            if (!layouts) out += line + '\n';
        }
        return out;
    }
    // The window as it must come up whatever the file: the English layout's captions and all
    // its rows, and no line in the error window.
    void expectTheRealGrid() {
        EXPECT_EQ(channels().grid()->rows(), 17);
        EXPECT_EQ(channels().grid()->text(0, 1), "Rx Freq.");
        for (int c = 0; c < channels().grid()->cols(); ++c)
            EXPECT_NE(channels().grid()->text(0, c), "0") << c;
        EXPECT_TRUE(errors.lines.empty()) << errors.lines.front();
    }
};

TEST_F(SettingsRepairTest, EachDamageIsNamedAndTheWindowStillComesUp) {
    const QByteArray shipped = fileBytes(settingsPath());
    QByteArray noise(4096, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    struct Case {
        const char* name;
        QByteArray bytes;   // the file's content ("folder": a folder in its place)
        const char* fault;  // the fault the question names (English interface)
    };
    const Case cases[] = {
        {"empty", "", "it is empty"},
        {"random bytes", noise, "the section [Setting]"},
        {"cut short", shipped.left(shipped.indexOf("[ChInfo]") + 400),
         "the channel grid layout for"},
        {"layouts missing", WithoutLayouts(shipped),
         "the channel grid layout for English (section [ChInfo], keys 3000–3999) is missing"},
        {"folder", "folder", "it is a folder, not a file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (QByteArray(c.name) == "folder") {
            QFile::remove(settingsPath());
            ASSERT_TRUE(QDir().mkdir(settingsPath()));
        } else {
            writeSettings(c.bytes);
        }
        host.asked.clear();
        host.answers = {false};  // keep the file; run on the shipped settings
        start();
        ASSERT_EQ(host.asked.size(), 1);
        const QString question = host.asked[0];
        EXPECT_TRUE(question.contains(QDir::toNativeSeparators(settingsPath())));
        EXPECT_TRUE(question.contains(c.fault)) << question.toStdString();
        expectTheRealGrid();
        if (QByteArray(c.name) == "folder")
            EXPECT_TRUE(QFileInfo(settingsPath()).isDir());
        else
            EXPECT_EQ(fileBytes(settingsPath()), c.bytes);  // left as it was
        TearDown();
        errors.lines.clear();
        QDir(settingsPath()).removeRecursively();
        QFile::remove(settingsPath());
    }
}

TEST_F(SettingsRepairTest, RestoringKeepsTheDamagedFileAndTheUsersLanguage) {
    const QByteArray shipped = fileBytes(settingsPath());
    const QByteArray damaged = "[Setting]\nFirRun=0\nLanguage=1\nCOM=3\n";
    writeSettings(damaged);
    ports.attach(3, &line);
    host.answers = {true};
    start();
    ASSERT_EQ(host.asked.size(), 1);
    // Asked in the language the file still names.
    EXPECT_TRUE(host.asked[0].startsWith(QString::fromUtf8("设置文件\n")))
        << host.asked[0].toStdString();
    EXPECT_TRUE(host.asked[0].contains("tarvosk.def.damaged"));
    EXPECT_TRUE(host.asked[0].contains(QString::fromUtf8("英文信道表格的布局")));
    EXPECT_EQ(fileBytes(path("tarvosk.def.damaged")), damaged);
    EXPECT_EQ(app->language, 1);
    EXPECT_EQ(readSetting("Language"), "1");
    EXPECT_EQ(readSetting("COM"), "3");
    EXPECT_EQ(channels().grid()->rows(), 17);
    EXPECT_TRUE(errors.lines.empty());
    // Apart from the kept choices, the file is the shipped one again.
    SettingsFile restored(settingsPath().toStdString());
    EXPECT_EQ(restored.read("ChInfo", "3003", "", 200),
              SettingsFile::FromText(shipped.toStdString()).read("ChInfo", "3003", "", 200));

    // The next start finds nothing to repair; a second damage keeps the first one's copy.
    TearDown();
    host.asked.clear();
    start();
    EXPECT_TRUE(host.asked.isEmpty());
    TearDown();
    writeSettings("");
    host.answers = {true};
    start();
    EXPECT_EQ(fileBytes(path("tarvosk.def.damaged")), damaged);
    EXPECT_TRUE(QFileInfo::exists(path("tarvosk.def.damaged.2")));
}

TEST_F(SettingsRepairTest, AGoodFileIsNotQuestioned) {
    settled();
    start();
    EXPECT_TRUE(host.asked.isEmpty());
    EXPECT_TRUE(SettingsFileDamage(settingsPath(), 3).isEmpty());
}

}  // namespace
}  // namespace tarvos::ui::test

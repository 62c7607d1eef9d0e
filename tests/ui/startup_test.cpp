// Start-up on a fresh application folder, the language from the locale, the language menu,
// the exit rules and the error window.

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "base/settings_file.h"
#include "shell/error_window.h"
#include "shell/system_locale.h"
#include "shell/unsaved_changes.h"
#include "sim/pty_radio.h"
#include "ui_fixture.h"

namespace tarvos::ui::test {
namespace {

class LocaleEnv {
  public:
    LocaleEnv(const char* lcAll, const char* lcMessages, const char* lang) {
        set("LC_ALL", lcAll);
        set("LC_MESSAGES", lcMessages);
        set("LANG", lang);
    }
    ~LocaleEnv() {
        for (auto& [k, v] : saved_) {
            if (v.isNull())
                qunsetenv(k);
            else
                qputenv(k, v);
        }
    }

  private:
    void set(const char* key, const char* value) {
        saved_.emplace_back(key, qgetenv(key));
        if (value)
            qputenv(key, value);
        else
            qunsetenv(key);
    }
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST(SystemLocale, LocaleNamesGiveTheLanguage) {
    struct Case {
        const char* name;
        int lcid;
        int language;
    };
    const Case cases[] = {{"zh_CN.UTF-8", 2052, 1},
                          {"zh_TW.UTF-8", 1028, 2},
                          {"zh_HK", 1028, 2},
                          {"en_US.UTF-8", 1033, 3},
                          {"ja_JP.UTF-8", 1041, 3},
                          {"C", 1041, 3},
                          {"", 1041, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(LocaleIdFromName(c.name), c.lcid) << c.name;
        EXPECT_EQ(LanguageFromLocaleId(LocaleIdFromName(c.name)), c.language) << c.name;
    }
    LocaleEnv env(nullptr, "zh_TW.UTF-8", "en_US.UTF-8");  // LC_MESSAGES before LANG
    EXPECT_EQ(SystemLocaleId(), 1028);
    LocaleEnv env2("zh_CN.UTF-8", "zh_TW.UTF-8", "en_US.UTF-8");  // LC_ALL first
    EXPECT_EQ(SystemLocaleId(), 2052);
}

using StartupTest = UiFixture;

TEST_F(StartupTest, FirstRunWritesTheSettingsAndTakesTheLanguageFromTheLocale) {
    LocaleEnv env(nullptr, nullptr, "zh_TW.UTF-8");
    start();
    EXPECT_EQ(readSetting("FirRun"), "0");
    EXPECT_EQ(readSetting("Language"), "2");
    EXPECT_EQ(readSetting("COM"), "1");  // the lowest port that opens
    EXPECT_EQ(app->language, 2);
    EXPECT_TRUE(window->action("mnuLangSel1")->isChecked());
    EXPECT_FALSE(window->action("mnuLangSel0")->isChecked());
    EXPECT_FALSE(window->action("mnuLangSel2")->isChecked());
    EXPECT_EQ(window->action("mnuFile")->text(), QString::fromUtf8("文件(&F)"));
    EXPECT_EQ(window->action("mnuFileOpen")->text(), QString::fromUtf8("打開(&O)…"));
    EXPECT_EQ(window->statusText(1), "Ready");  // Traditional entry 94 is English
    EXPECT_EQ(window->statusText(2), "COM1");
    EXPECT_EQ(window->statusText(3), " " + path("Data/Untitled.dat"));
    // The installation data is in the folder, the data folder exists.
    for (const char* f : {"tarvosk.def", "dhcpqec.def", "DefRadioSet.def", "Read_Cht.png",
                          "help/ChtHelp.html", "Data"})
        EXPECT_TRUE(QFileInfo::exists(path(f))) << f;
    EXPECT_FALSE(window->findChild<QToolButton*>("picReadDat")->icon().isNull());
    EXPECT_TRUE(errors.lines.empty()) << errors.lines.front();
}

TEST_F(StartupTest, LaterRunsKeepTheChosenLanguageAndAnInvalidOneIsEnglish) {
    setting("FirRun", "0");
    setting("Language", "1");
    {
        LocaleEnv env(nullptr, nullptr, "en_US.UTF-8");
        start();
    }
    EXPECT_EQ(app->language, 1);
    EXPECT_EQ(window->action("mnuFile")->text(), QString::fromUtf8("文件(&F)"));
    EXPECT_TRUE(window->windowTitle().contains(QString::fromUtf8("对讲机写频软件V2.3")));
    TearDown();
    setting("Language", "7");
    start();
    EXPECT_EQ(app->language, 3);
    EXPECT_EQ(window->action("mnuFile")->text(), "&File");
    EXPECT_EQ(readSetting("Language"), "7");  // kept until the user picks one
}

TEST_F(StartupTest, InstallationDataNeverOverwritesAFile) {
    setting("FirRun", "0");
    setting("Language", "3");
    QFile help(path("help/EngHelp.html"));
    QDir().mkpath(path("help"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("mine");
    help.close();
    start();
    QFile again(path("help/EngHelp.html"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), "mine");
    EXPECT_TRUE(QFileInfo::exists(path("dhcpqec.def")));
}

TEST_F(StartupTest, MenusShortcutsAndToolbarFollowTheMainWindowTable) {
    setting("FirRun", "0");
    setting("Language", "3");
    start();
    struct Row {
        const char* name;
        const char* text;
        const char* shortcut;
        bool visible;
    };
    // Items that open a dialog end in "…"; every File and Settings item has a mnemonic.
    const Row rows[] = {{"mnuFileNew", "&New", "Ctrl+N", true},
                        {"mnuFileSaveAs", "S&ave As…", "", true},
                        {"mnuPrintFile", "&Print…", "Ctrl+P", true},
                        {"mnuReadFre", "&Read", "Ctrl+R", true},
                        {"mnuWriteFre", "&Write", "Ctrl+W", true},
                        {"mnuReadWriteFre", "&Auto Read/Write Radio…", "F2", true},
                        {"mnuOption", "&Option", "", false},
                        {"mnuCommunicate", "&Communication Port…", "", true},
                        {"mnuLockFace", "Lock Face(&D)", "", true},
                        {"mnuLangSel1", "&Traditional Chinese", "", true},
                        {"mnuHelpTopic", "Help &Topic", "F1", false},
                        {"mnuAboutSoft", "&About…", "", true}};
    for (const Row& r : rows) {
        QAction* a = window->action(r.name);
        ASSERT_NE(a, nullptr) << r.name;
        EXPECT_EQ(a->text(), r.text) << r.name;
        EXPECT_EQ(a->shortcut().toString(), r.shortcut) << r.name;
        EXPECT_EQ(a->isVisible(), r.visible) << r.name;
    }
    QStringList captions;
    for (QAction* a : window->toolbar()->actions())
        captions << (a->isSeparator() ? "|" : a->text());
    EXPECT_EQ(captions.join(","), "|,New,|,Open,Save,|,Read,Write,|,Port,|,Print,|,Help,|,Exit");
    // The language items in the order Simplified, English, Traditional.
    QStringList langs;
    for (QAction* a : window->action("mnuLangSetting")->menu()->actions()) langs << a->objectName();
    EXPECT_EQ(langs.join(","), "mnuLangSel0,mnuLangSel2,mnuLangSel1");
}

TEST_F(StartupTest, HelpOpensThePageOfTheLanguageInForce) {
    setting("FirRun", "0");
    setting("Language", "2");
    start();
    window->Help();
    ASSERT_EQ(host.documents.size(), 1);
    EXPECT_EQ(host.documents[0], path("help/ChtHelp.html"));
    EXPECT_TRUE(QFileInfo::exists(host.documents[0]));
}

TEST_F(StartupTest, ChoosingALanguageStoresItAndRestartsWithoutAsking) {
    setting("FirRun", "0");
    setting("Language", "1");
    start();
    window->SelectLanguage(1);  // the language in force: nothing at all
    EXPECT_TRUE(host.told.isEmpty());
    EXPECT_EQ(host.instances, 0);
    EXPECT_TRUE(window->isVisible());

    window->action("mnuLangSel2")->trigger();
    EXPECT_EQ(readSetting("Language"), "3");
    ASSERT_EQ(host.told.size(), 1);
    EXPECT_EQ(host.told[0], "Language has changed, you need to restart the software.");
    EXPECT_EQ(host.instances, 1);
    EXPECT_TRUE(host.asked.isEmpty());  // no exit question
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->action("mnuLangSel2")->isChecked());
    EXPECT_FALSE(window->action("mnuLangSel0")->isChecked());
}

// The new instance cannot be started: the failure is logged and this one goes on in its
// language, ready to try again.
TEST_F(StartupTest, ALanguageRestartThatFailsKeepsTheApplicationRunning) {
    setting("FirRun", "0");
    setting("Language", "1");
    start();
    host.instanceStarts = false;
    window->action("mnuLangSel2")->trigger();
    EXPECT_EQ(host.instances, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(app->language, 1);
    EXPECT_TRUE(window->action("mnuLangSel0")->isChecked());
    EXPECT_FALSE(window->action("mnuLangSel2")->isChecked());
    const auto where = errors.locations();
    EXPECT_NE(std::find(where.begin(), where.end(), "mdifrmMain->SwiLangFace"), where.end());

    host.instanceStarts = true;
    window->action("mnuLangSel2")->trigger();  // a second try restarts
    EXPECT_EQ(host.instances, 2);
    EXPECT_FALSE(window->isVisible());
}

// Unsaved edits: the save question comes before the restart. Cancel keeps everything as it
// is, No restarts without saving, Yes saves as Save does and then restarts; a save that did
// not happen keeps the instance.
TEST_F(StartupTest, ALanguageChangeOffersToSaveUnsavedEditsFirst) {
    struct Case {
        const char* name;
        DesktopHost::Answer answer;
        const char* saveAs;  // the file chosen in the save dialog ("" cancels it)
        bool restarts, saved;
    };
    const Case cases[] = {
        {"cancel", DesktopHost::Answer::Cancel, "", false, false},
        {"no", DesktopHost::Answer::No, "", true, false},
        {"yes", DesktopHost::Answer::Yes, "mine.dat", true, true},
        {"yes, dialog cancelled", DesktopHost::Answer::Yes, "", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setting("FirRun", "0");
        setting("Language", "1");
        start();
        app->document.Edit(DocumentChange::Image,
                           [&] { app->document.image().at(0x0020) ^= 0x01; });
        ASSERT_TRUE(app->document.modified());
        host.asked.clear();
        host.threeWay = {c.answer};
        host.saveResult = QString(c.saveAs).isEmpty() ? QString() : path(c.saveAs);
        host.instances = 0;
        window->action("mnuLangSel2")->trigger();
        EXPECT_EQ(host.asked, QStringList{UnsavedChanges::Question(1, "Untitled.dat")});
        EXPECT_EQ(host.instances, c.restarts ? 1 : 0);
        EXPECT_EQ(window->isVisible(), !c.restarts);
        EXPECT_EQ(readSetting("Language"), c.restarts ? "3" : "1");
        EXPECT_EQ(app->language, c.restarts ? 3 : 1);
        EXPECT_EQ(window->action("mnuLangSel0")->isChecked(), !c.restarts);
        EXPECT_EQ(QFileInfo::exists(path("mine.dat")), c.saved);
        if (!c.restarts) {
            EXPECT_TRUE(app->document.modified());
        }
        QFile::remove(path("mine.dat"));
        TearDown();
    }
}

TEST_F(StartupTest, ExitAsksAndNoKeepsEverything) {
    setting("FirRun", "0");
    setting("Language", "3");
    start();
    host.answers = {false};
    window->action("mnuExit")->trigger();
    EXPECT_EQ(host.asked, QStringList{"Are you sure want to exit?"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(channels().isVisible());
    EXPECT_FALSE(app->exitConfirmed);

    // The channel window alone refuses to close.
    EXPECT_FALSE(channels().close());
    EXPECT_TRUE(channels().isVisible());

    // While automatic input is open the main window does not even ask.
    app->mainCloseBlocked = true;
    window->close();
    EXPECT_EQ(host.asked.size(), 1);
    EXPECT_TRUE(window->isVisible());
    app->mainCloseBlocked = false;

    host.answers = {true};
    window->ExitSoft();
    EXPECT_TRUE(app->exitConfirmed);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(channels().isVisible());
}

// With the system's ports the stored port is tested once the window is up (listing the
// serial devices takes a while): the status bar shows the stored port, then the one chosen.
// Here the stored COM9 names no device, so the search takes the lowest port that opens: COM1,
// pinned to a pseudo-terminal.
TEST_F(StartupTest, TheStoredPortIsTestedOnceTheWindowIsUp) {
    settled();
    sim::PtyRadio radio;
    std::string error;
    ASSERT_TRUE(radio.start(&error)) << error;
    const SettingsFile settings((home.path() + "/tarvosk.def").toStdString());
    settings.write("Ports", "COM1", radio.devicePath());
    settings.write("Ports", "COM9", "/nonexistent/tarvos-tty");
    setting("COM", "9");

    app = std::make_unique<AppContext>(ResolveAppFolder(), &host);
    app->log.setSink(&errors);
    services = std::make_unique<AppServices>(*app);  // the system's ports
    window = std::make_unique<MainWindow>(*app, *services);
    window->MDIForm_Load();
    window->show();
    EXPECT_EQ(window->statusText(2), "COM9");

    QDeadlineTimer patience(20000);  // a bound on a stuck test, not a time the test expects
    while (app->comPort == 9 && !patience.hasExpired()) QTest::qWait(5);
    EXPECT_EQ(app->comPort, 1);
    EXPECT_EQ(window->statusText(2), "COM1");
    EXPECT_EQ(readSetting("COM"), "1");
}

TEST(ErrorWindowTest, EveryEntryAppearsAndClosingStartsAnEmptyList) {
    App();
    QWidget owner;
    ErrorWindowSink sink(&owner);
    ErrorLog log(&sink);
    log.setClock([] { return std::string("2026-01-01 10:00:00"); });
    EXPECT_EQ(sink.window(), nullptr);
    log.ShowErr("modChMem->IcRxFreSol", 9, "Tarvos");
    ASSERT_NE(sink.window(), nullptr);
    EXPECT_TRUE(sink.window()->isVisible());
    log.ShowErr("frmCommun->cmdRead_Click", 1000, "Tarvos");
    QListWidget* list = sink.window()->list();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "---------2026-01-01 10:00:00--------");
    EXPECT_TRUE(list->item(1)->text().contains(QString::fromUtf8("数组索引超出范围")));
    EXPECT_TRUE(list->item(3)->text().endsWith(QString::fromUtf8("出错描述:  ")));
    EXPECT_EQ(sink.window()->errLineNo(), 4);

    sink.window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(sink.window(), nullptr);
    log.ShowErr("mdifrmMain->OpenFile", 53, "Tarvos");
    ASSERT_NE(sink.window(), nullptr);
    EXPECT_EQ(sink.window()->list()->count(), 2);
}

}  // namespace
}  // namespace tarvos::ui::test

#pragma once
// The real windows over a fresh application folder, with a desktop that answers from a
// script and the in-process virtual radio on port 1 (virtual clock, no waiting).

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>

#include "channels/channel_window.h"
#include "link/virtual_clock.h"
#include "memory/data_file.h"
#include "shell/app_context.h"
#include "shell/app_folder.h"
#include "shell/app_services.h"
#include "shell/main_window.h"
#include "sim/radio_line.h"
#include "sim/sim_serial_port.h"
#include "sim/virtual_radio.h"
#include "widgets/desktop_host.h"
#include "widgets/grid_control.h"

namespace tarvos::ui::test {

inline const QString kCli = QStringLiteral(TARVOS_BINARY_DIR "/cli/tarvos-cli");

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "tests_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        // Offscreen unless a platform is asked for (pictures under a window system).
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Answers questions from a queue (Yes when it is empty) and records every box and dialog.
struct ScriptedHost : DesktopHost {
    std::deque<bool> answers;
    QStringList asked;
    QStringList told;
    std::vector<Icon> toldIcons;
    QString openResult;
    QString saveResult;
    int openDialogs = 0;
    int saveDialogs = 0;
    QStringList documents;
    bool documentsOpen = true;  // what openDocument reports (false: no viewer on the desktop)
    int instances = 0;
    bool instanceStarts = true;   // what startNewInstance reports
    std::deque<Answer> threeWay;  // answers to three-way questions (see each for empty)

    bool askYesNo(QWidget*, const QString&, const QString& text) override {
        asked << text;
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    Answer askYesNoCancel(QWidget*, const QString&, const QString& text) override {
        return nextThreeWay(text, Answer::Yes);
    }
    // Save / Discard / Cancel: from the same queue, but Discard when it is empty, so a command
    // run on unsaved changes goes on as it did before the question.
    Answer askSaveDiscardCancel(QWidget*, const QString&, const QString& text) override {
        return nextThreeWay(text, Answer::No);
    }
    Answer nextThreeWay(const QString& text, Answer whenEmpty) {
        asked << text;
        if (threeWay.empty()) return whenEmpty;
        const Answer a = threeWay.front();
        threeWay.pop_front();
        return a;
    }
    void tell(QWidget*, const QString&, const QString& text, Icon icon) override {
        told << text;
        toldIcons.push_back(icon);
    }
    QString openFileName(QWidget*, const QString&, const QString&) override {
        ++openDialogs;
        return openResult;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        ++saveDialogs;
        return saveResult;
    }
    bool openDocument(const QString& path) override {
        documents << path;
        return documentsOpen;
    }
    bool startNewInstance() override {
        ++instances;
        return instanceStarts;
    }
};

// Runs action on the modal window of type W once it is shown.
template <class W>
void OnModal(std::function<void(W*)> action) {
    QTimer::singleShot(0, [action] {
        W* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w) {
            OnModal<W>(action);  // not shown yet
            return;
        }
        action(w);
    });
}

// Closes a communication window once its transfer has ended (a close while one runs is
// refused, as the user's would be). Waits on the window, not on a fixed time, so a busy
// machine cannot make the close come too early.
inline void CloseWhenDone(QWidget* commWindow, const std::function<bool()>& done) {
    auto* poll = new QTimer(commWindow);
    poll->callOnTimeout([commWindow, poll, done] {
        if (!done()) return;
        poll->stop();
        commWindow->close();
    });
    poll->start(10);
}

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(home.isValid());
        qputenv("TARVOS_HOME", home.path().toLocal8Bit());
        clock.onDelay = [] { QCoreApplication::processEvents(); };
        ports.attach(1, &line);
        // The folder as an installation leaves it; settings written by a test go into it.
        InstallMissingData(home.path(), ShippedInstallationData());
    }
    void TearDown() override {
        if (window) {
            app->exitWithoutPrompt = true;
            window->close();
        }
        window.reset();
        services.reset();
        app.reset();
    }

    // A settings value written before the start.
    void setting(const char* key, const char* value) {
        SettingsFile((home.path() + "/tarvosk.def").toStdString()).write("Setting", key, value);
    }
    // The folder as a user who ran the application before leaves it: no first run, and the
    // language given.
    void settled(int language = 3) {
        setting("FirRun", "0");
        setting("Language", QByteArray::number(language).constData());
    }
    // A radio holding the factory defaults on the port the settings name.
    void defaultsRadio() {
        setting("COM", "1");
        radio.memory = memoryOf("DefRadioSet.def");
    }
    QString readSetting(const char* key) {
        return QString::fromStdString(SettingsFile((home.path() + "/tarvosk.def").toStdString())
                                          .read("Setting", key, "?", 99));
    }

    // Start-up over the folder: installation data, the windows, the load step.
    void start() {
        app = std::make_unique<AppContext>(ResolveAppFolder(), &host);
        InstallMissingData(app->appFolder, ShippedInstallationData());
        app->log.setSink(&errors);
        services = std::make_unique<AppServices>(*app, &ports, &clock);
        window = std::make_unique<MainWindow>(*app, *services);
        window->MDIForm_Load();
        window->show();
    }
    ChannelWindow& channels() { return *window->channelWindow(); }
    QString cell(int row, int col) { return channels().grid()->text(row, col); }
    QString ft(int n) { return app->ft(n); }
    QString path(const QString& name) { return home.path() + "/" + name; }
    // A file's bytes; empty when it cannot be read.
    static QByteArray fileBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The window's image saved as a data file (Save As answered with window.dat).
    QByteArray savedByWindow() {
        host.saveResult = path("window.dat");
        window->SaveAsFile();
        EXPECT_TRUE(QFile::exists(path("window.dat")));
        return fileBytes(path("window.dat"));
    }
    // The defaults file changed by `tarvos-cli COMMAND DefRadioSet.def --out cli.dat ARGS...`.
    QByteArray savedByCli(const QString& command, const QStringList& args) {
        QProcess p;
        p.start(kCli,
                QStringList{command, path("DefRadioSet.def"), "--out", path("cli.dat")} + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_TRUE(QFile::exists(path("cli.dat")));
        return fileBytes(path("cli.dat"));
    }

    // A radio memory loaded from a data file in the application folder.
    sim::RadioMemory memoryOf(const QString& file) {
        ByteImage image(kMinDatNum);
        RecordingSink s;
        ErrorLog log(&s);
        EXPECT_TRUE(OpenDatFile(path(file).toStdString(), image, log));
        sim::RadioMemory m{};
        for (size_t i = 0; i < m.size(); ++i) m[i] = image.at(static_cast<int>(i));
        return m;
    }

    QTemporaryDir home;
    ScriptedHost host;
    RecordingSink errors;
    link::VirtualClock clock;
    sim::SimSerialPorts ports{clock};
    sim::VirtualRadio radio;
    sim::RadioLine line{radio};
    std::unique_ptr<AppContext> app;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tarvos::ui::test

// tool_dialog_shots OUTDIR: for each language, saves pictures of the settings-repair question
// (a settings file without its channel layouts), the main window after it, the save question
// before New, and the help window of a desktop without a viewer. Run it under a window system
// (Xvfb will do: DISPLAY=:N QT_QPA_PLATFORM=xcb); every question is answered No or Cancel.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "base/error_log.h"
#include "channels/channel_window.h"
#include "document/channel_editor.h"
#include "shell/app_context.h"
#include "shell/app_folder.h"
#include "shell/app_services.h"
#include "shell/help_window.h"
#include "shell/main_window.h"
#include "widgets/desktop_host.h"

using namespace tarvos;
using namespace tarvos::ui;

namespace {

// The real message boxes, and a desktop that has no viewer for the help page.
struct NoViewerHost : QtDesktopHost {
    bool openDocument(const QString&) override { return false; }
};

// Once the next modal box shows: its picture into file, then the answer (the Escape button:
// No or Cancel).
void ShootNextModal(const QString& file) {
    QTimer::singleShot(300, [file] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ShootNextModal(file);
            return;
        }
        box->grab().save(file);
        std::printf("%s\n", qPrintable(file));
        if (QAbstractButton* b = box->escapeButton())
            b->click();
        else
            box->reject();
    });
}

void Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void ShootLanguage(int language, const QString& out) {
    const QString tag = language == 1 ? "chs" : language == 2 ? "cht" : "eng";
    QTemporaryDir home;
    qputenv("TARVOS_HOME", home.path().toLocal8Bit());
    NoViewerHost host;
    auto app = std::make_unique<AppContext>(ResolveAppFolder(), &host);
    InstallMissingData(app->appFolder, ShippedInstallationData());
    // A settings file that lost its channel layouts.
    {
        QFile f(app->settingsPath());
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(QString("[Setting]\nFirRun=0\nLanguage=%1\n").arg(language).toUtf8());
    }
    RecordingSink errors;
    app->log.setSink(&errors);
    AppServices services(*app);
    MainWindow window(*app, services);
    ShootNextModal(out + "/repair_" + tag + ".png");
    window.MDIForm_Load();
    window.show();
    Settle(800);
    window.grab().save(out + "/window_" + tag + ".png");

    ChannelEditor& e = app->document.channelEditor();
    if (!e.BeforeEdit(1, 1).cancel) e.AfterEdit(1, 1, "438.5");
    // New asks its own question first (answered Yes here), then the save question.
    QTimer::singleShot(300, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
    });
    QTimer::singleShot(400, [out, tag] { ShootNextModal(out + "/save_question_" + tag + ".png"); });
    window.NewFile();
    Settle(200);
    window.grab().save(out + "/window_modified_" + tag + ".png");
    // The title bar is the window manager's and not in the picture: its text is printed.
    std::printf("title: %s (modified: %d)\n", qPrintable(window.windowTitle()),
                window.isWindowModified());

    // The title follows the band the channel window shows, and the file opened.
    window.channelWindow()->bandBox()->setCurrentIndex(1);
    window.channelWindow()->cboFrequency_Click();
    std::printf("title after a band change: %s\n", qPrintable(window.windowTitle()));
    app->document.ResetHistory();
    window.OpenFile(app->appFolder + "/DefRadioSet.def");
    std::printf("title after an open: %s\n", qPrintable(window.windowTitle()));
    window.Help();
    Settle(800);
    if (auto* help = window.findChild<HelpWindow*>())
        help->grab().save(out + "/help_" + tag + ".png");
    for (const std::string& line : errors.lines) std::fprintf(stderr, "log: %s\n", line.c_str());
    app->exitWithoutPrompt = true;
    window.close();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);
    for (int language : {1, 2, 3}) ShootLanguage(language, out);
    return 0;
}

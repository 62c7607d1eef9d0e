// tarvos: the desktop application.
//
//   tarvos            start normally
//   tarvos --demo     also start a virtual radio on a pseudo-terminal and map it to the
//                     first free port number, so Read and Write work without hardware
//   --screenshot FILE save a picture of the main window a moment after it is shown, then quit
//   --report-shown    print "shown" on standard output once the main window is on screen
//   --version         print the version and end (no window system needed)

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "shell/app_context.h"
#include "shell/app_folder.h"
#include "shell/app_services.h"
#include "shell/error_window.h"
#include "shell/main_window.h"

using namespace tarvos::ui;

namespace {

// A desktop's global menu (the menus shown in a panel instead of the window) is offered over
// the session bus. With no session bus there is none to be found, and asking for one costs the
// start a bus connection that cannot succeed; the menus stay in the window, as they would anyway.
bool SessionBusKnown() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + "/bus");
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before the window system is reached, so it works on a plain terminal too.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tarvos %s\n", TARVOS_VERSION);
            return 0;
        }
    if (!SessionBusKnown()) QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("tarvos");
    QApplication::setApplicationVersion(TARVOS_VERSION);
    QApplication::setOrganizationName("tarvos");

    QCommandLineParser cli;
    cli.addHelpOption();
    cli.addVersionOption();
    QCommandLineOption demo("demo", "Start a virtual radio and map it to a free port.");
    QCommandLineOption shot("screenshot", "Save a picture of the main window and quit.", "file");
    QCommandLineOption shotDelay("screenshot-delay", "Milliseconds before the picture.", "ms",
                                 "1500");
    QCommandLineOption shown("report-shown", "Print \"shown\" once the window is on screen.");
    cli.addOptions({demo, shot, shotDelay, shown});
    cli.process(qapp);

    AppContext app(ResolveAppFolder());
    InstallMissingData(app.appFolder, ShippedInstallationData());
    ErrorWindowSink errorSink;
    app.log.setSink(&errorSink);
    AppServices services(app);
    if (cli.isSet(demo) && !services.startDemoRadio())
        std::fprintf(stderr, "tarvos: the virtual radio could not be started\n");

    MainWindow window(app, services, &errorSink);
    window.MDIForm_Load();
    window.show();

    if (cli.isSet(shown))
        QTimer::singleShot(0, &window, [] {
            std::printf("shown\n");
            std::fflush(stdout);
        });
    if (cli.isSet(shot)) {
        const QString file = cli.value(shot);
        QTimer::singleShot(cli.value(shotDelay).toInt(), &window, [&window, &app, file] {
            window.grab().save(file);
            app.exitWithoutPrompt = true;
            window.close();
        });
    }
    return qapp.exec();
}

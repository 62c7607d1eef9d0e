#pragma once
// What the window benchmarks share: the application as `tarvos --demo` starts it, over a fresh
// application folder in English, with a desktop that answers Yes and prints its messages.

#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "base/error_log.h"
#include "shell/app_context.h"
#include "shell/app_folder.h"
#include "shell/app_services.h"
#include "shell/main_window.h"
#include "widgets/desktop_host.h"

namespace tarvos::ui::bench {

// Answers every question with Yes and shows nothing.
struct SilentHost : QtDesktopHost {
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    void tell(QWidget*, const QString&, const QString& text, Icon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

// The application over a fresh application folder, in two steps so a caller can start
// services (the demo radio) between them.
struct FreshApp {
    // The context and services, in the language given (1, 2, 3).
    void prepare(int language) {
        qputenv("TARVOS_HOME", home.path().toLocal8Bit());
        app = std::make_unique<AppContext>(ResolveAppFolder(), &host);
        InstallMissingData(app->appFolder, ShippedInstallationData());
        app->settings.write("Setting", "FirRun", "0");
        app->settings.write("Setting", "Language", std::to_string(language));
        app->log.setSink(&errors);
        services = std::make_unique<AppServices>(*app);
    }
    // The main window loaded and shown.
    void showWindow() {
        window = std::make_unique<MainWindow>(*app, *services);
        window->MDIForm_Load();
        window->show();
    }

    QTemporaryDir home;
    SilentHost host;
    RecordingSink errors;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<MainWindow> window;
};

struct DemoApp : FreshApp {
    // Starts the application in English with the demo radio; false (after a message naming
    // the benchmark) when the radio could not be started.
    bool start(const char* benchmark) {
        prepare(3);
        if (!services->startDemoRadio()) {
            std::fprintf(stderr, "%s: the virtual radio could not be started\n", benchmark);
            return false;
        }
        showWindow();
        return true;
    }
};

}  // namespace tarvos::ui::bench

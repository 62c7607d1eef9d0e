#pragma once
// What the picture tools share: the application started over a fresh folder in one language
// with the defaults file open, acting on a modal dialog once it is shown, and the tools'
// command line, FOLDER [LANGUAGE...].

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QSize>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "bench/common/demo_app.h"
#include "channels/channel_window.h"

namespace tarvos::ui::bench {

// Runs action on the modal dialog once it is shown, looking every delayMs.
inline void OnModal(const std::function<void(QDialog*)>& action, int delayMs = 0) {
    QTimer::singleShot(delayMs, [action, delayMs] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return OnModal(action, delayMs);
        action(d);
    });
}

// The application in a fresh folder in the language given (1, 2, 3), shown at the size given
// (its own when empty) with the defaults file open. Closing it prints what the error log got.
struct ShotApp : FreshApp {
    explicit ShotApp(int language, QSize size = {}) {
        prepare(language);
        showWindow();
        if (size.isValid()) window->resize(size);
        window->OpenFile(home.path() + "/DefRadioSet.def");
    }
    ~ShotApp() {
        for (const std::string& line : errors.lines)
            std::fprintf(stderr, "log: %s\n", line.c_str());
        app->exitWithoutPrompt = true;
        window->close();
    }
    ChannelWindow& channels() { return *window->channelWindow(); }
};

// The main of a picture tool: FOLDER (or TARVOS_PAGE_SHOTS) and the languages (all three when
// none is given); shoot(folder, language) returns the number of pictures it saved. Runs
// offscreen unless a display and QT_QPA_PLATFORM are set, so the pictures show what a window
// system shows when run under one (Xvfb will do).
inline int RunShotTool(int argc, char** argv, const char* tool,
                       const std::function<int(const QString&, int)>& shoot) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = qapp.arguments().mid(1);
    const QString folder = !args.isEmpty() ? args[0] : qEnvironmentVariable("TARVOS_PAGE_SHOTS");
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        std::fprintf(stderr, "usage: %s FOLDER [LANGUAGE...]  (1, 2, 3)\n", tool);
        return 2;
    }
    QList<int> languages;
    for (const QString& a : args.mid(1)) {
        const int n = a.toInt();
        if (n < 1 || n > 3) {
            std::fprintf(stderr, "%s: no language %s (1, 2 or 3)\n", tool, qPrintable(a));
            return 2;
        }
        languages << n;
    }
    if (languages.isEmpty()) languages = {1, 2, 3};
    int saved = 0;
    for (int language : languages) saved += shoot(folder, language);
    std::printf("%d pictures in %s\n", saved, qPrintable(QDir(folder).absolutePath()));
    return saved > 0 ? 0 : 1;
}

}  // namespace tarvos::ui::bench

// tarvos_page_shots FOLDER [LANGUAGE...]: saves pictures of every function page (the whole of
// each "More Function" page too, also what is scrolled out of view) and of the dialogs behind
// the page's buttons into FOLDER, for a person to look at. Languages 1 Simplified Chinese,
// 2 Traditional Chinese, 3 English; all three when none is given. FOLDER may also come from
// TARVOS_PAGE_SHOTS. Runs offscreen unless a display and QT_QPA_PLATFORM are set, so the
// pictures show what a window system shows when run under one (Xvfb will do).

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "bench/common/demo_app.h"
#include "channels/channel_window.h"

using namespace tarvos;
using namespace tarvos::ui;

namespace {

// Runs action on the modal dialog once it is shown.
void OnModal(const std::function<void(QDialog*)>& action) {
    QTimer::singleShot(0, [action] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return OnModal(action);
        action(d);
    });
}

// The application started in a fresh folder in the language given, the defaults file open.
// Returns the number of pictures saved.
int ShootLanguage(const QString& folder, int language) {
    QTemporaryDir home;
    qputenv("TARVOS_HOME", home.path().toLocal8Bit());
    bench::SilentHost host;
    RecordingSink errors;
    auto app = std::make_unique<AppContext>(ResolveAppFolder(), &host);
    InstallMissingData(app->appFolder, ShippedInstallationData());
    app->settings.write("Setting", "FirRun", "0");
    app->settings.write("Setting", "Language", std::to_string(language));
    app->log.setSink(&errors);
    auto services = std::make_unique<AppServices>(*app);
    auto window = std::make_unique<MainWindow>(*app, *services);
    window->MDIForm_Load();
    window->show();
    window->resize(1240, 780);
    window->OpenFile(home.path() + "/DefRadioSet.def");
    ChannelWindow& channels = *window->channelWindow();

    int saved = 0;
    auto save = [&](QWidget* w, const QString& name) {
        QApplication::processEvents();
        const QString file = QString("%1/%2_%3.png").arg(folder, name).arg(language);
        if (w->grab().save(file))
            ++saved;
        else
            std::fprintf(stderr, "tarvos_page_shots: cannot write %s\n", qPrintable(file));
    };
    channels.setModeTabs()->setCurrentIndex(0);
    save(window.get(), "radio_info");
    channels.setModeTabs()->setCurrentIndex(1);
    save(window.get(), "function_parameter_1");
    channels.moreFuncTabs()->show();
    for (int t = 0; t < 4; ++t) {
        channels.moreFuncTabs()->setCurrentIndex(t);
        save(window.get(), QString("more_func_%1").arg(t));
        for (auto* scroll : channels.moreFuncPage(t)->findChildren<QScrollArea*>())
            save(scroll->widget(), QString("more_func_%1_whole").arg(t));
    }
    // The dialogs behind the page's buttons.
    for (auto [button, name] : {std::pair{"cmdTwoWayVolSet", "volume_dialog"},
                                std::pair{"cmdPttIdPauseChSet", "ptt_id_pause_dialog"},
                                std::pair{"cmdMoreFunc", "input_code_dialog"}}) {
        OnModal([&, name = QString(name)](QDialog* d) {
            save(d, name);
            d->close();
        });
        window->findChild<QPushButton*>(button)->click();
    }
    app->exitWithoutPrompt = true;
    window->close();
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = qapp.arguments().mid(1);
    const QString folder = !args.isEmpty() ? args[0] : qEnvironmentVariable("TARVOS_PAGE_SHOTS");
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        std::fprintf(stderr, "usage: tarvos_page_shots FOLDER [LANGUAGE...]  (1, 2, 3)\n");
        return 2;
    }
    QList<int> languages;
    for (const QString& a : args.mid(1)) {
        const int n = a.toInt();
        if (n < 1 || n > 3) {
            std::fprintf(stderr, "tarvos_page_shots: no language %s (1, 2 or 3)\n", qPrintable(a));
            return 2;
        }
        languages << n;
    }
    if (languages.isEmpty()) languages = {1, 2, 3};
    int saved = 0;
    for (int language : languages) saved += ShootLanguage(folder, language);
    std::printf("%d pictures in %s\n", saved, qPrintable(QDir(folder).absolutePath()));
    return saved > 0 ? 0 : 1;
}

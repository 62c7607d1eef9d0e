// tarvos_page_shots FOLDER [LANGUAGE...]: saves pictures of every function page (the whole of
// each "More Function" page too, also what is scrolled out of view) and of the dialogs behind
// the page's buttons into FOLDER, for a person to look at. Languages 1 Simplified Chinese,
// 2 Traditional Chinese, 3 English; all three when none is given. FOLDER may also come from
// TARVOS_PAGE_SHOTS. Runs offscreen unless a display and QT_QPA_PLATFORM are set, so the
// pictures show what a window system shows when run under one (Xvfb will do).

#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include "bench/common/shot_app.h"

using namespace tarvos;
using namespace tarvos::ui;
using namespace tarvos::ui::bench;

namespace {

// The pages and their dialogs in the language given; returns the number of pictures saved.
int ShootLanguage(const QString& folder, int language) {
    ShotApp shot(language, QSize(1240, 780));
    ChannelWindow& channels = shot.channels();

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
    save(shot.window.get(), "radio_info");
    channels.setModeTabs()->setCurrentIndex(1);
    save(shot.window.get(), "function_parameter_1");
    channels.moreFuncTabs()->show();
    for (int t = 0; t < 4; ++t) {
        channels.moreFuncTabs()->setCurrentIndex(t);
        save(shot.window.get(), QString("more_func_%1").arg(t));
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
        shot.window->findChild<QPushButton*>(button)->click();
    }
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    return RunShotTool(argc, argv, "tarvos_page_shots", ShootLanguage);
}

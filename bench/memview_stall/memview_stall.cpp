// bench_memview_stall: the memory data view shown and refreshed, then a full read of the
// radio through the real communication window (offscreen) with "Show memory data" ticked,
// against the virtual radio on a pseudo-terminal paced at the wire rate. Before the read every
// byte of the image is set to the complement of the radio's, so the refresh after it rewrites
// and marks every cell. A 10 ms timer ticks throughout. Prints the longest gap between two
// ticks over the whole read, the gap that spans the view's refresh (its painting included),
// and the refresh's own time. Goal: 50 ms or less. With --hidden the view is not shown.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/common/demo_app.h"
#include "link/ui/comm_window.h"
#include "memory/data_file.h"
#include "memview/memdat_window.h"
#include "widgets/grid_control.h"

using namespace tarvos::ui;

namespace {

// Ticks the comm window's "Show memory data" as soon as the window is up.
void TickShowMemDat() {
    QTimer::singleShot(0, [] {
        auto* w = qobject_cast<CommWindow*>(QApplication::activeModalWidget());
        if (!w) {
            TickShowMemDat();
            return;
        }
        w->showMemDatBox()->setChecked(true);
    });
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    // --hidden: the view is refreshed but not shown, so its painting is left out (to compare).
    const bool hidden = argc > 1 && QString(argv[1]) == "--hidden";
    bench::DemoApp demo;
    if (!demo.start("bench_memview_stall")) return 2;
    AppContext& app = *demo.app;
    AppServices& services = *demo.services;
    MainWindow& window = *demo.window;
    MemDatWindow& view = *window.memoryWindow();

    // The image as the complement of what the demo radio holds (the factory defaults).
    tarvos::ByteImage defaults(tarvos::kMinDatNum);
    tarvos::OpenDatFile((app.appFolder + "/" + tarvos::kDefaultsFileName).toStdString(), defaults,
                        app.log);
    tarvos::ByteImage& image = app.document.image();
    for (int a = 0; a <= services.tableMaxAddr(); ++a)
        image.at(a) = static_cast<uint8_t>(~defaults.at(a));

    QElapsedTimer clock;
    std::vector<qint64> ticks;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] { ticks.push_back(clock.nsecsElapsed()); });

    qint64 refreshStart = -1, refreshEnd = -1;
    services.setMemoryViewRefresh([&] {
        refreshStart = clock.nsecsElapsed();
        view.TableFreDat();
        refreshEnd = clock.nsecsElapsed();
    });

    bool success = false;
    qint64 readNs = 0;
    QObject::connect(&window, &MainWindow::transferFinished, [&](bool, bool ok) { success = ok; });
    QTimer::singleShot(200, [&] {
        if (!hidden) view.show();
        view.TableFreDat();
        QApplication::processEvents();
        clock.start();
        tick.start();
        TickShowMemDat();
        window.StartRead();
        readNs = clock.nsecsElapsed();
        // A little longer, so the painting of the refreshed cells is measured too.
        QTimer::singleShot(300, [&] {
            tick.stop();
            app.exitWithoutPrompt = true;
            window.close();
        });
    });
    qapp.exec();

    if (ticks.size() < 2 || refreshStart < 0) {
        std::fprintf(stderr, "bench_memview_stall: %s\n",
                     refreshStart < 0 ? "the view was not refreshed" : "no ticks");
        return 1;
    }
    // The gaps that overlap the refresh, and the one after it, in which the changed cells
    // may be painted.
    qint64 longest = 0, acrossRefresh = 0;
    bool afterRefresh = false;
    for (size_t i = 1; i < ticks.size(); ++i) {
        const qint64 gap = ticks[i] - ticks[i - 1];
        longest = std::max(longest, gap);
        if (ticks[i] < refreshStart || (ticks[i - 1] > refreshEnd && afterRefresh)) continue;
        acrossRefresh = std::max(acrossRefresh, gap);
        if (ticks[i - 1] > refreshEnd) afterRefresh = true;
    }
    // The gap around the refresh, split: the work of the same handler before it (the editors'
    // redisplay after the read), the refresh, and what follows until the next tick.
    qint64 before = 0, after = 0;
    for (size_t i = 1; i < ticks.size(); ++i)
        if (ticks[i - 1] <= refreshStart && ticks[i] >= refreshEnd) {
            before = refreshStart - ticks[i - 1];
            after = ticks[i] - refreshEnd;
        }
    int red = 0;
    for (int a = 0; a <= services.tableMaxAddr(); ++a)
        red += view.grid()->foreColorAt(a / 16 + 1, a % 16 + 1) == 255;
    std::printf(
        "full read with the memory view refreshed: %s in %.2f s, %zu ticks, %d of %d "
        "cells changed\n",
        success ? "succeeded" : "FAILED", readNs / 1e9, ticks.size(), red,
        services.tableMaxAddr() + 1);
    std::printf("refresh of the view: %.1f ms\n", (refreshEnd - refreshStart) / 1e6);
    std::printf(
        "longest gap between 10 ms ticks across the refresh: %.1f ms (%.1f ms before "
        "the refresh in the same handler, %.1f ms after it until the next tick)\n",
        acrossRefresh / 1e6, before / 1e6, after / 1e6);
    std::printf("longest gap between 10 ms ticks over the whole read: %.1f ms\n", longest / 1e6);
    std::printf("gap across the refresh / goal of 50 ms: %.2f\n", acrossRefresh / 1e6 / 50.0);
    return success ? 0 : 1;
}

// bench_ui_stall: runs a full read of the radio through the real communication window
// (offscreen) against the virtual radio on a pseudo-terminal, paced at the wire rate, while
// a 10 ms timer ticks. Prints the longest gap between two ticks: the longest time the
// window could not react to anything. Goal: 50 ms or less.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/common/demo_app.h"

using namespace tarvos::ui;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    bench::DemoApp demo;
    if (!demo.start("bench_ui_stall")) return 2;
    AppContext& app = *demo.app;
    MainWindow& window = *demo.window;

    QElapsedTimer clock;
    std::vector<qint64> gaps;
    qint64 last = -1;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0) gaps.push_back(now - last);
        last = now;
    });

    bool success = false;
    qint64 readNs = 0;
    QObject::connect(&window, &MainWindow::transferFinished, [&](bool, bool ok) { success = ok; });
    QTimer::singleShot(200, [&] {
        clock.start();
        tick.start();
        window.StartRead();
        readNs = clock.nsecsElapsed();
        tick.stop();
        app.exitWithoutPrompt = true;
        window.close();
    });
    qapp.exec();

    if (gaps.empty()) {
        std::fprintf(stderr, "bench_ui_stall: no ticks\n");
        return 1;
    }
    const double longest = *std::max_element(gaps.begin(), gaps.end()) / 1e6;
    std::vector<qint64> sorted = gaps;
    std::sort(sorted.begin(), sorted.end());
    const double p99 = sorted[sorted.size() * 99 / 100] / 1e6;
    std::printf("full read through the communication window: %s in %.2f s, %zu ticks\n",
                success ? "succeeded" : "FAILED", readNs / 1e9, gaps.size());
    std::printf("longest gap between 10 ms ticks: %.1f ms (99th percentile %.1f ms)\n", longest,
                p99);
    std::printf("longest gap / goal of 50 ms: %.2f\n", longest / 50.0);
    return success ? 0 : 1;
}

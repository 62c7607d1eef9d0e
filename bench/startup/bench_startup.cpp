// bench_startup: time from process start to the main window shown, and resident memory once
// the window is idle, for tarvos and for a bare Qt Widgets window started the same way in
// the same run. Prints each figure and tarvos / bare as a ratio. Goals: 1.5 or less.
//
// Runs alternate between the two programs; each figure is the median of the runs. tarvos
// runs on a prepared application folder (its first run, which installs the data, is done
// once before measuring). Both programs are measured on an X server (the desktop's, or a
// private Xvfb when there is no display) and on the offscreen platform.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Sample {
    double shownMs = 0;
    double rssKb = 0;
};

double ResidentKb(qint64 pid) {
    QFile f(QString("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}

bool Run(const QString& exe, const QStringList& args, Sample& s) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer t;
    t.start();
    p.start(exe, args);
    if (!p.waitForStarted(10000)) return false;
    QByteArray out;
    while (!out.contains("shown")) {
        if (!p.waitForReadyRead(20000)) return false;
        out += p.readAllStandardOutput();
    }
    s.shownMs = t.nsecsElapsed() / 1e6;
    QThread::msleep(1500);  // idle
    s.rssKb = ResidentKb(p.processId());
    p.kill();
    p.waitForFinished(5000);
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Starts a private X server (Xvfb) when there is no display, so the programs start the way
// they do on a desktop; returns false when none can be had.
bool EnsureDisplay(QProcess& xvfb) {
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) return true;
    for (int n = 90; n < 100; ++n) {
        if (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n))) continue;
        xvfb.start("Xvfb",
                   {QString(":%1").arg(n), "-screen", "0", "1280x900x24", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted(3000)) return false;
        for (int i = 0; i < 50 && !QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)); ++i)
            QThread::msleep(100);
        qputenv("DISPLAY", QString(":%1").arg(n).toLocal8Bit());
        return true;
    }
    return false;
}

// One measurement on the platform Qt is told to use (empty: the X server).
bool Measure(const char* label, const QString& platform, int runs) {
    if (platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    else
        qputenv("QT_QPA_PLATFORM", platform.toLocal8Bit());
    QTemporaryDir home;
    qputenv("TARVOS_HOME", home.path().toLocal8Bit());

    Sample first;
    if (!Run(TARVOS_EXE, {"--report-shown"}, first)) {
        std::fprintf(stderr, "bench_startup: tarvos did not show its window (%s)\n", label);
        return false;
    }
    std::vector<double> tShown, tRss, bShown, bRss;
    for (int i = 0; i < runs; ++i) {
        Sample b, t;
        if (!Run(BARE_EXE, {}, b) || !Run(TARVOS_EXE, {"--report-shown"}, t)) {
            std::fprintf(stderr, "bench_startup: a run failed (%s)\n", label);
            return false;
        }
        bShown.push_back(b.shownMs);
        bRss.push_back(b.rssKb);
        tShown.push_back(t.shownMs);
        tRss.push_back(t.rssKb);
    }
    const double ts = Median(tShown), bs = Median(bShown), tr = Median(tRss), br = Median(bRss);
    std::printf("%s, median of %d runs each (first run of tarvos: %.0f ms)\n", label, runs,
                first.shownMs);
    std::printf("  start to window shown: tarvos %.0f ms, bare window %.0f ms, ratio %.2f\n", ts,
                bs, ts / bs);
    std::printf("  idle resident memory:  tarvos %.1f MiB, bare window %.1f MiB, ratio %.2f\n",
                tr / 1024, br / 1024, tr / br);
    std::fflush(stdout);
    return true;
}

}  // namespace

// The goal figures are those on an X server, where a user starts the application; the
// offscreen platform (no window system at all) is printed beside them for comparison, as
// it leaves out the window-system work both programs share.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    bool ok = true;
    QProcess xvfb;
    if (EnsureDisplay(xvfb))
        ok = Measure("X server", QString(), runs) && ok;
    else
        std::printf("X server: none available (no DISPLAY and no Xvfb)\n");
    ok = Measure("offscreen", "offscreen", runs) && ok;
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(3000);
    }
    return ok ? 0 : 1;
}

// The yardstick for bench_startup: a bare Qt Widgets main window started the way tarvos is,
// printing "shown" once it is on screen.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel("bare window"));
    window.resize(1180, 760);
    window.show();
    QTimer::singleShot(0, &window, [] {
        std::printf("shown\n");
        std::fflush(stdout);
    });
    return app.exec();
}

// Draws the installed application icons: NAME-48.png, NAME-256.png and NAME.svg.
// Usage: tarvos_icongen OUTPUT_FOLDER NAME

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "shell/app_icon.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvos_icongen OUTPUT_FOLDER NAME\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    for (int size : {48, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        tarvos::ui::PaintAppIcon(p, size);
        p.end();
        if (!image.save(QString("%1/%2-%3.png").arg(folder, name).arg(size))) return 1;
    }
    QFile svg(QString("%1/%2.svg").arg(folder, name));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(tarvos::ui::AppIconSvg()) < 0) return 1;
    return 0;
}

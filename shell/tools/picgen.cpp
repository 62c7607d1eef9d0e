// Renders the main window's picture buttons for the three languages at build time:
// Read_Chs.png, Write_Chs.png, ComSet_Chs.png and the _Cht and _Eng variants; and the
// toolbar's pictures in the folder toolbar/ below it: tool_KEY.png (32 x 32) and
// tool_KEY@2x.png (64 x 64).
// Usage: tarvos_picgen OUTPUT_FOLDER

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "base/face_text.h"
#include "shell/tools/toolbar_art.h"

namespace {

struct Kind {
    const char* base;
    int caption;  // FaceText entry
    QColor top, bottom;
};

void Glyph(QPainter& p, const QString& base, const QRectF& r) {
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    if (base == "ComSet") {
        tarvos::tools::DrawSerialConnector(p, QColor(0, 0, 0, 90));
    } else {
        // A radio with an arrow into it (read) or out of it (write).
        p.drawRoundedRect(QRectF(2, 12, 12, 19), 2.5, 2.5);
        p.drawRect(QRectF(9, 4, 2.5, 9));
        QPainterPath a;
        if (base == "Read") {
            a.addRect(QRectF(21, 3, 5, 13));
            a.moveTo(16.5, 15);
            a.lineTo(30.5, 15);
            a.lineTo(23.5, 25);
        } else {
            a.addRect(QRectF(21, 13, 5, 14));
            a.moveTo(16.5, 14);
            a.lineTo(30.5, 14);
            a.lineTo(23.5, 4);
        }
        p.drawPath(a.simplified());
    }
    p.restore();
}

QImage Render(const Kind& k, int language) {
    const int w = 120, h = 72;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, k.top);
    g.setColorAt(1, k.bottom);
    p.setPen(QPen(k.bottom.darker(130), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 9, 9);
    // A soft highlight on the upper half.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRectF(3, 3, w - 6, h / 2.0 - 3), 7, 7);

    Glyph(p, k.base, QRectF(10, 8, 34, 34));

    QString text = QString::fromUtf8(tarvos::FaceTextOf(language, k.caption)).remove('&');
    QFont f;
    f.setFamilies({"Noto Sans CJK SC", "Noto Sans CJK TC", "DejaVu Sans", "Sans Serif"});
    f.setBold(true);
    f.setPixelSize(language == 3 ? 17 : 18);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(QRectF(1, 44, w, 24), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 43, w, 24), Qt::AlignCenter, text);
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvos_picgen OUTPUT_FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const Kind kinds[] = {{"Read", 3, QColor(74, 144, 226), QColor(34, 94, 178)},
                          {"Write", 4, QColor(236, 120, 84), QColor(190, 66, 44)},
                          {"ComSet", 5, QColor(72, 176, 150), QColor(30, 122, 100)}};
    const char* suffix[] = {"Chs", "Cht", "Eng"};
    for (const Kind& k : kinds)
        for (int lang = 1; lang <= 3; ++lang) {
            const QString file = QString("%1/%2_%3.png").arg(out, k.base, suffix[lang - 1]);
            if (!Render(k, lang).save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    QDir().mkpath(out + "/toolbar");
    for (const char* key : tarvos::tools::kToolbarArtKeys)
        for (int scale : {1, 2}) {
            const QString file =
                QString("%1/toolbar/tool_%2%3.png").arg(out, key, scale == 2 ? "@2x" : "");
            if (!tarvos::tools::DrawToolbarArt(key, 32 * scale).save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    return 0;
}

// The toolbar's pictures, drawn at build time by tarvos_picgen on a 32 x 32 grid and
// rendered at each size the application ships.
#include "shell/tools/toolbar_art.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvos::tools {

namespace {
const QColor kInk(52, 64, 84);
const QColor kBlue(45, 110, 200);
const QColor kGreen(40, 150, 90);
const QColor kRed(200, 60, 50);

void Page(QPainter& p, const QColor& fill) {
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(19, 3);
    path.lineTo(25, 9);
    path.lineTo(25, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(19, 3), QPointF(19, 9));
    p.drawLine(QPointF(19, 9), QPointF(25, 9));
}

void Arrow(QPainter& p, bool down, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPainterPath a;
    if (down) {
        a.addRect(13, 4, 6, 12);
        a.moveTo(8, 15);
        a.lineTo(24, 15);
        a.lineTo(16, 24);
    } else {
        a.addRect(13, 13, 6, 12);
        a.moveTo(8, 14);
        a.lineTo(24, 14);
        a.lineTo(16, 5);
    }
    p.drawPath(a.simplified());
}

void Radio(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(3, 16, 10, 14), 2, 2);
    p.drawRect(QRectF(9, 11, 2, 6));
}

}  // namespace

void DrawSerialConnector(QPainter& p, const QColor& pins) {
    QPainterPath d;
    d.moveTo(3, 10);
    d.lineTo(29, 10);
    d.lineTo(25, 22);
    d.lineTo(7, 22);
    d.closeSubpath();
    p.drawPath(d);
    p.setPen(Qt::NoPen);
    p.setBrush(pins);
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(8.5 + i * 3.75, 14), 1.1, 1.1);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(10.4 + i * 3.75, 18), 1.1, 1.1);
}

QImage DrawToolbarArt(const QString& key, int size) {
    QImage pm(size, size, QImage::Format_ARGB32_Premultiplied);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 32.0, size / 32.0);
    if (key == "FileNew") {
        Page(p, Qt::white);
        p.setPen(QPen(kGreen, 2.4));
        p.drawLine(QPointF(16, 13), QPointF(16, 23));
        p.drawLine(QPointF(11, 18), QPointF(21, 18));
    } else if (key == "FileOpen") {
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(3, 8, 24, 19));
        p.setBrush(QColor(250, 222, 130));
        QPainterPath flap;
        flap.moveTo(3, 27);
        flap.lineTo(9, 14);
        flap.lineTo(30, 14);
        flap.lineTo(27, 27);
        flap.closeSubpath();
        p.drawPath(flap);
    } else if (key == "FileSave") {
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(QColor(220, 226, 236));
        p.drawRect(QRectF(8, 17, 16, 11));
    } else if (key == "Read") {
        Radio(p);
        Arrow(p, true, kBlue);
    } else if (key == "Write") {
        Radio(p);
        Arrow(p, false, kRed);
    } else if (key == "Com") {
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(QColor(200, 208, 220));
        DrawSerialConnector(p, kInk);
    } else if (key == "Print") {
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(150, 160, 176));
        p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 20, 14, 9));
    } else if (key == "Help") {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(20);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, "?");
    } else if (key == "Exit") {
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(QColor(230, 232, 236));
        p.drawRect(QRectF(5, 4, 14, 24));
        p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 16), QPointF(28, 16));
        p.drawLine(QPointF(23, 11), QPointF(28, 16));
        p.drawLine(QPointF(23, 21), QPointF(28, 16));
    }
    return pm;
}

}  // namespace tarvos::tools

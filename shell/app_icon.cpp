#include "shell/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarvos::ui {

namespace {
QPixmap DrawRadio(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Antenna.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 44, 52));
    p.drawRoundedRect(QRectF(38, 2, 7, 20), 3, 3);
    // Body.
    QLinearGradient body(0, 14, 0, 62);
    body.setColorAt(0, QColor(58, 110, 180));
    body.setColorAt(1, QColor(28, 62, 120));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(16, 16, 32, 46), 7, 7);
    // Display.
    p.setBrush(QColor(190, 230, 200));
    p.drawRoundedRect(QRectF(21, 22, 22, 12), 2, 2);
    // Speaker grille.
    p.setBrush(QColor(220, 228, 240));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) p.drawEllipse(QPointF(25 + c * 7, 42 + r * 6), 1.8, 1.8);
    return pm;
}
}  // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128}) icon.addPixmap(DrawRadio(s));
    return icon;
}

}  // namespace tarvos::ui

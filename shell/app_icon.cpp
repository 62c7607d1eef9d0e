#include "shell/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarvos::ui {

namespace {
// The shapes on a 64 x 64 grid, shared by the painter and the SVG.
struct RoundRect {
    double x, y, w, h, r;
};
constexpr RoundRect kAntenna{38, 2, 7, 20, 3};
constexpr RoundRect kBody{16, 16, 32, 46, 7};
constexpr RoundRect kDisplay{21, 22, 22, 12, 2};
constexpr QRgb kAntennaColour = 0xFF282C34;
constexpr QRgb kBodyTop = 0xFF3A6EB4;  // the body's gradient runs from y 14 to 62
constexpr QRgb kBodyBottom = 0xFF1C3E78;
constexpr QRgb kDisplayColour = 0xFFBEE6C8;
constexpr QRgb kGrilleColour = 0xFFDCE4F0;
constexpr double kGradientTop = 14, kGradientBottom = 62;
constexpr double kHoleRadius = 1.8;
// Speaker grille: 3 x 3 holes.
QPointF Hole(int row, int column) {
    return QPointF(25 + column * 7, 42 + row * 6);
}

QRectF Rect(const RoundRect& r) {
    return QRectF(r.x, r.y, r.w, r.h);
}

QPixmap DrawRadio(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    PaintAppIcon(p, size);
    return pm;
}

QString SvgColour(QRgb c) {
    return QColor(c).name();
}

QString SvgRect(const RoundRect& r, const QString& fill) {
    return QString("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
        .arg(r.x)
        .arg(r.y)
        .arg(r.w)
        .arg(r.h)
        .arg(r.r)
        .arg(fill);
}
}  // namespace

void PaintAppIcon(QPainter& p, int size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kAntennaColour));
    p.drawRoundedRect(Rect(kAntenna), kAntenna.r, kAntenna.r);
    QLinearGradient body(0, kGradientTop, 0, kGradientBottom);
    body.setColorAt(0, QColor(kBodyTop));
    body.setColorAt(1, QColor(kBodyBottom));
    p.setBrush(body);
    p.drawRoundedRect(Rect(kBody), kBody.r, kBody.r);
    p.setBrush(QColor(kDisplayColour));
    p.drawRoundedRect(Rect(kDisplay), kDisplay.r, kDisplay.r);
    p.setBrush(QColor(kGrilleColour));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) p.drawEllipse(Hole(r, c), kHoleRadius, kHoleRadius);
    p.restore();
}

QByteArray AppIconSvg() {
    QString svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
        "viewBox=\"0 0 64 64\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"body\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" +
        QString::number(kGradientTop) + "\" x2=\"0\" y2=\"" + QString::number(kGradientBottom) +
        "\">\n"
        "      <stop offset=\"0\" stop-color=\"" +
        SvgColour(kBodyTop) +
        "\"/>\n"
        "      <stop offset=\"1\" stop-color=\"" +
        SvgColour(kBodyBottom) +
        "\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n";
    svg += SvgRect(kAntenna, SvgColour(kAntennaColour));
    svg += SvgRect(kBody, "url(#body)");
    svg += SvgRect(kDisplay, SvgColour(kDisplayColour));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            svg += QString("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
                       .arg(Hole(r, c).x())
                       .arg(Hole(r, c).y())
                       .arg(kHoleRadius)
                       .arg(SvgColour(kGrilleColour));
    svg += "</svg>\n";
    return svg.toUtf8();
}

QIcon AppIcon() {
    // The sizes a window's icon is shown at (title bars, task bars, switchers, at up to twice
    // the scale). The window system is sent every size the icon has, so none larger: the
    // desktop takes its big views from the installed icons.
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128}) icon.addPixmap(DrawRadio(s));
    return icon;
}

}  // namespace tarvos::ui

#pragma once
// The application icon, drawn rather than shipped: a small handheld radio. The window takes
// it at run time; the build draws the installed icons from the same shapes (48 and 256 pixel
// PNGs and a scalable SVG, shell/tools/icongen.cpp).

#include <QByteArray>
#include <QIcon>

class QPainter;

namespace tarvos::ui {

QIcon AppIcon();
// Paints the icon into the square 0..size of the painter.
void PaintAppIcon(QPainter& p, int size);
// The icon as an SVG document (64 x 64 user units).
QByteArray AppIconSvg();

}  // namespace tarvos::ui

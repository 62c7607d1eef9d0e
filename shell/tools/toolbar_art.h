#pragma once
// Drawing of the toolbar's pictures, used by tarvos_picgen at build time.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace tarvos::tools {

// The keys of the toolbar buttons that have a picture.
inline const char* const kToolbarArtKeys[] = {"FileNew", "FileOpen", "FileSave", "Read", "Write",
                                              "Com",     "Print",    "Help",     "Exit"};

// The picture of the toolbar button with key ("FileNew", "Read", "Com", ...), size x size
// pixels.
QImage DrawToolbarArt(const QString& key, int size);

// A 9-pin serial connector on the 32 x 32 grid, its body with the painter's pen and brush;
// also the glyph of the port picture button.
void DrawSerialConnector(QPainter& p, const QColor& pins);

}  // namespace tarvos::tools

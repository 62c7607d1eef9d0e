#pragma once
// Drawing of the toolbar's pictures, used by tarvos_picgen at build time.

#include <QImage>
#include <QString>

namespace tarvos::tools {

// The keys of the toolbar buttons that have a picture.
inline const char* const kToolbarArtKeys[] = {"FileNew", "FileOpen", "FileSave", "Read", "Write",
                                              "Com",     "Print",    "Help",     "Exit"};

// The picture of the toolbar button with key ("FileNew", "Read", "Com", ...), size x size
// pixels.
QImage DrawToolbarArt(const QString& key, int size);

}  // namespace tarvos::tools

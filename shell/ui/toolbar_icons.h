#pragma once
// The toolbar's pictures, drawn at start so they are sharp at any size.

#include <QIcon>
#include <QString>

namespace tarvos::ui {

// Picture of the toolbar button with key ("FileNew", "Read", "Com", ...).
QIcon ToolbarIcon(const QString& key);

}  // namespace tarvos::ui

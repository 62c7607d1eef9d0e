#pragma once
// The toolbar's pictures, drawn at build time (tarvos_picgen) at normal and double density.

#include <QIcon>
#include <QString>

namespace tarvos::ui {

// Picture of the toolbar button with key ("FileNew", "Read", "Com", ...).
QIcon ToolbarIcon(const QString& key);

}  // namespace tarvos::ui

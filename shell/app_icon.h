#pragma once
// The window icon, drawn rather than shipped: a small handheld radio.

#include <QIcon>

namespace tarvos::ui {

QIcon AppIcon();

}  // namespace tarvos::ui

#include "shell/toolbar_icons.h"

namespace tarvos::ui {

QIcon ToolbarIcon(const QString& key) {
    // The @2x picture beside it is picked up for high-density screens.
    return QIcon(":/toolbar/tool_" + key + ".png");
}

}  // namespace tarvos::ui

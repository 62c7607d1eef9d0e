#include "widgets/window_context.h"

namespace tarvos::ui {

WindowContext::WindowContext(QString folder, DesktopHost* desktopHost)
    : appFolder(std::move(folder)),
      settings((appFolder + "/tarvosk.def").toStdString()),
      host(desktopHost) {
    if (!host) {
        ownHost_ = std::make_unique<QtDesktopHost>();
        host = ownHost_.get();
    }
}

QString WindowContext::setting(const char* key, const char* def, int readLength) const {
    return QString::fromStdString(settings.read("Setting", key, def, readLength));
}

void WindowContext::writeSetting(const char* key, const QString& value) const {
    settings.write("Setting", key, value.toStdString());
}

}  // namespace tarvos::ui

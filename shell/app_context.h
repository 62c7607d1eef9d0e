#pragma once
// The application's state: what every window shares (WindowContext) and the one radio
// document the windows edit. One object owned by main() (or by a test), handed to every
// window by reference.

#include <QString>

#include "document/radio_document.h"
#include "widgets/window_context.h"

namespace tarvos::ui {

struct AppContext : WindowContext {
    explicit AppContext(QString folder, DesktopHost* desktopHost = nullptr)
        : WindowContext(std::move(folder), desktopHost) {}

    RadioDocument document{log};
    // The interface lock as stored in "ChannelLock".
    QString channelLock = "ShowNo";

    QString currentFilePath() const {
        return QString::fromStdString(document.currentFilePath().string());
    }
    QString untitledPath() const {
        return QString::fromStdString(document.untitledPath().string());
    }
};

}  // namespace tarvos::ui

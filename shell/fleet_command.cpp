// The main window's Program > "Auto Read/Write Radio" (F2): the Auto Read/Write Setting
// window over the document, modal, so no other transfer uses a port while its lines run.
#include "channels/channel_window.h"
#include "fleet/fleet_window.h"
#include "shell/app_context.h"
#include "shell/app_services.h"
#include "shell/main_window.h"

namespace tarvos::ui {

void MainWindow::StartReadWrite() {
    // A tone typed into the grid and not yet confirmed is part of what a write sends.
    if (channelWindow_) channelWindow_->CommitToneEntry();
    FleetWindow window(app_, app_.document, services_.fleetSetup(), this);
    window.exec();
}

}  // namespace tarvos::ui

#include "shell/ui/app_services.h"

#include "shell/ui/app_context.h"

namespace tarvos::ui {

struct AppServices::Impl {};

AppServices::AppServices(AppContext& app) : app_(app), impl_(std::make_unique<Impl>()) {}
AppServices::~AppServices() = default;

void AppServices::startupPortChoice() {
    app_.comPort = app_.setting("COM", "1", 10).toInt();
    if (app_.comPort < 1 || app_.comPort > 16) app_.comPort = 1;
}

void AppServices::autoSetPort() {}
void AppServices::prepareLink() {}
int AppServices::runCommWindow(QWidget*, int) {
    return kNoTransfer;
}
void AppServices::runPortDialog(QWidget*) {}
void AppServices::reloadFunctionPages() {}
void AppServices::checkVoxComparison() {}
bool AppServices::startDemoRadio() {
    return false;
}

}  // namespace tarvos::ui

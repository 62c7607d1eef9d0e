#include "shell/ui/app_services.h"

#include <QCoreApplication>
#include <QWidget>

#include "link/editor_state.h"
#include "link/link.h"
#include "link/qt/event_waiter.h"
#include "link/qt/port_map.h"
#include "link/qt/qt_serial_port.h"
#include "link/ui/comm_window.h"
#include "link/ui/port_dialog.h"
#include "link/ui/responsive_serial_port.h"
#include "memory/data_file.h"
#include "shell/ui/app_context.h"
#include "sim/pty_radio.h"

namespace tarvos::ui {

struct AppServices::Impl : link::TransferHost {
    Impl(AppContext& a, link::SerialPort* port, link::Waiter* wait)
        : app(a),
          ports(link::PortMap::FromSystemAsync(&a.settings)),
          responsive(ports, [] { QCoreApplication::processEvents(); }),
          link(port ? *port : responsive, wait ? *wait : waiter, a.log, &a.settings, a.iicDat, *this,
               a.faceText) {}

    // What the transfers ask of the editors.
    link::FunctionPageState functionPage() override {
        return link::FunctionPageOf(*app.functions);
    }
    void prepareImageForWrite(ByteImage& image) override {
        link::PrepareEditorsForWrite(app.codec, *app.functions, image);
    }
    void softDisplay() override {
        if (redisplay) redisplay();
    }
    int bandLow(const ByteImage&) override { return app.bandLow; }
    int bandHigh(const ByteImage&) override { return app.bandHigh; }

    void syncComPort() {
        app.comPort = link.ports.ComPort;
        if (showComPort) showComPort();
    }

    AppContext& app;
    link::QtSerialPorts ports;
    ResponsiveSerialPort responsive;
    link::EventWaiter waiter;
    link::Link link;
    std::function<void()> redisplay;
    std::function<void()> showComPort;
    std::unique_ptr<sim::PtyRadio> demo;
    int demoPort = 0;
    QWidget* mainWindow = nullptr;
};

AppServices::AppServices(AppContext& app, link::SerialPort* port, link::Waiter* waiter)
    : app_(app), impl_(std::make_unique<Impl>(app, port, waiter)) {}
AppServices::~AppServices() {
    if (impl_->demo) impl_->demo->stop();
}

void AppServices::setMainWindow(QWidget* window) {
    impl_->mainWindow = window;
}

void AppServices::setSoftDisplay(std::function<void()> softDisplay) {
    impl_->redisplay = std::move(softDisplay);
}

void AppServices::setComPortShown(std::function<void()> show) {
    impl_->showComPort = std::move(show);
}

void AppServices::startupPortChoice() {
    impl_->ports.setLanguage(app_.language);
    link::PortLayer& p = impl_->link.ports;
    p.loadComPort();
    // The demo radio is the port of this run, without touching the stored choice.
    if (impl_->demoPort) p.ComPort = impl_->demoPort;
    p.VerdictCom(p.ComPort);
    if (p.PortState[static_cast<size_t>(p.ComPort)] == -1) p.AutoSetPort();
    app_.comPort = p.ComPort;
}

void AppServices::autoSetPort() {
    impl_->link.ports.AutoSetPort();
    app_.comPort = impl_->link.ports.ComPort;
}

void AppServices::prepareLink() {
    app_.functions = std::make_unique<FunctionModel>(app_.language, &app_.log);
    impl_->link.ranges.load(app_.settings.snapshot(), app_.log, app_.iicDat.DatNum());
    impl_->link.ports.showPortDialog = [this] { runPortDialog(impl_->mainWindow); };
}

int AppServices::runCommWindow(QWidget* parent, int mode) {
    CommWindow window(app_, impl_->link, mode, parent);
    QObject::connect(&window, &CommWindow::comPortChanged, [this] { impl_->syncComPort(); });
    window.exec();
    impl_->link.setObserver(nullptr);
    if (!window.ran()) return kNoTransfer;
    int result = window.lastDirection() == link::Direction::Write ? kWriteFlag : 0;
    if (window.lastOutcome() == link::Outcome::Done) result |= kSuccessFlag;
    return result;
}

void AppServices::runPortDialog(QWidget* parent) {
    PortDialog dialog(app_, impl_->link.ports, &impl_->ports.map(), parent);
    dialog.exec();
    app_.comPort = impl_->link.ports.ComPort;
}

void AppServices::reloadFunctionPages() {
    app_.functions->InitOpt(app_.iicDat);
}

void AppServices::checkVoxComparison() {
    // The function model's redisplay: InitOpt, then the VOX check.
    app_.functions->SoftDisplay(app_.iicDat);
}

bool AppServices::startDemoRadio() {
    sim::PtyRadioOptions options;
    options.paced = true;
    // The demo radio holds the factory defaults.
    ByteImage defaults(kMinDatNum);
    RecordingSink quiet;
    ErrorLog quietLog(&quiet);
    if (OpenDatFile((app_.appFolder + "/" + kDefaultsFileName).toStdString(), defaults, quietLog))
        for (size_t i = 0; i < options.memory.size(); ++i)
            options.memory[i] = defaults.at(static_cast<int>(i));
    auto radio = std::make_unique<sim::PtyRadio>(options);
    std::string error;
    if (!radio->start(&error)) return false;
    link::PortMap& map = impl_->ports.map();
    int number = 0;
    for (int n = 1; n <= 16 && !number; ++n)
        if (map.device(n).empty()) number = n;
    if (!number) number = 16;
    map.pin(number, radio->devicePath());
    impl_->demoPort = number;
    impl_->demo = std::move(radio);
    return true;
}

}  // namespace tarvos::ui

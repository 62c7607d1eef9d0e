#include "shell/app_services.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include "document/link_host.h"
#include "fleet/fleet_window.h"
#include "link/link.h"
#include "link/qt/event_waiter.h"
#include "link/qt/line_threads.h"
#include "link/qt/port_map.h"
#include "link/qt/qt_serial_port.h"
#include "link/ui/comm_window.h"
#include "link/ui/port_dialog.h"
#include "link/ui/responsive_serial_port.h"
#include "memory/data_file.h"
#include "shell/app_context.h"
#include "sim/pty_radio.h"

namespace tarvos::ui {

namespace {
// The document as the window's transfers see it, with the communication window's
// chkShowMemDat: ticked, the memory view is refreshed after a successful read and before a
// write. The tick is kept for the run, across the windows a transfer opens.
struct ShellLinkHost : DocumentLinkHost {
    using DocumentLinkHost::DocumentLinkHost;
    bool showMemDat() override { return showMemDatTicked; }
    void tableFreDat() override {
        if (refreshMemoryView) refreshMemoryView();
    }
    bool showMemDatTicked = false;
    std::function<void()> refreshMemoryView;
};
}  // namespace

struct AppServices::Impl {
    Impl(AppContext& a, link::SerialPort* port, link::Waiter* wait)
        : app(a),
          ports([&settings = a.settings] { return link::PortMap::FromSystemAsync(&settings); }),
          responsive(ports, [] { QCoreApplication::processEvents(); }),
          host(a.document),
          serialPort(port ? *port : responsive),
          waiting(wait ? *wait : waiter),
          link(serialPort, waiting, a.log, &a.settings, a.document.image(), host, a.faceText) {}

    void syncComPort() {
        app.comPort = link.ports.ComPort();
        if (showComPort) showComPort();
    }

    AppContext& app;
    link::QtSerialPorts ports;
    ResponsiveSerialPort responsive;
    link::EventWaiter waiter;
    ShellLinkHost host;
    link::SerialPort& serialPort;  // what the link talks through, kept for the verification
    link::Waiter& waiting;
    link::Link link;
    std::function<void()> showComPort;
    std::unique_ptr<sim::PtyRadio> demo;
    int demoPort = 0;
    std::function<FleetSetup()> fleetSetup;
    // Double-clicks on the communication window's progress frame since the start.
    int frameClickNum = 0;
    QWidget* mainWindow = nullptr;
    // The start-up port test, waiting for the list of serial devices.
    bool portChoicePending = false;
    QTimer portPoll;
};

AppServices::AppServices(AppContext& app, link::SerialPort* port, link::Waiter* waiter)
    : app_(app), impl_(std::make_unique<Impl>(app, port, waiter)) {}
AppServices::~AppServices() {
    if (impl_->demo) impl_->demo->stop();
}

void AppServices::setMainWindow(QWidget* window) {
    impl_->mainWindow = window;
}

void AppServices::setComPortShown(std::function<void()> show) {
    impl_->showComPort = std::move(show);
}

void AppServices::setMemoryViewRefresh(std::function<void()> refresh) {
    impl_->host.refreshMemoryView = std::move(refresh);
}

int AppServices::tableMaxAddr() const {
    return impl_->link.ranges.TableMaxAddr;
}

void AppServices::startupPortChoice() {
    impl_->ports.setLanguage(app_.language);
    link::PortLayer& p = impl_->link.ports;
    p.loadComPort();
    // The demo radio is the port of this run, without touching the stored choice.
    if (impl_->demoPort) p.setComPort(impl_->demoPort);
    app_.comPort = p.ComPort();
    // Testing the port needs the list of the system's serial devices, which takes some
    // milliseconds to make. The window does not wait for it, nor share the processor with it
    // while it is built: the list is made on another thread once the window is up, the test
    // runs when the list is there (or at once, should a transfer or the port dialog come
    // first), and the status bar then shows the port chosen.
    const bool systemPorts = &impl_->serialPort == &impl_->responsive;
    if (systemPorts && !impl_->ports.mapReady()) {
        impl_->portChoicePending = true;
        QObject::connect(&impl_->portPoll, &QTimer::timeout, [this] {
            impl_->ports.startListing();
            impl_->portPoll.setInterval(2);
            if (impl_->ports.mapReady()) finishPortChoice();
        });
        impl_->portPoll.start(0);
        return;
    }
    testStartupPort();
}

void AppServices::testStartupPort() {
    link::PortLayer& p = impl_->link.ports;
    p.VerdictCom(p.ComPort());
    if (p.PortState(p.ComPort()) == link::PortStatus::Failed) p.AutoSetPort();
    app_.comPort = p.ComPort();
}

void AppServices::finishPortChoice() {
    if (!impl_->portChoicePending) return;
    impl_->portChoicePending = false;
    impl_->portPoll.stop();
    app_.guard("mdifrmMain->MDIForm_Load", [&] { testStartupPort(); });
    if (impl_->showComPort) impl_->showComPort();
}

void AppServices::autoSetPort() {
    finishPortChoice();
    impl_->link.ports.AutoSetPort();
    app_.comPort = impl_->link.ports.ComPort();
}

void AppServices::prepareLink() {
    impl_->link.ranges.load(app_.settings.snapshot(), app_.log, app_.document.image().DatNum());
    impl_->link.ports.showPortDialog = [this] { runPortDialog(impl_->mainWindow); };
}

int AppServices::runCommWindow(QWidget* parent, int mode) {
    finishPortChoice();
    impl_->link.transfer.setCheckEachRead(app_.setting("VerifyRead", "0", 3).toInt() != 0);
    CommWindow window(app_, impl_->link, impl_->frameClickNum, mode, parent);
    QObject::connect(&window, &CommWindow::comPortChanged, [this] { impl_->syncComPort(); });
    QCheckBox* showMemDat = window.showMemDatBox();
    showMemDat->setChecked(impl_->host.showMemDatTicked);
    QObject::connect(showMemDat, &QCheckBox::toggled,
                     [this](bool on) { impl_->host.showMemDatTicked = on; });
    window.exec();
    impl_->link.setObserver(nullptr);
    if (!window.ran()) return kNoTransfer;
    int result = window.lastDirection() == link::Direction::Write ? kWriteFlag : 0;
    if (window.lastOutcome() == link::Outcome::Done) result |= kSuccessFlag;
    return result;
}

std::optional<link::VerifyResult> AppServices::verifyLastWrite(QWidget* parent) {
    finishPortChoice();
    const link::VerifyPlan plan = link::PlanVerification(impl_->link.transfer.written());
    if (plan.empty()) return link::VerifyResult{};
    // A read of its own: the image starts as the document's, so the code check finds the
    // code; the port is the one the write found, not searched again and not stored.
    ByteImage back = app_.document.image();
    link::ReadBackHost host;
    host.page = impl_->host.functionPage();
    link::Link verify(impl_->serialPort, impl_->waiting, app_.log, nullptr, back, host,
                      app_.faceText);
    const int port = impl_->link.ports.ComPort();
    verify.ports.setComPort(port);
    verify.ports.setPortState(port, link::PortStatus::Opened);
    verify.interp.setSingleWire(impl_->link.interp.SingleWire());
    verify.ranges = impl_->link.ranges;
    verify.ranges.ReadStartAddr = plan.start;
    verify.ranges.ReadEndAddr = plan.end;
    if (!runOwnRead(parent, verify)) return std::nullopt;
    return link::CompareReadBack(plan, back);
}

std::optional<ByteImage> AppServices::readRadio(QWidget* parent, const ByteImage& start, int first,
                                                int last) {
    finishPortChoice();
    ByteImage image = start;
    link::ReadBackHost host;
    host.page = impl_->host.functionPage();
    link::Link read(impl_->serialPort, impl_->waiting, app_.log, &app_.settings, image, host,
                    app_.faceText);
    // The port search of a read, from what the application knows of the ports; a port it
    // finds becomes the application's.
    link::PortLayer& ports = impl_->link.ports;
    read.ports.setComPort(ports.ComPort());
    for (int p = 1; p <= link::kPortCount; ++p) read.ports.setPortState(p, ports.PortState(p));
    read.ports.showPortDialog = [this] { runPortDialog(impl_->mainWindow); };
    read.interp.setSingleWire(impl_->link.interp.SingleWire());
    read.ranges = impl_->link.ranges;
    read.ranges.ReadStartAddr = first;
    read.ranges.ReadEndAddr = last;
    const bool ok = runOwnRead(parent, read);
    ports.setComPort(read.ports.ComPort());
    for (int p = 1; p <= link::kPortCount; ++p) ports.setPortState(p, read.ports.PortState(p));
    impl_->link.interp.setSingleWire(read.interp.SingleWire());
    impl_->syncComPort();
    if (!ok) return std::nullopt;
    return image;
}

bool AppServices::runOwnRead(QWidget* parent, link::Link& read) {
    CommWindow window(app_, read, impl_->frameClickNum, 1, parent);
    window.exec();
    return window.ran() && window.lastOutcome() == link::Outcome::Done;
}

std::pair<int, int> AppServices::writeRange() const {
    return {impl_->link.ranges.WriteStartAddr, impl_->link.ranges.WriteEndAddr};
}

void AppServices::runPortDialog(QWidget* parent) {
    finishPortChoice();
    PortDialog dialog(app_, impl_->link.ports, &impl_->ports.map(), parent);
    dialog.exec();
    app_.comPort = impl_->link.ports.ComPort();
}

FleetSetup AppServices::fleetSetup() {
    finishPortChoice();
    if (impl_->fleetSetup) return impl_->fleetSetup();
    FleetSetup setup;
    const link::PortMap map = impl_->ports.map();
    for (const auto& [number, device] : map.entries())
        if (!device.empty()) setup.ports.emplace_back(number, device);
    setup.ranges = impl_->link.ranges;
    const int language = app_.language;
    setup.makePort = [map, language](int number) {
        link::FleetPort p;
        p.number = number;
        p.device = map.device(number);
        p.waiter = std::make_unique<link::SleepWaiter>();
        auto serial = std::make_unique<link::QtSerialPorts>(map);
        serial->setLanguage(language);
        p.serial = std::move(serial);
        return p;
    };
    setup.threads = link::QtThreads();
    return setup;
}

void AppServices::setFleetSetup(std::function<FleetSetup()> make) {
    impl_->fleetSetup = std::move(make);
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

#include "link/qt/qt_serial_port.h"

#include <QElapsedTimer>
#include <algorithm>
#include <thread>

#include "link/qt/port_hints.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvos::link {

namespace {

// One byte on the line at 9600 baud with 8 data bits, no parity and 2 stop bits: 11 bits.
constexpr qint64 kByteMicros = 11 * 1000000 / 9600;

// Why a device would not open, in the interface language (1 Simplified Chinese,
// 2 Traditional Chinese, 3 English).
enum class Why { Absent, Busy, Permission, Other, Unmapped };

std::string WhyText(Why why, const std::string& device, int language) {
    // Simplified Chinese, Traditional Chinese, English; each follows the device name.
    static const char* const kTexts[][3] = {
        {" 不存在：没有这个串口设备（编程线插好了吗？）",
         " 不存在：沒有這個串列埠裝置（編程線插好了嗎？）",
         " is absent: no such serial device (is the cable plugged in?)"},
        {" 正被其他程序占用", " 正被其他程式佔用", " is busy: another program holds it"},
        {"：没有权限。请把您的用户加入 dialout 组（sudo usermod -aG dialout $USER）后重新登录",
         "：沒有權限。請把您的使用者加入 dialout 群組（sudo usermod -aG dialout $USER）後重新登入",
         ": permission denied. Add your user to the dialout group (sudo usermod -aG dialout "
         "$USER) and log in again"},
        {" 无法打开", " 無法開啟", " cannot be opened"},
        {" 没有对应的串口设备", " 沒有對應的串列埠裝置", " has no serial device"},
    };
    const int column = language >= 1 && language <= 3 ? language - 1 : 2;
    return device + kTexts[static_cast<int>(why)][column];
}

Why OpenFailure(const std::string& device, QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return Why::Absent;
        case QSerialPort::PermissionError:
#ifndef _WIN32
            // Qt reports a port locked by another program as a permission error too; if we may
            // read and write the device, the lock is the reason.
            return ::access(device.c_str(), R_OK | W_OK) == 0 ? Why::Busy : Why::Permission;
#else
            (void)device;
            return Why::Busy;
#endif
        case QSerialPort::OpenError:
        case QSerialPort::ResourceError:
            return Why::Busy;
        default:
            return Why::Other;
    }
}

}  // namespace

std::string OpenFailureText(const std::string& device, QSerialPort::SerialPortError error,
                            int language, const SystemRoots* roots) {
    const Why why = OpenFailure(device, error);
    const std::string reason = WhyText(why, device, language);
    if (!roots) return reason;
    // What the system shows about the device may say why, in words the user can act on.
    std::string hint;
    if (why == Why::Absent)
        hint = PortHint(PortTrouble::Absent, device, language, *roots);
    else if (why == Why::Busy)
        hint = PortHint(PortTrouble::Busy, device, language, *roots);
    return WithHint(reason, hint, language);
}

QtSerialPorts::~QtSerialPorts() {
    for (auto& p : ports_)
        if (p && p->isOpen()) p->close();
}

QSerialPort* QtSerialPorts::get(int port) {
    if (port < 1 || port > kPortCount) return nullptr;
    auto& p = ports_[static_cast<size_t>(port)];
    return (p && p->isOpen()) ? p.get() : nullptr;
}

int QtSerialPorts::open(int port) {
    if (port < 1 || port > kPortCount) return -1;
    auto& reason = reasons_[static_cast<size_t>(port)];
    const std::string device = map().device(port);
    if (device.empty()) {
        // An adapter that vanished right after plugging in leaves its number without a device.
        reason = WithHint(WhyText(Why::Unmapped, "COM" + std::to_string(port), language_),
                          PortlessAdapterHint(language_, roots_), language_);
        return -1;
    }
    auto& p = ports_[static_cast<size_t>(port)];
    if (p && p->isOpen()) p->close();
    p = std::make_unique<QSerialPort>();
    p->setPortName(QString::fromStdString(device));
    if (!p->open(QIODevice::ReadWrite)) {
        reason = OpenFailureText(device, p->error(), language_, &roots_);
        p.reset();
        return -1;
    }
#ifdef __linux__
    // Replies pass at once instead of after the adapter's latency timer; a driver that
    // refuses (a pseudo-terminal does) just keeps its timing.
    RequestLowLatency(static_cast<int>(p->handle()));
#endif
    reason.clear();
    return 0;
}

void QtSerialPorts::ioctl(int port, int, int) {
    if (QSerialPort* p = get(port)) {
        p->setBaudRate(QSerialPort::Baud9600);
        p->setDataBits(QSerialPort::Data8);
        p->setParity(QSerialPort::NoParity);
        p->setStopBits(QSerialPort::TwoStop);
        p->setFlowControl(QSerialPort::NoFlowControl);
    }
}

int QtSerialPorts::setReadTimeouts(int port, int totalMs, int) {
    if (port < 1 || port > kPortCount) return -1;
    timeoutMs_[static_cast<size_t>(port)] = totalMs;
    return 0;
}

void QtSerialPorts::flush(int port, int) {
    // Only unread input is discarded: dropping output could cut short a frame the line is
    // still sending, and every frame waits for its answer before the next flush anyway.
    if (QSerialPort* p = get(port)) {
        p->clear(QSerialPort::Input);
        p->readAll();
    }
}

int QtSerialPorts::write(int port, const uint8_t* data, int count) {
    QSerialPort* p = get(port);
    if (!p) return 0;
    qint64 n = p->write(reinterpret_cast<const char*>(data), count);
    while (p->bytesToWrite() > 0)
        if (!p->waitForBytesWritten(1000)) break;
    return static_cast<int>(n < 0 ? 0 : n);
}

int QtSerialPorts::read(int port, uint8_t* data, int count) {
    QSerialPort* p = get(port);
    if (!p || count <= 0) return 0;
    const int timeout = timeoutMs_[static_cast<size_t>(port)];
    QElapsedTimer timer;
    timer.start();
    int got = 0;
    while (got < count) {
        if (p->bytesAvailable() > 0) {
            qint64 n = p->read(reinterpret_cast<char*>(data) + got, count - got);
            if (n < 0) break;
            got += static_cast<int>(n);
            // Bytes trickling in one by one come at the wire rate: the rest cannot all be
            // there before they have crossed the line, so sleep for all but the last two of
            // them instead of waking up for each. Fewer wake-ups leave the processor to the
            // other lines of a fleet; the reply is not late, as the last bytes are still waited
            // for (the two cover the time a sleep may overrun).
            const int missing = count - got;
            if (n == 1 && missing > 2) {
                const qint64 left = timeout - timer.elapsed();
                const qint64 wireUs = static_cast<qint64>(missing - 2) * kByteMicros;
                if (left > 0)
                    std::this_thread::sleep_for(
                        std::chrono::microseconds(std::min(wireUs, left * 1000)));
            }
            continue;
        }
        const qint64 left = timeout - timer.elapsed();
        if (left <= 0) break;
        if (!p->waitForReadyRead(static_cast<int>(left)) &&
            p->error() != QSerialPort::TimeoutError && p->error() != QSerialPort::NoError)
            break;  // the device went away: nothing more will come
    }
    return got;
}

void QtSerialPorts::close(int port) {
    if (port < 1 || port > kPortCount) return;
    auto& p = ports_[static_cast<size_t>(port)];
    if (p) {
        if (p->isOpen()) p->close();
        p.reset();
    }
}

std::string QtSerialPorts::openFailureReason(int port) const {
    if (port < 1 || port > kPortCount) return {};
    return reasons_[static_cast<size_t>(port)];
}

}  // namespace tarvos::link

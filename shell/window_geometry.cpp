#include "shell/window_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

#include "widgets/window_context.h"

namespace tarvos::ui {

namespace {
constexpr const char* kKey = "MainWindow";
}

MainWindowGeometry::MainWindowGeometry(WindowContext& ctx, QMainWindow& window)
    : QObject(&window), ctx_(ctx), window_(window) {
    setObjectName("mainWindowGeometry");
    later_ = new QTimer(this);
    later_->setSingleShot(true);
    later_->setInterval(500);
    connect(later_, &QTimer::timeout, this, [this] { Save(); });
    Restore();
    window.installEventFilter(this);
}

bool MainWindowGeometry::Parse(const QString& text, QRect& normal, bool& maximised) {
    const QStringList parts = text.split(',');
    if (parts.size() != 5) return false;
    int v[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return false;
    }
    if (v[2] <= 0 || v[3] <= 0 || (v[4] != 0 && v[4] != 1)) return false;
    normal = QRect(v[0], v[1], v[2], v[3]);
    maximised = v[4] == 1;
    return true;
}

void MainWindowGeometry::Restore() {
    stored_ = ctx_.setting(kKey, "", 40);
    QRect normal;
    bool maximised = false;
    if (!Parse(stored_, normal, maximised)) return;
    // A screen taken away, or made smaller, since: the window keeps its default place.
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(normal)) {
            window_.setGeometry(normal);
            break;
        }
    }
    if (maximised) window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
}

QString MainWindowGeometry::currentText() const {
    const QRect r =
        window_.normalGeometry().isValid() ? window_.normalGeometry() : window_.geometry();
    return QString("%1,%2,%3,%4,%5")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .arg(window_.isMaximized() ? 1 : 0);
}

void MainWindowGeometry::Save() {
    later_->stop();
    // Only what the user saw: a window never shown has nothing to remember.
    if (!window_.testAttribute(Qt::WA_WState_ExplicitShowHide) || window_.isMinimized()) return;
    const QString now = currentText();
    if (now == stored_) return;
    stored_ = now;
    ctx_.writeSetting(kKey, now);
}

bool MainWindowGeometry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::WindowStateChange:
                if (window_.isVisible()) later_->start();
                break;
            case QEvent::Close:
                Save();
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tarvos::ui

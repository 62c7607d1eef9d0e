#include "widgets/centre_over.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tarvos::ui {

namespace {
// Centres its window once, on the window's first showing, then goes.
class FirstShow : public QObject {
  public:
    explicit FirstShow(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            if (QWidget* parent = window_->parentWidget()) CentreOver(window_, parent);
            window_->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    QWidget* window_;
};
}  // namespace

void CentreOver(QWidget* window, const QWidget* owner) {
    if (!window || !owner) return;
    const QWidget* over = owner->window();
    QRect r = window->frameGeometry();
    r.moveCenter(over->frameGeometry().center());
    QScreen* screen = QGuiApplication::screenAt(r.center());
    if (!screen) screen = over->screen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        r.moveLeft(
            std::clamp(r.left(), room.left(), std::max(room.left(), room.right() - r.width() + 1)));
        r.moveTop(
            std::clamp(r.top(), room.top(), std::max(room.top(), room.bottom() - r.height() + 1)));
    }
    window->move(r.topLeft());
}

void CentreOnFirstShow(QWidget* window) {
    new FirstShow(window);
}

}  // namespace tarvos::ui

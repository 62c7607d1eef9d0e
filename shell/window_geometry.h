#pragma once
// The main window's size, position and maximised state, kept in section Setting of the
// settings file as `MainWindow` ("left,top,width,height,maximised": the window's normal
// geometry and 1 or 0). Written when the user has changed them (a moment after the last move
// or resize) and when the window closes; at the next start the maximised state comes back,
// and the size and position too when a screen still has room for them whole. Without the key
// the window opens at its own default size.

#include <QObject>
#include <QRect>
#include <QString>

class QMainWindow;
class QTimer;

namespace tarvos::ui {

struct WindowContext;

class MainWindowGeometry : public QObject {
    Q_OBJECT
  public:
    // Restores what the settings file holds, before the window is first shown.
    MainWindowGeometry(WindowContext& ctx, QMainWindow& window);

    // The text stored for the window as it is now.
    QString currentText() const;
    void Save();

    // A stored text read back; false when it is no geometry.
    static bool Parse(const QString& text, QRect& normal, bool& maximised);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Restore();

    WindowContext& ctx_;
    QMainWindow& window_;
    QTimer* later_ = nullptr;
    QString stored_;
};

}  // namespace tarvos::ui

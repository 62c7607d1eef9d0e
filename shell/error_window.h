#pragma once
// The error list window frmShowErr and the error sink that feeds it. Every ShowErr entry is
// appended to the window's list; the first entry after start-up, or after the user closed
// the window, opens it again with an empty list. Nothing of the list is kept elsewhere.

#include <QPointer>
#include <QWidget>

#include "base/error_log.h"

class QListWidget;

namespace tarvos::ui {

class ErrorWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ErrorWindow(QWidget* parent = nullptr);
    void appendLine(const QString& line);
    QListWidget* list() const { return listShowErr_; }
    int errLineNo() const { return errLineNo_; }

  private:
    QListWidget* listShowErr_;
    int errLineNo_ = 0;
};

class ErrorWindowSink : public ErrorSink {
  public:
    explicit ErrorWindowSink(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    void appendLine(const std::string& line) override;
    // The window while it is open, else nullptr.
    ErrorWindow* window() const { return window_; }
    void close();

  private:
    QWidget* owner_;
    QPointer<ErrorWindow> window_;
};

}  // namespace tarvos::ui

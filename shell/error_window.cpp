#include "shell/error_window.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace tarvos::ui {

ErrorWindow::ErrorWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("frmShowErr");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Notice");
    listShowErr_ = new QListWidget(this);
    listShowErr_->setObjectName("listShowErr");
    listShowErr_->setSelectionMode(QAbstractItemView::NoSelection);
    listShowErr_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(listShowErr_);
    resize(820, 220);
}

void ErrorWindow::appendLine(const QString& line) {
    // The line counter is 16-bit in the radio software's tradition; past its end the list
    // simply keeps appending at the end.
    listShowErr_->insertItem(listShowErr_->count(), line);
    if (errLineNo_ < 32767) ++errLineNo_;
    listShowErr_->scrollToBottom();
}

void ErrorWindowSink::appendLine(const std::string& line) {
    if (!window_) {
        window_ = new ErrorWindow(owner_);
        if (owner_)
            window_->move(owner_->geometry().left() + 40, owner_->geometry().bottom() - 260);
        window_->show();
    }
    window_->appendLine(QString::fromStdString(line));
}

void ErrorWindowSink::close() {
    if (window_) window_->close();
}

}  // namespace tarvos::ui

#pragma once
// The communication window frmCommun: it runs a read or a write of the radio through the
// link core and shows what the transfer reports (progress, status, log, stop box). It opens
// modally; from the menus and picture buttons it starts its transfer at once and closes
// itself when the transfer ends. While a transfer runs it cannot be closed: a close request
// ticks the stop box instead.

#include <QDialog>
#include <QPixmap>

#include "link/observer.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tarvos::link {
class Link;
}

namespace tarvos::ui {

struct WindowContext;

class CommWindow : public QDialog, public link::TransferObserver {
    Q_OBJECT
  public:
    // mode 1: read at once, 2: write at once, 0: both buttons shown, the user starts.
    // frameClickNum: the double-clicks on fraOne since the program started, kept by the
    // caller across windows.
    CommWindow(WindowContext& ctx, link::Link& link, int& frameClickNum, int mode,
               QWidget* parent = nullptr);
    ~CommWindow() override;

    // The last transfer: its direction and outcome; false before any transfer ran.
    bool ran() const { return ran_; }
    link::Direction lastDirection() const { return lastDirection_; }
    link::Outcome lastOutcome() const { return lastOutcome_; }

    void cmdRead_Click();
    void cmdWrite_Click();
    // The double-click on fraOne that opens the hidden panel every tenth time from the 6th.
    void fraOne_DblClick();
    bool panelShown() const;
    // chkShowMemDat of the hidden panel: ticked, the memory view is refreshed after a
    // successful read and before a write (the transfer asks its host).
    QCheckBox* showMemDatBox() const { return chkShowMemDat_; }

    // TransferObserver.
    void progress(int percent) override;
    void statusText(const std::string& text) override;
    void logChanged(const link::CommLog& log) override;
    void stopBox(bool visible, bool ticked) override;
    void singleWire(bool on) override;
    void comPort(int port) override;
    void messageBox(int faceText, const std::string& text, const std::string& title) override;
    void running(link::Direction d, bool on) override;
    void finished(link::Direction d, link::Outcome outcome, bool closeWindow) override;

  signals:
    void comPortChanged(int port);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void InitFace();
    void runTransfer(link::Direction d);
    QLineEdit* addressBox(const char* name, const char* key, const QString& text);

    WindowContext& ctx_;
    link::Link& link_;
    int& frameClickNum_;
    int mode_;
    bool ran_ = false;
    bool busy_ = false;
    bool closeAfterTransfer_ = false;
    link::Direction lastDirection_ = link::Direction::Read;
    link::Outcome lastOutcome_ = link::Outcome::Failed;

    QGroupBox* fraOne_;
    QGroupBox* fraTwo_;
    QGroupBox* fraRdWrDat_;
    QProgressBar* prgCommunicate_;
    QLabel* lblComStatus_;
    QLabel* lblComPercent_;
    QLabel* imgGreen_;
    QPixmap lights_[2];  // the status light off and on, drawn once
    QPushButton* cmdRead_;
    QPushButton* cmdWrite_;
    QCheckBox* chkStopCom_;
    QListWidget* listRtData_;
    QCheckBox* chkComRxMode_;
    QCheckBox* chkNotShowProg_;
    QCheckBox* chkShowMemDat_;
    QTimer* tmrReadStart_;
    QTimer* tmrWriteStart_;
    QTimer* tmrLigGrint_;
};

}  // namespace tarvos::ui

#pragma once
// The Auto Read/Write Setting window (Program > Auto Read/Write Radio, F2): programs radios
// by the box, one production line per chosen port, all running side by side (link/fleet.h):
// Write to Radio (each write read back and compared) or Read from Radio (each read saved as
// a file of its own in the chosen folder, Data/auto by default), Interval Time between the
// looks for the next radio, Show Progress, numbering of one code box for the radios written,
// Start and Stop. A row per port shows its progress, its state and its count of radios done
// and failed; a row per radio shows what the report file in the folder holds.
//
// The lines run on threads of their own; what they report comes over to this window's thread
// as queued calls, so the window never waits for a line and stays responsive. The document is
// read once, at Start, and never changed by the run.

#include <QDialog>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/fleet.h"
#include "link/range_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace tarvos {
class RadioDocument;
}

namespace tarvos::ui {

struct WindowContext;

// What the application gives the window: the ports a user may choose (number, device), the
// transfer ranges in force, and how a line's serial port and waiter are made.
struct FleetSetup {
    std::vector<std::pair<int, std::string>> ports;
    link::RangeSettings ranges;
    std::function<link::FleetPort(int number)> makePort;
    link::ThreadStarter threads = link::StdThreads();
    // The time files and report lines are named after (the system clock when empty).
    std::function<std::time_t()> clock;
};

class FleetWindow : public QDialog {
    Q_OBJECT
  public:
    FleetWindow(WindowContext& ctx, const RadioDocument& doc, FleetSetup setup,
                QWidget* parent = nullptr);
    ~FleetWindow() override;

    // The Start and Stop buttons. Start is refused (and says why) without a chosen port,
    // without a first number while numbering, or when the folder or the report cannot be
    // written; true when the lines started.
    bool Start();
    void Stop();
    bool running() const { return fleet_ != nullptr; }

    QString summary() const;
    QString reportPath() const { return reportPath_; }
    // The port rows (in the order of the chosen ports) and the report rows.
    QTableWidget* lines() const { return tblLines_; }
    QTableWidget* report() const { return tblReport_; }

  signals:
    // Every line of the run has ended.
    void runFinished();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

  private:
    class Bridge;
    void InitFace();
    void ShowMode();
    void ChooseFolder();
    void ShowLineState(int line, link::LineState state);
    void ShowLineProgress(int line, int percent);
    void ShowLineStatus(int line, const QString& text);
    void ShowRecord(const link::RadioRecord& record);
    void RunEnded();
    void SetEditable(bool editable);
    QString text(const char* const texts[3]) const;

    WindowContext& ctx_;
    const RadioDocument& doc_;
    FleetSetup setup_;
    std::unique_ptr<Bridge> bridge_;
    std::unique_ptr<link::Fleet> fleet_;
    std::vector<int> chosen_;                 // the port numbers of the run, in line order
    std::vector<std::pair<int, int>> times_;  // per line: done, failed
    int ended_ = 0;
    int done_ = 0, failed_ = 0, unfinished_ = 0;
    bool closeAsked_ = false;
    QString reportPath_;

    QRadioButton* optWrite_;
    QRadioButton* optRead_;
    QListWidget* listPorts_;
    QSpinBox* spnInterval_;
    QCheckBox* chkShowProgress_;
    QCheckBox* chkNumbering_;
    QComboBox* cboNumberBox_;
    QLineEdit* txtFirstNumber_;
    QSpinBox* spnStep_;
    QLineEdit* txtFolder_;
    QPushButton* cmdFolder_;
    QPushButton* cmdStart_;
    QPushButton* cmdStop_;
    QTableWidget* tblLines_;
    QTableWidget* tblReport_;
    QLabel* lblSummary_;
};

}  // namespace tarvos::ui

#pragma once
// The main window mdifrmMain: the frame that holds the channel window maximised, the menus,
// the keyed toolbar, the three-panel status bar and the picture buttons, and routes every
// command to the document or the window that carries it out. Its load step runs the
// application's start-up sequence (startup.h); its close step is the exit question and the
// closing order.

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

class QLabel;
class QMdiArea;
class QTimer;
class QMdiSubWindow;
class QToolButton;
class QToolBar;

namespace tarvos::ui {

struct AppContext;
class ChannelWindow;
class FunctionPages;
class MemDatWindow;
class CommWindow;
class CompareWindow;
class ErrorWindowSink;
class AppServices;
class PrintCommand;
class UnsavedChanges;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(AppContext& app, AppServices& services, ErrorWindowSink* errorSink = nullptr);
    ~MainWindow() override;

    // Start-up (RunStartup).
    void MDIForm_Load();
    // Start-up steps that build this window's parts.
    void SetSoftFace();
    void CreateChannelWindow();
    void ShowChannelWindow();
    // The memory data view, loaded and not shown; the channel window's hidden gestures show
    // and hide it and the transfers refresh it.
    void CreateMemoryWindow();
    // The lock items' shared tick (mnuLockFace, mnuChLock, mnuPopChLock).
    void ShowLockTick(bool locked);

    // The interface lock (interface_lock.cpp): Settings > Lock Face, the channel-lock items,
    // applying a state and the blinking status text.
    void mnuLockFace_Click(bool checked);
    void mnuChLock_Click(bool checked);
    void LockFaceOperate(bool locked);
    void tmrChLock_Timer();
    void tmrChLockBlink_Timer();
    QTimer* lockTimer() const { return tmrChLock_; }
    QTimer* lockBlinkTimer() const { return tmrChLockBlink_; }

    // File menu (file_commands.cpp).
    void NewFile();
    void OpenFile(const QString& path = {});
    void SaveFile();
    // True when the image reached a file (false: cancelled or failed, and said so).
    bool SaveAsFile();
    void RestoreDefaultSetting();
    // Edit menu: take the last change back, make it again.
    void Undo();
    void Redo();
    // CHIRP CSV channel lists (File menu).
    void ImportCsv();
    void ExportCsv();
    // File > Print (Ctrl+P) and the toolbar's Print: the print dialog, made on first use.
    void PrintFile();
    PrintCommand* printCommand() const { return print_; }
    // Program and Settings menus (transfer_commands.cpp).
    void StartRead();
    void StartWrite();
    // Program > Auto Read/Write Radio (fleet_command.cpp): the Auto Read/Write Setting window.
    void StartReadWrite();
    void ShowPortDialog();
    // Comparisons (compare_commands.cpp): File > Compare with File…, Program > Compare with
    // Radio, and the question before a write while Settings > Show changes before writing is
    // ticked (true: write).
    void CompareWithFile();
    void CompareWithRadio();
    bool ConfirmWriteChanges();
    // Help menu.
    void Help();
    void ShowAbout();
    // Exit (File menu, toolbar): closes the main window the same way its close button does.
    void ExitSoft();
    // Language menu (language_command.cpp): 1 Simplified, 2 Traditional, 3 English.
    void ShowLanguageTick(int language);
    void SelectLanguage(int language);

    // Status bar panels: 1 state text, 2 port, 3 file name.
    void SetStatusNotice(const QString& text);
    // Panel 1 back to its state text (a file opened, a transfer starting).
    void ShowStateNotice();
    void ShowComPort();
    void ShowFilePath();
    // The title: the file's name, marked while it holds unsaved changes.
    void ShowTitle();
    QString statusText(int panel) const;

    ChannelWindow* channelWindow() const { return channelWindow_; }
    FunctionPages* functionPages() const { return functionPages_; }
    // The memory view is made the first time it is wanted (shown, or refreshed after a read):
    // most sessions never open it, and its grid of a thousand cells is start-up time.
    MemDatWindow* memoryWindow();
    QAction* action(const QString& objectName) const;
    QToolBar* toolbar() const { return toolbar_; }

  signals:
    // A transfer ended; the outcome text is also shown in status panel 1.
    void transferFinished(bool write, bool success);

  protected:
    void closeEvent(QCloseEvent* e) override;
    // The MDI area writes its own title over the main window's when a child's caption
    // changes; the file's name and mark are put back.
    void changeEvent(QEvent* e) override;

  private:
    // Building the frame; the menus, toolbar and picture buttons are in main_menus.cpp.
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void BuildPictureButtons();
    void LoadPictureButtons();
    void ShowUndoState();
    void ToggleLock(bool checked);
    void tlbMdiFrmMain_ButtonClick(const QString& key);
    bool QueryUnload();
    void AddCompareCommands();
    void ShowCompareCaptions();
    void ShowComparison(CompareWindow* window);
    void RevealChannel(int channel, int column);
    void RunTransfer(int mode);
    // "Verify after write": the written areas read back and compared; the summary line (also
    // written to the error window, with the first differing bytes).
    QString VerifyAfterWrite();

    AppContext& app_;
    AppServices& services_;
    ErrorWindowSink* errorSink_;
    int observer_ = 0;
    std::map<QString, QAction*> actions_;
    QToolBar* toolbar_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QMdiSubWindow* channelSub_ = nullptr;
    ChannelWindow* channelWindow_ = nullptr;
    FunctionPages* functionPages_ = nullptr;
    MemDatWindow* memDat_ = nullptr;
    PrintCommand* print_ = nullptr;
    QLabel* statusNotice_ = nullptr;
    QLabel* statusCom_ = nullptr;
    QLabel* statusAddress_ = nullptr;
    QToolButton* picReadDat_ = nullptr;
    QToolButton* picWriteDat_ = nullptr;
    QToolButton* picComSet_ = nullptr;
    QTimer* tmrChLock_ = nullptr;
    QTimer* tmrChLockBlink_ = nullptr;
    int blinkPhase_ = 0;
    QPointer<CompareWindow> compareWindow_;
    std::unique_ptr<UnsavedChanges> unsaved_;
};

}  // namespace tarvos::ui

#pragma once
// The channel window frmChMem: the tab control sstabSetMode with the channel grid
// vsfgGridCh in fraMain and the model frame fraModel on its first page and the function
// frame on its second, and the hidden second tab control sstabMoreFunc that the function
// pages fill. The grid is built from the channel layout of the language in force and shows
// the document's channel table; the model and band selectors show the document's model and
// band. The window redraws whenever the document says its image was replaced.
//
// Its parts are defined in files of their own: channel_window_layout.cpp (pages, texts, grid
// columns), channel_cell_editing.cpp, channel_tone_box.cpp, channel_menu.cpp and
// channel_model_panel.cpp.

#include <QWidget>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;

namespace tarvos {
class ChannelEditor;
class RadioDocument;
enum class DocumentChange;
}  // namespace tarvos

namespace tarvos::ui {

struct WindowContext;
class AutoInputWindow;
class GridControl;

class ChannelWindow : public QWidget {
    Q_OBJECT
  public:
    ChannelWindow(WindowContext& ctx, RadioDocument& document, QWidget* parent = nullptr);
    ~ChannelWindow() override;

    // Start-up: texts, layout, grid, channel reset, model and band.
    void InitChMem();
    void ChInfoInitFace();
    void SetChGrid();
    void InitChTable();
    // Shows every channel of the document's table.
    void ShowChTblGrid();
    // The full refresh after a read or an open (the document's, which this window follows).
    void SoftDisplay();
    // Stores a tone typed into the grid's tone box and not yet confirmed.
    void CommitToneEntry();

    // The interface lock: the grid and the three function frames disabled, no selection
    // colour (the window's part of LockFaceOperate).
    void LockFaceOperate(bool locked);
    // The main menu's channel-lock item, which the channel menu's lock item mirrors.
    void ShowChLockItem(bool visible, bool checked);

    // Channel commands.
    void mnuDelOne_Click();
    void mnuDelAll_Click();
    // The Auto Input window, shown modeless (created on first use).
    void cmdAutoInput_Click();
    AutoInputWindow* autoInputWindow() const { return frmAutoInput_; }

    // The tone box laid over a tone cell, and the channel menu with its menu row.
    QComboBox* toneBox() const { return cboGridChCtdcs_; }
    QMenu* channelMenu() const { return mnuPopMenuOne_; }
    int menuRow() const { return menuRow_; }

    // Model and band.
    void ChInfoModel();
    void cboModel_Click();
    void cboFrequency_Click();

    GridControl* grid() const { return vsfgGridCh_; }
    QComboBox* modelBox() const { return cboModel_; }
    QComboBox* bandBox() const { return cboFrequency_; }
    QTabWidget* setModeTabs() const { return sstabSetMode_; }
    QTabWidget* moreFuncTabs() const { return sstabMoreFunc_; }
    // Where the function pages put their controls: fraOptionSet on the second tab, the four
    // pages of sstabMoreFunc ("Tab 3" through fraSysSet2), the read/write code area of
    // fraModel and the ">" button that asks for the access code.
    QGroupBox* optionFrame() const { return fraOptionSet_; }
    QWidget* moreFuncPage(int index) const;
    QWidget* sysSet2Frame() const { return fraSysSet2_; }
    QWidget* codeArea() const { return codeArea_; }
    QPushButton* moreFuncButton() const { return cmdMoreFunc_; }
    // The three function-setting frames (fraSysSet0..2) the interface lock disables.
    QWidget* sysSetFrame(int index) const;

    // Frequency text as the grid shows it: MHz in the shortest decimal form.
    static QString FrequencyText(int32_t tenHz);

    // The channel menu for row, opened at the global position at (the right button over a
    // cell, the Menu key, Shift+F10).
    void OpenChannelMenu(int row, QPoint at);

  signals:
    // A notice for the status bar (rows a paste left out).
    void notice(const QString& text);
    // The "Restore Default Setting" button.
    void restoreDefaultsRequested();
    // The channel menu's lock item (it runs the main menu's channel-lock command).
    void chLockToggled();
    // The hidden gestures that show and hide the memory data view: a double-click on the
    // model label, a click on the model frame itself.
    void lblModelDblClicked();
    void fraModelClicked();

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's parts in files of their own.
    friend class ChannelRowCommands;
    friend class ChannelGridKeys;
    void BuildPages();
    void BuildChannelMenu();
    void BuildToneBox();
    void documentChanged(DocumentChange what);
    ChannelEditor& editor();
    // The grid, its colours and the tone box drawn from the editor's model.
    void render();
    void renderToneBox();
    void selectCurrentLater();
    // Grid events.
    void vsfgGridCh_BeforeEdit(int row, int col, bool* cancel);
    void vsfgGridCh_AfterEdit(int row, int col);
    void vsfgGridCh_Click();
    void vsfgGridCh_DblClick();
    void vsfgGridCh_MouseDown(Qt::MouseButton button, int x, int y);
    void watchCellEditor();
    void modelFrameMouse(QEvent* event);
    bool editorDoubleClick(bool toneBox);
    // The model and band selectors and the caption, from the document.
    void showModelAndBand();
    void homeCell();

    WindowContext& ctx_;
    RadioDocument& doc_;
    int observer_ = 0;
    QTabWidget* sstabSetMode_ = nullptr;
    QTabWidget* sstabMoreFunc_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* fraSysSet0_ = nullptr;
    QWidget* fraSysSet1_ = nullptr;
    QWidget* fraSysSet2_ = nullptr;
    QWidget* codeArea_ = nullptr;
    QGroupBox* fraMain_ = nullptr;
    QGroupBox* fraModel_ = nullptr;
    QGroupBox* fraOptionSet_ = nullptr;
    GridControl* vsfgGridCh_ = nullptr;
    QLabel* lblModel_ = nullptr;
    QLabel* lblFrequency_ = nullptr;
    QComboBox* cboModel_ = nullptr;
    QComboBox* cboFrequency_ = nullptr;
    QPushButton* cmdDelAllCh_ = nullptr;
    QPushButton* cmdDefSet_ = nullptr;
    QPushButton* cmdAutoInput_ = nullptr;
    QPushButton* cmdMoreFunc_ = nullptr;
    QComboBox* cboGridChCtdcs_ = nullptr;
    QMenu* mnuPopMenuOne_ = nullptr;
    QAction* mnuDelOne_ = nullptr;
    QAction* mnuDelAll_ = nullptr;
    QAction* mnuPopChLock_ = nullptr;
    QAction* sepPopChLock_ = nullptr;
    AutoInputWindow* frmAutoInput_ = nullptr;
    bool showingBand_ = false;
    bool showingToneBox_ = false;
    bool selectPending_ = false;
    bool chLockVisible_ = true;
    bool chLockChecked_ = false;
    bool frameDblClicked_ = false;
    int menuRow_ = 0;
    // The cell an edit started on and its text then: an edit left as it was stores nothing.
    int editRow_ = 0, editCol_ = 0;
    QString editStartText_;
    uint32_t normalBack_ = 0xFFFFFF;
    uint32_t normalSel_ = 0;
};

}  // namespace tarvos::ui

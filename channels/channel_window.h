#pragma once
// The channel window frmChMem: the tab control sstabSetMode with the channel grid
// vsfgGridCh in fraMain and the model frame fraModel on its first page and the function
// frame on its second, and the hidden second tab control sstabMoreFunc that the function
// pages fill. The grid is built from the channel layout of the language in force and shows
// ChInfo as the codec decodes it from the image; the model and band selectors keep the
// band bytes of the image.

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tarvos::ui {

struct AppContext;
class AppServices;
class GridControl;

class ChannelWindow : public QWidget {
    Q_OBJECT
  public:
    ChannelWindow(AppContext& app, AppServices& services, QWidget* parent = nullptr);

    // Start-up: texts, tone list, layout, grid, channel reset, model and band.
    void InitChMem();
    void ChInfoInitFace();
    void SetChGrid();
    void InitChTable();
    void DelOneChannel(int ch);
    void ShowChTblGrid();
    void RxFreShow(int ch);
    void TxFreShow(int ch);
    void CtdcsDecShow(int ch);
    void CtdcsEncShow(int ch);
    void ChParaShow(int ch);
    // The full refresh after a read or an open.
    void SoftDisplay();
    // New without the question: the template with the model and band kept, redrawn.
    void NewFileSol();
    // Stores a tone typed into the grid's tone box and not yet confirmed.
    void CommitToneEntry() {}

    // Model and band.
    void ChInfoModel();
    void cboModel_Click();
    void cboFrequency_Click();
    void IicDatToModel();
    void IicDatToBand();

    GridControl* grid() const { return vsfgGridCh_; }
    QComboBox* modelBox() const { return cboModel_; }
    QComboBox* bandBox() const { return cboFrequency_; }
    QTabWidget* setModeTabs() const { return sstabSetMode_; }
    QTabWidget* moreFuncTabs() const { return sstabMoreFunc_; }

    // Frequency text as the grid shows it: MHz in the shortest decimal form.
    static QString FrequencyText(int32_t tenHz);

  signals:
    // CurrentFilePath changed (the custom band starts a new file).
    void filePathChanged();
    // The "Restore Default Setting" button.
    void restoreDefaultsRequested();

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    void BuildPages();
    void setBandCaption(int index);
    void homeCell();

    AppContext& app_;
    AppServices& services_;
    QTabWidget* sstabSetMode_ = nullptr;
    QTabWidget* sstabMoreFunc_ = nullptr;
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
    bool settingBandFromImage_ = false;
    uint32_t normalBack_ = 0xFFFFFF;
    uint32_t normalSel_ = 0;
};

}  // namespace tarvos::ui

#pragma once
// The memory data window frmMemDat: the hexadecimal grid vsfgGridMemDat of the image, sixteen
// bytes a row, with the bytes that changed at the last refresh in red, the pointer tip that
// decodes the byte under the pointer, typed cells that go into the image, and the buttons
// "Part Fill", "Fill Gird" and "Set Def Color". It has no menu entry: the channel window's
// hidden gestures show and hide it, and the communication window refreshes it. Its captions
// are fixed English texts and its tip Chinese, whatever the language.
//
// The rules live in the document's MemoryEditor; this window draws its model and forwards
// the grid's events. Until the user confirms leaving the application, closing it hides it.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "document/memory_editor.h"

class QGroupBox;
class QPushButton;

namespace tarvos {
class RadioDocument;
}

namespace tarvos::ui {

struct WindowContext;
class GridControl;
class PartFillDialog;

class MemDatWindow : public QWidget {
    Q_OBJECT
  public:
    // The grid is built here (SetGridMemDat) for tableMaxAddr, the view's last address at
    // start-up; the window is not shown.
    MemDatWindow(WindowContext& ctx, RadioDocument& doc, int tableMaxAddr,
                 QWidget* parent = nullptr);
    ~MemDatWindow() override;

    // Where the view's last address is read at each refresh (the communication window's
    // grid-size box); the start-up value until it is given.
    void setTableMaxAddrSource(std::function<int()> source);

    // Refreshes every cell from the image and marks the bytes that changed.
    void TableFreDat();
    // The buttons.
    void cmdFillGrid_Click();
    void cmdSetDefCol_Click();
    void cmdPartFill_Click();
    // The pointer over cell (row, col): the cursor moves there and the tip decodes the byte.
    void CellTipHint(int row, int col);

    GridControl* grid() const { return vsfgGridMemDat_; }
    MemoryEditor& editor() { return editor_; }
    // The partial-fill dialog; nullptr until "Part Fill" was first pressed.
    PartFillDialog* partFillDialog() const { return frmPartFill_; }

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetGridMemDat();
    // The grid drawn from the editor's model: only the cells whose text or colour changed.
    void render();
    // After a refresh: the cells, then the cursor and the scroll on the last changed byte.
    void renderRefresh();
    void vsfgGridMemDat_AfterEdit(int row, int col);
    void vsfgGridMemDat_MouseMove();
    int tableMaxAddr() const;

    WindowContext& ctx_;
    RadioDocument& doc_;
    int observer_ = 0;
    MemoryEditor editor_;
    std::function<int()> tableMaxAddrSource_;
    QGroupBox* fraMemData_ = nullptr;
    GridControl* vsfgGridMemDat_ = nullptr;
    QPushButton* cmdPartFill_ = nullptr;
    QPushButton* cmdFillGrid_ = nullptr;
    QPushButton* cmdSetDefCol_ = nullptr;
    PartFillDialog* frmPartFill_ = nullptr;
    // What the grid shows now, per address: its text and whether it is red.
    struct Shown {
        std::string text;
        bool red = false;
    };
    std::vector<Shown> shown_;
};

}  // namespace tarvos::ui

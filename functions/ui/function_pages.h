#pragma once
// The function pages of the channel window: every row of the binding table becomes its
// control (a drop-down list, a list box, a check box, a text box or a two-tone grid) in the
// frame the row names, captioned from FaceText in the language in force; the read/write code
// controls go into the model frame; the ">>", PTT ID pause and ">" buttons open their dialogs.
//
// The pages hold no settings: they show the document's function model and hand every user
// change to it inside RadioDocument::Edit, which writes the image at once. Whenever the
// document says its image was replaced or a function setting changed, every control is
// shown again from the model (entries, selection, text, enabled state).
//
// The channel window owns the containers; the shell builds this object after the channel
// window and gives it those containers.
//
// Its parts: the frames inside the containers (page_frames.h, each laid out by a FrameForm),
// the controls built from the table with the page's buttons (page_controls.cpp), the lists'
// entries (list_entries.h), the two-tone grids (two_tone_grid.h) and the read/write code
// controls (code_area.h).

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "functions/ui/dialog_timer.h"
#include "functions/ui/list_entries.h"
#include "functions/ui/page_frames.h"

class QLabel;
class QWidget;

namespace tarvos {
class FunctionModel;
class RadioDocument;
enum class DocumentChange;
}  // namespace tarvos

namespace tarvos::ui {

struct WindowContext;
class CodeArea;

class FunctionPages : public QObject {
    Q_OBJECT
  public:
    FunctionPages(WindowContext& ctx, RadioDocument& document, const FunctionPageContainers& where,
                  QObject* parent = nullptr);
    ~FunctionPages() override;

    // The fixed access code of the hidden page (three Chinese characters).
    static QString AccessCode();

    // The widget of a control of the binding table ("cboTot", "cboRadioId(3)"); nullptr when
    // the table has no such control.
    QWidget* control(std::string_view name) const;

    // Every control shown again from the function model.
    void ShowAll();

    // The page's buttons.
    void cmdTwoWayVolSet_Click();
    void cmdPttIdPauseChSet_Click();
    void cmdVoxCmpDefault_Click();
    void cmdMoreFunc_Click();

    // The auto-close timer each access dialog gets (tests give one they fire by hand).
    void setDialogTimerFactory(DialogTimerFactory factory) { timerFactory_ = std::move(factory); }

  protected:
    // A drop-down list changes with the mouse wheel only when it has the focus; otherwise the
    // wheel scrolls the page, so that scrolling past a list does not change a setting.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FunctionModel& model() const;
    // Building (page_controls.cpp).
    void BuildControls();
    void InitFace();
    QLabel* captionLabel(FrameForm& form, const std::string& name, const QString& caption,
                         bool* created);

    // What the user does to a control, handed to the model.
    void userPick(int index, int p);
    void userCheck(int index, bool checked);
    void userText(int index, const QString& text);
    void userCell(int g, int row, int col);

    void showControl(int index);
    void documentChanged(DocumentChange what);

    WindowContext& ctx_;
    RadioDocument& doc_;
    FunctionPageContainers where_;
    int observer_ = 0;
    bool showing_ = false;
    // The text box the user is typing into, while its change is handled: its blanks at the
    // end stay shown although the stored form drops them.
    int typingIndex_ = -1;
    DialogTimerFactory timerFactory_;

    PageForms forms_;
    std::vector<QWidget*> controls_;  // by binding row
    std::vector<std::vector<std::string>> shownEntries_;
    ListEntries lists_{this};
    std::map<std::string, QWidget*, std::less<>> byName_;
    std::unique_ptr<CodeArea> codeArea_;  // when the window gave the model frame's area
};

}  // namespace tarvos::ui

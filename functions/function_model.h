#pragma once
// The function page without widgets: everything the page shows, computed from the image.
//
// The model holds the selected entry of each list, the state of each check box, the text
// of each text box, the two-tone cell texts, the read/write code boxes and NewCodeBuf. The
// image is the only store of settings: loading reads it (normalising what the load rules
// reject) and every change writes into it at once. The Qt page renders this model and
// forwards user actions to it; it observes changes through revision() or the observer.
//
// Image-touching operations take the image explicitly, so the application, tarvos-cli and
// the tests each pass their own.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_log.h"
#include "base/face_text.h"
#include "functions/bindings.h"
#include "functions/two_tone.h"
#include "memory/radio_text.h"

namespace tarvos {

struct ControlState {
    std::vector<std::string> entries;  // lists
    int selected = -1;                 // lists: -1 before the first load
    bool checked = false;              // check boxes
    std::string text;                  // text boxes
    std::string tooltip;               // cboVoxCmpDat(k): the voltage of the shown code
};

class FunctionModel {
  public:
    // language selects the FaceText entries of the lists; log receives load failures.
    explicit FunctionModel(int language = 3, ErrorLog* log = nullptr);

    int language() const { return faceText_.language(); }
    const FaceTextTable& faceText() const { return faceText_; }
    const std::vector<Binding>& bindings() const { return FunctionBindings(); }
    // Index of a control name ("cboTot", "txtInfo(1)"); -1 when unknown.
    int indexOf(std::string_view name) const { return FindBinding(name); }
    const ControlState& state(int index) const;
    const ControlState& state(std::string_view name) const;
    // Disabled only while a control it depends on says so; a disabled control keeps its value.
    bool enabled(int index) const;
    bool enabled(std::string_view name) const;
    // What a list or text box shows: the selected entry (empty before the first load), the
    // text; empty for check boxes and grids.
    std::string shownEntry(int index) const;
    // Whether another control's state decides row i's enabled state.
    bool hasEnabler(int index) const { return enabledBy_[static_cast<size_t>(index)] >= 0; }
    const TwoToneTable& twoTone() const { return twoTone_; }

    // --- Loading (no couplings run) ---
    // InitOpt: every control in table order, then the read/write code indication. Stops at
    // the first failure, which is logged as "frmChMem->InitOpt:".
    void InitOpt(ByteImage& image);
    // One control by the load rules: lists normalise the image and write back the canonical
    // code of the shown entry; checks write nothing; texts re-encode when the shown text
    // changes.
    void LoadControl(ByteImage& image, int index);
    // True once InitOpt has filled the lists.
    bool loaded() const { return !states_.front().entries.empty(); }
    // What the redisplay after an open or a read adds: InitOpt, then the VOX default action
    // when the comparison values are implausible.
    void SoftDisplay(ByteImage& image);

    // --- A user's actions (write-back plus couplings) ---
    // Entry p of a list; raises failure 380 when p is not an entry or the control no list.
    void Pick(ByteImage& image, int index, int p);
    void SetChecked(ByteImage& image, int index, bool checked);
    // The text typed into an emptied text box, key by key: the box accepts at most its
    // maximum length, and a code box's filter drops a character as it is typed, so the
    // characters dropped take no place (x1x2... keeps up to the box's length of digits).
    void SetText(ByteImage& image, int index, std::string_view text);
    // A committed cell edit of the two-tone grids (entry 1..16); re-encodes all entries.
    void SetTwoToneCell(ByteImage& image, int entry, TwoToneColumn column, std::string_view text);
    // The "Default" button of the VOX comparison values (cmdVoxCmpDefault).
    void VoxCmpDefault(ByteImage& image);

    // --- Read/write code (fraModel) ---
    // txtRdWrCode: typing stores the code in the image; the box never shows a stored code,
    // it only turns dark red (rdWrCodeStored) while one is stored.
    void SetRdWrCodeText(ByteImage& image, std::string_view text);
    void ShowRdWrCode(ByteImage& image);
    const std::string& rdWrCodeText() const { return rdWrCodeText_; }
    bool rdWrCodeStored() const { return rdWrCodeStored_; }
    // txtNewRdWrCode: the code the next write sends, kept in NewCodeBuf.
    void SetNewRdWrCodeText(std::string_view text);
    const std::string& newRdWrCodeText() const { return newRdWrCodeText_; }
    const NewCodeBuf& newCodeBuf() const { return newCodeBuf_; }
    // chkNewRdWrCode shows or hides the new-code box; nothing is written.
    void SetNewRdWrCodeChecked(bool checked);
    bool newRdWrCodeChecked() const { return newRdWrCodeChecked_; }
    bool newRdWrCodeVisible() const { return newRdWrCodeChecked_; }

    // What the code box holds besides the image, for taking an edit back. The new code (its
    // tick, its box and NewCodeBuf) is no part of it: it lives outside the image until the
    // next write, and taking back an edit of the image must not take it away.
    struct CodeBoxes {
        std::string rdWrCodeText;
        bool operator==(const CodeBoxes&) const = default;
    };
    CodeBoxes codeBoxes() const;
    // Puts the box back as it was (the stored code is the image's, shown again).
    void restoreCodeBoxes(const CodeBoxes& boxes, ByteImage& image);

    // --- What the programming link asks the page ---
    bool rdWrCodeVisible() const { return rdWrCodeVisible_; }
    void setRdWrCodeVisible(bool visible);
    bool jumpFreFuncVisible() const { return jumpFreFuncVisible_; }
    void setJumpFreFuncVisible(bool visible);
    bool jumpFreFuncChecked() const;
    bool alarmSwitchChecked() const;

    // --- Observation ---
    // Grows with every change of what the page shows.
    uint64_t revision() const { return revision_; }
    // Called after each change with the row index, or -1 for the grids and the code boxes.
    void setObserver(std::function<void(int index)> observer) { observer_ = std::move(observer); }

    // Runs a list's change handling for its shown entry again (the write preparation
    // re-runs the side-key lists this way). Nothing happens while it has no selection.
    void RerunListHandler(ByteImage& image, int index);
    // A control set by code through its own handler, as the write preparation does.
    void SetByCode(ByteImage& image, std::string_view name, int value);

  private:
    void listChanged(ByteImage& image, int index, int p, bool byUser);
    void checkChanged(ByteImage& image, int index, bool checked, bool byUser);
    void codeTextChanged(ByteImage& image, int index, std::string_view text);
    void showEmbedMsg(const ByteImage& image);
    void loadList(ByteImage& image, int index);
    void loadText(ByteImage& image, int index);
    void loadGrid(ByteImage& image, int index);
    void changed(int index);
    const Binding& row(int index) const;
    ControlState& st(int index);

    friend void CoupleTxEndTone(FunctionModel&, ByteImage&, const Binding&);
    friend void CoupleCodeContiTime(FunctionModel&, ByteImage&, const Binding&);

    ErrorLog& log() { return externalLog_ ? *externalLog_ : ownLog_; }

    FaceTextTable faceText_;
    ErrorLog ownLog_;  // used when no log is given: failures are dropped
    ErrorLog* externalLog_;
    std::vector<ControlState> states_;
    std::vector<int> enabledBy_;  // row whose state enables row i; -1 when none
    TwoToneTable twoTone_{};
    std::string rdWrCodeText_;
    bool rdWrCodeStored_ = false;
    std::string newRdWrCodeText_;
    NewCodeBuf newCodeBuf_;
    bool newRdWrCodeChecked_ = false;
    bool rdWrCodeVisible_ = true;
    bool jumpFreFuncVisible_ = true;
    uint64_t revision_ = 0;
    std::function<void(int)> observer_;
};

}  // namespace tarvos

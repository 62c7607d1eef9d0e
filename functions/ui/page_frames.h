#pragma once
// The frames of the function pages, built inside the containers the channel window hands
// over: the option frame of tab 1 of sstabSetMode as it is; on the sstabMoreFunc tabs the
// frames of each tab in a scrolling holder (the tabs' controls may not fit a small window).
// Each frame gets the FrameForm that lays out the controls put into it.

#include <array>
#include <map>
#include <memory>
#include <string>

#include "base/face_text.h"
#include "functions/ui/frame_form.h"

class QAbstractButton;
class QWidget;

namespace tarvos::ui {

// Where the pages go, all owned by the channel window.
struct FunctionPageContainers {
    QWidget* optionFrame = nullptr;          // fraOptionSet, on tab 1 of sstabSetMode
    std::array<QWidget*, 3> moreFuncTabs{};  // the sstabMoreFunc pages "未分类", "DTMF", "两音"
    QWidget* sysSet2Frame = nullptr;         // fraSysSet2, on the sstabMoreFunc page "Tab 3"
    QWidget* moreFunc = nullptr;             // sstabMoreFunc itself, shown by the access code
    QWidget* codeArea = nullptr;             // inside fraModel: the read/write code controls
    QAbstractButton* moreFuncButton = nullptr;  // cmdMoreFunc
};

// The form of each frame, by the frame's name as the binding rows give it; a container the
// window did not give has no frames.
using PageForms = std::map<std::string, std::unique_ptr<FrameForm>>;

PageForms BuildPageFrames(const FunctionPageContainers& where);

// The frames' titles in the language of ft.
void TitlePageFrames(const PageForms& forms, const FaceTextTable& ft);

}  // namespace tarvos::ui

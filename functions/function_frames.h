#pragma once
// The frames that hold the function controls, in the order the pages show them: tab 1 of
// sstabSetMode, then the tabs of sstabMoreFunc from left to right, each from top to bottom.
// A binding row names its frame; the page builds the frames from this list and the printed
// sheet walks it, so both caption a frame alike.

#include <span>
#include <string>
#include <string_view>

#include "base/face_text.h"

namespace tarvos {

struct FunctionFrame {
    std::string_view name;          // "fraOptionSet"; controls placed on a tab name the tab
    int caption = -1;               // FaceText index; -1: fixedCaption
    std::string_view fixedCaption;  // a caption that is not translated
};

std::span<const FunctionFrame> FunctionFrames();

// The caption of a frame in the language of ft; empty for a name that is no frame.
std::string FrameCaption(const FaceTextTable& ft, std::string_view name);

}  // namespace tarvos

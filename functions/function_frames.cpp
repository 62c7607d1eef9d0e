#include "functions/function_frames.h"

#include <array>

namespace tarvos {

namespace {
// "More Function" and the tab "DTMF" carry the same words in every language.
constexpr std::array<FunctionFrame, 13> kFrames = {{
    {"fraOptionSet", 453, {}},
    {"fraMoreFunc", -1, "More Function"},
    {"fraKeyAssign", 202, {}},
    {"sstabMoreFunc(DTMF)", -1, "DTMF"},
    {"fraDtmfEnc", 244, {}},
    {"fraDtmfDec", 250, {}},
    {"fraStun", 254, {}},
    {"fraAutoDialList", 257, {}},
    {"fraTwoTone", 325, {}},
    {"fraVox", 203, {}},
    {"fraScan", 204, {}},
    {"fraBattery", 350, {}},
    {"fraEmbedMsg", 206, {}},
}};
}  // namespace

std::span<const FunctionFrame> FunctionFrames() {
    return kFrames;
}

std::string FrameCaption(const FaceTextTable& ft, std::string_view name) {
    for (const FunctionFrame& f : kFrames)
        if (f.name == name) return f.caption >= 0 ? ft[f.caption] : std::string(f.fixedCaption);
    return {};
}

}  // namespace tarvos

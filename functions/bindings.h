#pragma once
// The function settings as data: one row per control of the function pages, in the order
// InitOpt loads them. A row names the control (arrays as "name(k)"), its kind, the frame it
// sits in, its caption, the image field it is bound to, how its entries are built from
// FaceText, the code each entry writes, the load rule with its defaults, which controls
// its value enables, and what a user's change does to other controls.
//
// Most list rows are generic: entry p writes p + offset into the field, and a stored code
// outside [low, high] is replaced by the row's default before the entry is shown. Rows
// whose encoding is not a plain number name their own small encode/decode functions
// (functions/row_encodings.h).
//
// The rows are written in groups, a file each (functions/binding_groups.h), with the
// makers of functions/binding_rows.h. A new radio field is one new row there; the page
// model, the CLI and the write preparation pick it up from the table.

#include <string>
#include <string_view>
#include <vector>

#include "base/face_text.h"
#include "functions/code_text.h"
#include "memory/image.h"

namespace tarvos {

class FunctionModel;
struct Binding;
struct ControlState;

enum class ControlKind { List, Check, Text, Grid };
enum class TextRule { None, Code, Message };

// Entries of a list for the language of the table.
using EntriesFn = std::vector<std::string> (*)(const FaceTextTable& ft);
// Write the code of entry p into the image (read-modify-write).
using EncodeFn = void (*)(ByteImage& image, const Binding& row, int p);
// The entry that shows the stored code (after the load rule has run).
using DecodeFn = int (*)(const ByteImage& image, const Binding& row);
// Effect of a change on other controls; couplings run only for a user's change.
using CouplingFn = void (*)(FunctionModel& model, ByteImage& image, const Binding& row);
// Whether this control's state enables the controls listed in Binding::enables.
using EnablesFn = bool (*)(const ControlState& state);

// Accepted codes low..high of the field's value; a code below low is replaced by
// belowDefault, above high by aboveDefault (-1: that side has no rule).
struct LoadRule {
    int low = 0;
    int high = 255;
    int belowDefault = -1;
    int aboveDefault = -1;
};

struct Binding {
    std::string name;  // "cboTot", "cboRadioId(3)"
    ControlKind kind = ControlKind::List;
    std::string frame;         // containing frame, or the tab for controls placed on it
    std::string captionLabel;  // label carrying the caption; empty when the control has its own
    int caption = -1;          // FaceText index of the caption; -1: fixedCaption
    std::string fixedCaption;  // caption that is not translated
    std::string tooltip;       // fixed tooltip (code boxes)
    Field field{0};            // the field the control is bound to (lists and checks)

    // Lists.
    EntriesFn entries = nullptr;
    bool fixedEntries = false;  // entries that are built once, not on every load
    int offset = 0;             // generic lists: code = p + offset
    LoadRule rule;
    EncodeFn encode = nullptr;  // null: generic
    DecodeFn decode = nullptr;  // null: generic
    int voxIndex = 0;           // cboVoxCmpDat(k): k; loaded under the marker rule

    // Checks: a set bit means checked, or unchecked for inverted rows.
    bool inverted = false;

    // Texts.
    TextRule textRule = TextRule::None;
    CodeField codeField{};  // TextRule::Code
    int messageLine = 0;    // TextRule::Message: 1 or 2
    int maxLength = 0;      // characters the box accepts

    // Grids: vsfgGridTwoTone(g) shows entries 8g+1 .. 8g+8.
    int grid = -1;

    // Dependencies and couplings.
    std::vector<std::string> enables;  // controls whose enabled state follows this one
    EnablesFn enablesWhen = nullptr;
    CouplingFn coupling = nullptr;

    bool hasRule() const { return rule.belowDefault >= 0 || rule.aboveDefault >= 0; }
};

// The whole table, in InitOpt order.
const std::vector<Binding>& FunctionBindings();
// Row index of a control name; -1 when there is none.
int FindBinding(std::string_view name);

// The VOX comparison values: ten lists on 0x0194..0x019D and their marker byte.
inline constexpr int kVoxCmpMarkerAddr = 0x019E;
inline constexpr uint8_t kVoxCmpMarker = 90;
inline constexpr int kVoxCmpDefaults[10] = {170, 155, 140, 125, 110, 95, 80, 65, 50, 35};
// The tooltip of a comparison list showing code: whole millivolts followed by "mv".
std::string VoxCmpTooltip(int code);
// The level label lblVoxCmpLevel(k), k = 0..9: "1级" … "10级" (the unit is empty in English).
std::string VoxLevelCaption(const FaceTextTable& ft, int k);

}  // namespace tarvos

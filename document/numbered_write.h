#pragma once
// The images a fleet write gives its radios: the document as a write sends it (channels
// encoded, the function page's write values forced), and, with numbering, one code box
// typed with the next number for each radio, START, START+STEP, START+2×STEP … with as many
// digits as START has (zeros kept in front: 0101, 0102 …). The number goes into the box as
// the window's box takes what is typed into it (FunctionModel::SetText), before the write's
// preparation, as a user would type it and then write. The document itself is never changed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/radio_document.h"
#include "link/fleet.h"

namespace tarvos {

// The code boxes a run may number.
inline constexpr const char* kNumberableBoxes[] = {"txtDtmfIdCode", "txtPttBot", "txtPttEot"};

struct Numbering {
    std::string box;    // one of kNumberableBoxes
    std::string start;  // decimal digits; their count is the width of every number
    uint64_t step = 1;
};

// "NAME=START[:STEP]"; nullopt, with the reason in error, when it is not that or the
// numbering cannot be used (NumberingProblem).
std::optional<Numbering> ParseNumbering(std::string_view text, std::string* error = nullptr);
// Why a numbering cannot be used: a box that cannot be numbered, a START that is not one to
// 16 digits or is longer than its box, a STEP of 0. Empty when it can.
std::string NumberingProblem(const Numbering& numbering);
// The characters the box takes.
int NumberBoxLength(std::string_view box);
// START + k × STEP, zeros in front up to START's width; empty when it passes 20 digits.
std::string NumberText(const Numbering& numbering, uint64_t k);

// Made once from the document when a run starts; afterwards it no longer looks at the
// document, so the run's threads may use it (one call at a time) while the user edits on.
class NumberedWrite {
  public:
    NumberedWrite(const RadioDocument& doc, std::optional<Numbering> numbering);
    // The image for the k-th radio (k from 0), or its refusal when its number does not fit.
    link::FleetImage operator()(int k) const;

  private:
    ByteImage withChannels_;  // the document's image with its channel table encoded
    ByteImage written_;       // ... and prepared for a write, when nothing is numbered
    int language_;
    std::optional<Numbering> numbering_;
};

}  // namespace tarvos

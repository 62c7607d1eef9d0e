#pragma once
// The channel grid's pure rules: frequencies as the grid shows and reads them, the 250 Hz
// raster, and the tone box's normalising of a typed tone.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvos {

// A frequency in 10 Hz units as the grid shows it: MHz in the shortest decimal form
// (136.125, 438.5, 136).
std::string FrequencyText(int32_t tenHz);
// A text that reads as a decimal number: an optional sign, digits with at most one point and
// at least one digit. Blanks are ignored, so a place of the input layout left blank
// ("45 .5") does not make a number non-numeric.
bool IsNumericText(std::string_view text);
// A typed frequency read by position against the layout "###.#####": places 1, 2, 3, 5..9
// weigh 10^7 .. 1 (10 Hz units), place 4 is skipped, a place that holds no digit counts 0.
// -1 when the text is longer than nine characters (it cannot be read).
int32_t ReadTypedFrequency(std::string_view text);
// ModifyTxRxFre: the nearest 250 Hz step (both quotients rounded to the nearest integer; a
// tie of the two candidates goes to the 6.25 kHz one).
int32_t ModifyTxRxFre(int64_t tenHz);

// The tone box's normalising rule (CtdcsSelList) on a text.
struct ToneEntry {
    enum class Kind { Unchanged, Invalid, Valid };
    Kind kind = Kind::Unchanged;
    std::string text;  // the canonical tone for Valid
};
ToneEntry NormaliseToneEntry(std::string_view text);

}  // namespace tarvos

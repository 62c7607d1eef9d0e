#pragma once
// How a row of the binding table is made: the entry lists built from FaceText, the load
// rules, the makers of list, check and code-text rows with their special encodings,
// dependencies and couplings, and the names of the frames the rows sit in. The groups of
// the table (functions/binding_groups.h) are written with these.

#include <string>
#include <vector>

#include "base/face_text.h"
#include "functions/bindings.h"

namespace tarvos {

// Couplings, run after a user's change (defined with the model, which they change).
void CoupleTxEndTone(FunctionModel& model, ByteImage& image, const Binding& row);
void CoupleCodeContiTime(FunctionModel& model, ByteImage& image, const Binding& row);

namespace table {

// Entries. «x» is the decimal text of x; a unit text follows where the page shows one.
using Entries = std::vector<std::string>;
std::string Num(int x);
Entries Range(int from, int to);  // "from" .. "to"
Entries Texts(const FaceTextTable& ft, int first, int last);
Entries Prepend(std::string first, Entries rest);
// «scale·i + add» + unit for i = from..to.
Entries Scaled(int from, int to, int scale, int add, const std::string& unit);
// The Off entry, then "1" .. "10" (the VOX level and the two-way volume level).
Entries OffThen1To10(const FaceTextTable& ft);

// The frames (and the tab) the rows sit in.
inline constexpr const char* kFraOptionSet = "fraOptionSet";
inline constexpr const char* kFraMoreFunc = "fraMoreFunc";
inline constexpr const char* kFraKeyAssign = "fraKeyAssign";
inline constexpr const char* kTabDtmf = "sstabMoreFunc(DTMF)";
inline constexpr const char* kFraDtmfEnc = "fraDtmfEnc";
inline constexpr const char* kFraDtmfDec = "fraDtmfDec";
inline constexpr const char* kFraStun = "fraStun";
inline constexpr const char* kFraAutoDialList = "fraAutoDialList";
inline constexpr const char* kFraTwoTone = "fraTwoTone";
inline constexpr const char* kFraVox = "fraVox";
inline constexpr const char* kFraScan = "fraScan";
inline constexpr const char* kFraBattery = "fraBattery";
inline constexpr const char* kFraEmbedMsg = "fraEmbedMsg";

// "codes ≥ limit → def"
LoadRule Below(int limit, int def);
// "codes below low or above high → def"
LoadRule Outside(int low, int high, int def);

Binding List(std::string name, const char* frame, std::string label, int caption, Field field,
             EntriesFn entries, LoadRule rule = {}, int offset = 0);
Binding Check(std::string name, const char* frame, int caption, Field field, bool inverted = false);
Binding CodeText(std::string name, const char* frame, std::string label, int caption,
                 const CodeField& field, std::string tooltip);

// What a row adds to the plain kinds.
Binding Special(Binding b, EncodeFn encode, DecodeFn decode);
Binding Enables(Binding b, std::vector<std::string> dependents, EnablesFn when);
Binding Coupled(Binding b, CouplingFn coupling);
Binding Fixed(Binding b);

}  // namespace table
}  // namespace tarvos

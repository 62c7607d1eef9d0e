#pragma once
// The groups the binding table is written in, each in its file (functions/bindings_*.cpp).
// FunctionBindings() appends them in the order below, which is the order InitOpt loads the
// controls in and the order of every dump, comparison and printed sheet.

#include <vector>

namespace tarvos {

struct Binding;

namespace table {
void AddGeneralRows(std::vector<Binding>& t);   // general lists, check boxes, side keys
void AddVoxScanRows(std::vector<Binding>& t);   // VOX, scan
void AddDtmfRows(std::vector<Binding>& t);      // DTMF, two-tone
void AddIdentityRows(std::vector<Binding>& t);  // embedded message lines, identity digits
}  // namespace table

}  // namespace tarvos

#pragma once
// Cutting a text at a separator, as the layouts' lists ("a|b|c") and the command line's
// actions ("type:1:3") are written.

#include <string>
#include <string_view>
#include <vector>

namespace tarvos {

// Every piece between separators, empty ones included: "a||b" -> {"a", "", "b"}; an empty
// text is one empty piece.
inline std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (true) {
        const size_t at = text.find(separator, start);
        pieces.emplace_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) return pieces;
        start = at + 1;
    }
}

}  // namespace tarvos

#pragma once
// A decimal number as the dialogs and grids accept it, read the same way whatever the
// desktop's locale (the C library's strtod would take "134,5" under a comma locale and
// refuse "134.5" once Qt has set the locale from the environment).

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace tarvos {

// The whole text as a finite number: digits with an optional '.', an optional exponent and
// one leading sign ('+' or '-'); false for anything else, including "inf" and "nan".
inline bool DecimalFromText(std::string_view text, double* value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return false;
    }
    auto [ptr, ec] = std::from_chars(first, last, *value, std::chars_format::general);
    return ec == std::errc() && ptr == last && std::isfinite(*value);
}

}  // namespace tarvos

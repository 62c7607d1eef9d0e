#pragma once
// Text from a file or from a user, made safe to show on a terminal or in a message box:
// control characters (which a terminal would obey: colours, cursor moves, titles) and bytes
// that are no UTF-8 are shown as \xHH, and a long text is cut after maxChars characters,
// ending "...".

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvos {

std::string PrintableText(std::string_view text, size_t maxChars = 40);

}  // namespace tarvos

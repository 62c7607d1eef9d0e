#pragma once
// The system's locale as a Windows-style locale identifier, which the first run turns into
// the interface language. On Linux and macOS it is read from LC_ALL, LC_MESSAGES and LANG,
// the first one set winning.

#include <string_view>

namespace tarvos::ui {

// "zh_CN.UTF-8" -> 2052, "zh_TW"/"zh_HK" -> 1028, "en_US" -> 1033; other locales get their
// own identifiers (ja_JP 1041, ...), an unknown or empty one 1041.
int LocaleIdFromName(std::string_view name);
int SystemLocaleId();
// 2052 -> 1, 1028 -> 2, anything else -> 3.
int LanguageFromLocaleId(int lcid);

}  // namespace tarvos::ui

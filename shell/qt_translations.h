#pragma once
// Qt's own texts in the interface language: the standard buttons of every message box (Yes,
// No, Cancel, Save, Discard), the file dialogs and the context menus of text boxes. They
// come from Qt's translations (qtbase_zh_CN, qtbase_zh_TW; on Debian the package
// qt6-translations-l10n); English needs none.

namespace tarvos::ui {

// Installs the translation of language (1..3) in place of the one installed before; true
// when one is in force afterwards. A missing translation leaves Qt's texts English.
bool LoadQtTranslations(int language);

}  // namespace tarvos::ui

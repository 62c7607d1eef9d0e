#pragma once
// The conventions of the main menu's captions, laid over the texts of each language once they
// are set: every item of the File and Settings menus has a mnemonic (the captions that have
// none get one: a letter of the caption underlined, or "(&X)" after a Chinese caption), and
// every item that opens a dialog (a file dialog, a question, a window to fill in) ends in "…".

#include <QString>

class QWidget;

namespace tarvos::ui {

// Applies the conventions to the menu items of window (found by their object names).
void ApplyMenuConventions(QWidget& window);

// caption with the mnemonic letter given when it has none, and "…" at its end when dialog.
QString ConventionalCaption(const QString& caption, QChar mnemonic, bool dialog);

}  // namespace tarvos::ui

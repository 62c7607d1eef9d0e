#pragma once
// Windows that open centred over the window they belong to (Auto Input and the memory data
// view over the main window, as dialogs open over their parent), kept inside the screen.

class QWidget;

namespace tarvos::ui {

// Moves window so that its centre is over the centre of owner's window, within the screen.
void CentreOver(QWidget* window, const QWidget* owner);
// The first time window shows, it opens centred over its parent's window; later it opens
// where the user left it.
void CentreOnFirstShow(QWidget* window);

}  // namespace tarvos::ui

#pragma once
// Brings a control into view the way a user would find it: the page of every tab control it
// sits on is made current, a scroll area around it scrolls to it, and it takes the focus.
// A control inside a part of the window that is hidden on purpose (a page shown only after
// an access code) is left where it is.

class QWidget;

namespace tarvos::ui {

// False when the control is missing or sits in a hidden part of its window.
bool BringIntoView(QWidget* control);

}  // namespace tarvos::ui

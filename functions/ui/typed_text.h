#pragma once
// A text box of the function pages shows the text as stored. While the user types into it,
// blanks at the end that the stored form drops stay in the box, so that words can be
// separated; leaving the box shows it as stored.

class QLineEdit;
class QString;

namespace tarvos::ui {

// typedNow: the box's change is being handled right now.
void ShowTyped(QLineEdit* box, const QString& stored, bool typedNow);

}  // namespace tarvos::ui
